#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stop_token>

#include "base/clock.h"

namespace tq370 {

// Timed reads and writes on a non-blocking terminal descriptor, either side of a
// pseudo-terminal included.

enum class TerminalReadStatus {
    Data,      // size bytes were stored
    TimedOut,  // nothing arrived within the time given
    Vanished,  // hang-up or read error: the other side or the device is gone
    Stopped,   // the stop token was triggered
};

struct TerminalReceived {
    TerminalReadStatus status = TerminalReadStatus::Vanished;
    std::size_t size = 0;
};

// Waits up to ms protocol milliseconds for bytes and stores what has arrived (at most
// the buffer's size). A stop request ends the wait within a few tens of milliseconds.
TerminalReceived readTerminal(int fd, std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                              std::stop_token stop);

// Writes every byte, waiting at most ms for room each time; false otherwise (also when
// the other side has gone).
bool writeTerminal(int fd, std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
                   std::stop_token stop);

}  // namespace tq370
