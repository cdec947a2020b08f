#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>

#include "base/clock.h"
#include "platform/net_address.h"
#include "platform/socket_wait.h"

namespace tq370 {

// A UDP socket of one address family, unbound unless bind is called (the system then picks
// the local port on the first send). Closed when destroyed. One thread at a time.
class UdpSocket {
public:
    enum class BindStatus {
        Bound,
        PermissionDenied,  // a privileged port without the capability to bind it
        InUse,             // another socket has the address and port
        Failed,
    };

    struct Bound;  // below: it holds a UdpSocket

    // nullopt when the system refuses a socket.
    static std::optional<UdpSocket> open(int family);

    // A socket bound to local, optionally allowed to broadcast. When the port is refused
    // for lack of privilege (ports below 1024 need cap_net_bind_service), it is bound to a
    // port the system picks on the same address instead, and portRefused says so.
    static Bound openBound(const NetAddress& local, bool allowBroadcast);

    // Binds to a local address and port (port 0: the system picks one).
    BindStatus bind(const NetAddress& local);
    // Allows sendTo to broadcast addresses; false when refused.
    bool enableBroadcast();
    // The local port once bound or after the first send; nullopt before.
    std::optional<std::uint16_t> localPort() const;

    // False when the datagram was not sent whole.
    bool sendTo(const NetAddress& to, std::span<const std::uint8_t> bytes);
    WaitStatus waitReadable(double ms, const Clock& clock, std::stop_token stop) const;
    // One datagram into buffer (truncated to its size); nullopt on error or when none is
    // waiting.
    std::optional<std::size_t> receive(std::span<std::uint8_t> buffer);
    // The same, also telling where the datagram came from.
    std::optional<std::size_t> receiveFrom(std::span<std::uint8_t> buffer, NetAddress& from);

private:
    explicit UdpSocket(SocketHandle handle) : handle_(std::move(handle)) {}
    SocketHandle handle_;
};

struct UdpSocket::Bound {
    std::optional<UdpSocket> socket;         // empty when no socket could be bound
    BindStatus status = BindStatus::Failed;  // of the port asked for
    bool portRefused = false;                // bound to another port instead
};

}  // namespace tq370
