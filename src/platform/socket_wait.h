#pragma once

#include <stop_token>

#include "base/clock.h"

namespace tq370 {

enum class WaitStatus { Ready, TimedOut, Stopped, Failed };

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
