#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string>

#include "base/clock.h"
#include "platform/terminal_io.h"

namespace tq370 {

// A pseudo-terminal whose far end serves as a serial port for another program or thread:
// this side is the master, portPath() the port to open. The object also holds the port
// side open itself, in raw mode, so that the master neither reports a hang-up nor echoes
// while no program has the port open. Closed when destroyed; a program that has the port
// open then sees it vanish. No call throws.
//
// Threads: read on one thread while write runs on another; destruction must not overlap
// either.
class PseudoTerminal {
public:
    // nullopt when the system has no pseudo-terminal to give.
    static std::optional<PseudoTerminal> open();

    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&& other) noexcept;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // The port side, e.g. "/dev/pts/7".
    const std::string& portPath() const { return portPath_; }

    // What the program on the port side wrote; the same waits and results as SerialPort.
    TerminalReceived read(std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                          std::stop_token stop);
    bool write(std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
               std::stop_token stop);

    // Closes both sides now (what an unplugged adapter looks like to the port's user).
    void close();

private:
    PseudoTerminal(int master, int portHold, std::string portPath)
        : master_(master), portHold_(portHold), portPath_(std::move(portPath)) {}

    int master_ = -1;
    int portHold_ = -1;
    std::string portPath_;
};

}  // namespace tq370
