#include "platform/tcp_stream.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace tq370 {

std::optional<TcpStream> TcpStream::connect(const NetAddress& to, double ms, const Clock& clock,
                                            std::stop_token stop) {
    SocketHandle handle(socket(to.family(), SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!handle.valid()) return std::nullopt;
    int one = 1;
    if (setsockopt(handle.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one) != 0) {
        return std::nullopt;
    }
    if (::connect(handle.get(), to.get(), to.length) != 0) {
        if (errno != EINPROGRESS) return std::nullopt;
        if (waitForSocket(handle.get(), POLLOUT, ms, clock, stop) != WaitStatus::Ready) {
            return std::nullopt;
        }
        int err = 0;
        socklen_t len = sizeof err;
        if (getsockopt(handle.get(), SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
            return std::nullopt;
        }
    }
    return TcpStream(std::move(handle));
}

bool TcpStream::sendAll(std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
                        std::stop_token stop) {
    while (!bytes.empty()) {
        ssize_t n = send(handle_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (waitForSocket(handle_.get(), POLLOUT, ms, clock, stop) != WaitStatus::Ready) {
                return false;
            }
            continue;
        }
        return false;
    }
    return true;
}

TcpStream::Received TcpStream::receive(std::span<std::uint8_t> buffer, double ms,
                                       const Clock& clock, std::stop_token stop) {
    const double endMs = static_cast<double>(clock.nowMs()) + ms;
    for (;;) {
        double leftMs = endMs - static_cast<double>(clock.nowMs());
        switch (waitForSocket(handle_.get(), POLLIN, leftMs, clock, stop)) {
            case WaitStatus::Ready:
                break;
            case WaitStatus::TimedOut:
                return {Status::TimedOut, 0};
            case WaitStatus::Stopped:
                return {Status::Stopped, 0};
            case WaitStatus::Failed:
                return {Status::Failed, 0};
        }
        ssize_t n = recv(handle_.get(), buffer.data(), buffer.size(), 0);
        if (n > 0) return {Status::Data, static_cast<std::size_t>(n)};
        if (n == 0) return {buffer.empty() ? Status::Data : Status::Closed, 0};
        // A wake-up without data (EAGAIN) or a signal waits again for the time left.
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return {Status::Failed, 0};
    }
}

}  // namespace tq370
