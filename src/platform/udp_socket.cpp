#include "platform/udp_socket.h"

#include <poll.h>
#include <sys/socket.h>

namespace tq370 {

std::optional<UdpSocket> UdpSocket::open(int family) {
    SocketHandle handle(socket(family, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!handle.valid()) return std::nullopt;
    return UdpSocket(std::move(handle));
}

bool UdpSocket::sendTo(const NetAddress& to, std::span<const std::uint8_t> bytes) {
    ssize_t n =
        sendto(handle_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL, to.get(), to.length);
    return n == static_cast<ssize_t>(bytes.size());
}

WaitStatus UdpSocket::waitReadable(double ms, const Clock& clock, std::stop_token stop) const {
    return waitForSocket(handle_.get(), POLLIN, ms, clock, stop);
}

std::optional<std::size_t> UdpSocket::receive(std::span<std::uint8_t> buffer) {
    ssize_t n = recv(handle_.get(), buffer.data(), buffer.size(), 0);
    if (n < 0) return std::nullopt;
    return static_cast<std::size_t>(n);
}

}  // namespace tq370
