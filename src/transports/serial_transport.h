#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/frame_parser.h"
#include "link/link_context.h"
#include "link/processor_identity.h"
#include "link/transport.h"
#include "platform/serial_port.h"

namespace tq370 {

struct SerialTransportOptions {
    // Tried first, in this order; a symbolic link serves as well as a device.
    std::vector<std::string> explicitPorts;
    // Only the explicit ports, never the system's (a port named on the command line).
    bool explicitOnly = false;
    std::uint32_t baudRate = DEFAULT_BAUD_RATE;
    std::filesystem::path sysfsTtyRoot = "/sys/class/tty";
    std::filesystem::path devRoot = "/dev";
};

// Why the last port that could not be opened was refused, for a message to the user.
struct SerialOpenFailure {
    std::string path;
    SerialPort::OpenError error = SerialPort::OpenError::Failed;
};

// A serial port or a Bluetooth serial port (the kind only chooses the engine's timings):
// frames travel as raw bytes. connect tries the port list in order with the register-0
// probe and lists the ports again after each full cycle; one reader thread feeds what
// arrives to the frame parser and, when the port vanishes, closes it and takes linkUp
// down so that the engine reconnects.
class SerialTransport : public Transport {
public:
    SerialTransport(LinkContext& link, TransportKind kind, SerialTransportOptions options);
    ~SerialTransport() override;
    SerialTransport(const SerialTransport&) = delete;
    SerialTransport& operator=(const SerialTransport&) = delete;

    TransportKind kind() const override { return kind_; }
    bool connect(LinkHost& host, std::stop_token stop) override;
    void close() override;
    void send(std::span<const std::uint8_t> frame) override;
    bool isConnected() const override { return open_.load(std::memory_order_acquire); }

    // The port of the current or last connection ("" before the first). Any thread.
    std::string portPath() const;
    // The last refused open since the last connection was made. Any thread.
    std::optional<SerialOpenFailure> lastOpenFailure() const;

private:
    bool open(const std::string& path);
    void reader(std::stop_token stop);
    void dropPort();

    LinkContext& link_;
    const TransportKind kind_;
    const SerialTransportOptions options_;
    FrameParser parser_;
    std::vector<std::string> ports_;  // engine thread only
    std::size_t cursor_ = 0;          // engine thread only
    std::atomic<bool> open_{false};

    std::mutex lifecycleMutex_;     // serialises open and close (engine thread and stopEngine)
    mutable std::mutex portMutex_;  // guards port_ against a write while it is dropped
    std::optional<SerialPort> port_;
    std::jthread readerThread_;

    mutable std::mutex infoMutex_;  // guards portPath_ and lastFailure_
    std::string portPath_;
    std::optional<SerialOpenFailure> lastFailure_;
};

}  // namespace tq370
