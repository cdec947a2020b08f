#pragma once

#include <optional>
#include <stop_token>

#include "base/clock.h"
#include "platform/net_address.h"
#include "platform/socket_wait.h"
#include "platform/tcp_stream.h"

namespace tq370 {

// A listening TCP socket, for the simulated WiFi module. Closed when destroyed. One
// thread at a time.
class TcpListener {
public:
    struct Accepted {
        TcpStream stream;
        NetAddress peer;
    };

    // nullopt when the address cannot be bound or listened on.
    static std::optional<TcpListener> listen(const NetAddress& local);

    // Waits up to ms for one connection; nullopt on time-out, stop or error.
    std::optional<Accepted> accept(double ms, const Clock& clock, std::stop_token stop);

private:
    explicit TcpListener(SocketHandle handle) : handle_(std::move(handle)) {}
    SocketHandle handle_;
};

}  // namespace tq370
