#include "platform/terminal_io.h"

#include "platform/socket_wait.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace tq370 {
namespace {

enum class PollStatus { Ready, Vanished, TimedOut, Stopped };

// Like a socket wait, but a terminal that reports only a hang-up or an error is gone.
PollStatus pollTerminal(int fd, short events, double endMs, const Clock& clock,
                        const std::stop_token& stop) {
    auto deadline = std::chrono::steady_clock::now() +
                    clock.toReal(std::max(0.0, endMs - static_cast<double>(clock.nowMs())));
    PollOutcome outcome = pollUntil(fd, events, deadline, stop);
    switch (outcome.status) {
        case WaitStatus::Ready:
            return (outcome.revents & events) ? PollStatus::Ready : PollStatus::Vanished;
        case WaitStatus::TimedOut:
            return PollStatus::TimedOut;
        case WaitStatus::Stopped:
            return PollStatus::Stopped;
        case WaitStatus::Failed:
            break;
    }
    return PollStatus::Vanished;
}

}  // namespace

TerminalReceived readTerminal(int fd, std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                              std::stop_token stop) {
    const double endMs = static_cast<double>(clock.nowMs()) + ms;
    for (;;) {
        switch (pollTerminal(fd, POLLIN, endMs, clock, stop)) {
            case PollStatus::Ready:
                break;
            case PollStatus::TimedOut:
                return {TerminalReadStatus::TimedOut, 0};
            case PollStatus::Stopped:
                return {TerminalReadStatus::Stopped, 0};
            case PollStatus::Vanished:
                return {TerminalReadStatus::Vanished, 0};
        }
        if (buffer.empty()) return {TerminalReadStatus::Data, 0};
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n > 0) return {TerminalReadStatus::Data, static_cast<std::size_t>(n)};
        // A readable terminal that yields nothing has been hung up; EIO is a pseudo-
        // terminal whose other side closed or an adapter that was unplugged.
        if (n == 0) return {TerminalReadStatus::Vanished, 0};
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            return {TerminalReadStatus::Vanished, 0};
        }
    }
}

bool writeTerminal(int fd, std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
                   std::stop_token stop) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const double endMs = static_cast<double>(clock.nowMs()) + ms;
            if (pollTerminal(fd, POLLOUT, endMs, clock, stop) != PollStatus::Ready) return false;
            continue;
        }
        return false;
    }
    return true;
}

}  // namespace tq370
