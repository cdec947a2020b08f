#include "platform/udp_socket.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace tq370 {

std::optional<UdpSocket> UdpSocket::open(int family) {
    SocketHandle handle(socket(family, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!handle.valid()) return std::nullopt;
    return UdpSocket(std::move(handle));
}

UdpSocket::Bound UdpSocket::openBound(const NetAddress& local, bool allowBroadcast) {
    Bound result;
    std::optional<UdpSocket> socket = open(local.family());
    if (!socket || (allowBroadcast && !socket->enableBroadcast())) return result;
    result.status = socket->bind(local);
    if (result.status == BindStatus::PermissionDenied) {
        if (socket->bind(local.withPort(0)) != BindStatus::Bound) return result;
        result.portRefused = true;
    } else if (result.status != BindStatus::Bound) {
        return result;
    }
    result.socket = std::move(socket);
    return result;
}

UdpSocket::BindStatus UdpSocket::bind(const NetAddress& local) {
    if (::bind(handle_.get(), local.get(), local.length) == 0) return BindStatus::Bound;
    switch (errno) {
        case EACCES:
        case EPERM:
            return BindStatus::PermissionDenied;
        case EADDRINUSE:
            return BindStatus::InUse;
        default:
            return BindStatus::Failed;
    }
}

bool UdpSocket::enableBroadcast() {
    int one = 1;
    return setsockopt(handle_.get(), SOL_SOCKET, SO_BROADCAST, &one, sizeof one) == 0;
}

std::optional<std::uint16_t> UdpSocket::localPort() const {
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (getsockname(handle_.get(), reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
        return std::nullopt;
    }
    std::uint16_t port = 0;
    if (storage.ss_family == AF_INET) {
        port = ntohs(reinterpret_cast<const sockaddr_in*>(&storage)->sin_port);
    } else if (storage.ss_family == AF_INET6) {
        port = ntohs(reinterpret_cast<const sockaddr_in6*>(&storage)->sin6_port);
    }
    if (port == 0) return std::nullopt;
    return port;
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

std::optional<std::size_t> UdpSocket::receiveFrom(std::span<std::uint8_t> buffer,
                                                  NetAddress& from) {
    from = NetAddress{};
    from.length = sizeof from.storage;
    ssize_t n = recvfrom(handle_.get(), buffer.data(), buffer.size(), 0,
                         reinterpret_cast<sockaddr*>(&from.storage), &from.length);
    if (n < 0) return std::nullopt;
    return static_cast<std::size_t>(n);
}

}  // namespace tq370
