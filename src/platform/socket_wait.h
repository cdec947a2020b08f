#pragma once

#include <chrono>
#include <stop_token>

#include "base/clock.h"

namespace tq370 {

enum class WaitStatus { Ready, TimedOut, Stopped, Failed };

struct PollOutcome {
    WaitStatus status = WaitStatus::Failed;
    short revents = 0;  // what poll reported, when Ready
};

// Polls the descriptor in short slices until it reports anything (an event asked for,
// an error or a hang-up: Ready with revents), the real-time deadline passes (TimedOut),
// the stop token is triggered (Stopped) or poll fails (Failed). The one poll loop of
// every descriptor wait.
PollOutcome pollUntil(int fd, short events, std::chrono::steady_clock::time_point deadline,
                      const std::stop_token& stop);

// Waits up to ms protocol milliseconds (scaled by the clock) until the descriptor has
// one of the poll events (POLLIN, POLLOUT). A stop request ends the wait within a few
// tens of real milliseconds. Failed: the descriptor is invalid or poll failed.
WaitStatus waitForSocket(int fd, short events, double ms, const Clock& clock, std::stop_token stop);

// Owns one socket descriptor; closes it when destroyed.
class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(int fd) : fd_(fd) {}
    SocketHandle(SocketHandle&& other) noexcept : fd_(other.release()) {}
    SocketHandle& operator=(SocketHandle&& other) noexcept;
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle();

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();

private:
    int fd_ = -1;
};

}  // namespace tq370
