#include "platform/socket_wait.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tq370 {
namespace {

// Longest single poll, so that a stop request is seen promptly.
constexpr int POLL_SLICE_MS = 20;

}  // namespace

PollOutcome pollUntil(int fd, short events, std::chrono::steady_clock::time_point deadline,
                      const std::stop_token& stop) {
    for (;;) {
        if (stop.stop_requested()) return {WaitStatus::Stopped, 0};
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        int sliceMs = static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, POLL_SLICE_MS));
        pollfd pfd{fd, events, 0};
        int n = poll(&pfd, 1, sliceMs);
        if (n > 0) return {WaitStatus::Ready, pfd.revents};
        if (n < 0 && errno != EINTR) return {WaitStatus::Failed, 0};
        if (n == 0 && std::chrono::steady_clock::now() >= deadline)
            return {WaitStatus::TimedOut, 0};
    }
}

WaitStatus waitForSocket(int fd, short events, double ms, const Clock& clock,
                         std::stop_token stop) {
    if (fd < 0) return WaitStatus::Failed;
    PollOutcome outcome =
        pollUntil(fd, events, std::chrono::steady_clock::now() + clock.toReal(ms), stop);
    // Errors and hang-ups count as ready: the following call reports them.
    if (outcome.status == WaitStatus::Ready && (outcome.revents & POLLNVAL))
        return WaitStatus::Failed;
    return outcome.status;
}

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = other.release();
    }
    return *this;
}

SocketHandle::~SocketHandle() {
    if (fd_ >= 0) close(fd_);
}

int SocketHandle::release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
}

}  // namespace tq370
