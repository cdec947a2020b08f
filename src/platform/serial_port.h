#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string>

#include "base/clock.h"
#include "platform/terminal_io.h"

namespace tq370 {

// A serial port (cable, USB adapter, Bluetooth RFCOMM or a pseudo-terminal) in raw mode:
// 8 data bits, no parity, one stop bit, no hardware or software flow control. The port is
// held exclusively (flock) while open; closed when destroyed. No call throws.
//
// Threads: read on one thread (the reader) while write runs on another. Destruction and
// move must not overlap a read or write; a read returns within its timeout.
class SerialPort {
public:
    enum class OpenError {
        NotFound,         // no such device
        NoPermission,     // this user may not open it
        Busy,             // another program holds it
        NotATerminal,     // the path is not a terminal device
        SettingsRefused,  // the driver refused the line settings or the speed
        Failed,           // any other system error
    };
    struct Opened;  // below: it holds a SerialPort

    // Vanished: hang-up or read error; the device is gone and the port is useless.
    using ReadStatus = TerminalReadStatus;
    using Received = TerminalReceived;

    // The most a reader takes from the driver at a time.
    static constexpr std::size_t READ_CHUNK = 4096;

    // Opens a device path at any speed in bits per second (128000 included).
    static Opened open(const std::string& path, std::uint32_t baud);

    SerialPort(SerialPort&& other) noexcept;
    SerialPort& operator=(SerialPort&& other) noexcept;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort();

    // Waits up to ms protocol milliseconds for bytes and stores what has arrived (at most
    // the buffer's size). A stop request ends the wait within a few tens of milliseconds.
    Received read(std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                  std::stop_token stop);

    // Writes every byte, waiting at most ms for room each time; false otherwise (also when
    // the device has gone).
    bool write(std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
               std::stop_token stop);

    // The output speed the driver reports; nullopt when it does not tell.
    std::optional<std::uint32_t> baudRate() const;

    const std::string& path() const { return path_; }

private:
    SerialPort(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    void close();

    int fd_ = -1;
    std::string path_;
};

struct SerialPort::Opened {
    std::optional<SerialPort> port;  // empty on failure
    OpenError error = OpenError::Failed;
};

}  // namespace tq370
