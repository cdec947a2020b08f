#include "platform/tcp_listener.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

namespace tq370 {

std::optional<TcpListener> TcpListener::listen(const NetAddress& local) {
    SocketHandle handle(socket(local.family(), SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!handle.valid()) return std::nullopt;
    int one = 1;
    setsockopt(handle.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(handle.get(), local.get(), local.length) != 0) return std::nullopt;
    if (::listen(handle.get(), 4) != 0) return std::nullopt;
    return TcpListener(std::move(handle));
}

std::optional<TcpListener::Accepted> TcpListener::accept(double ms, const Clock& clock,
                                                         std::stop_token stop) {
    if (waitForSocket(handle_.get(), POLLIN, ms, clock, stop) != WaitStatus::Ready) {
        return std::nullopt;
    }
    NetAddress peer;
    peer.length = sizeof peer.storage;
    SocketHandle accepted(accept4(handle_.get(), reinterpret_cast<sockaddr*>(&peer.storage),
                                  &peer.length, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!accepted.valid()) return std::nullopt;
    int one = 1;
    setsockopt(accepted.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return Accepted{TcpStream(std::move(accepted)), peer};
}

}  // namespace tq370
