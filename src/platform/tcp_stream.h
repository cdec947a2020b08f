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

// A connected TCP stream with small-packet coalescing (Nagle) switched off. Every call
// waits at most the time it is given. Closed when destroyed. One thread at a time.
class TcpStream {
public:
    enum class Status { Data, TimedOut, Closed, Failed, Stopped };
    struct Received {
        Status status = Status::Failed;
        std::size_t size = 0;  // bytes stored, > 0 only with Data
    };

    // nullopt when the connection is refused, fails or is not made within ms.
    static std::optional<TcpStream> connect(const NetAddress& to, double ms, const Clock& clock,
                                            std::stop_token stop);

    // Sends every byte, waiting at most ms for room each time; false otherwise.
    bool sendAll(std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
                 std::stop_token stop);
    // Waits up to ms for bytes, then stores what has arrived (at most buffer's size).
    // Closed: the peer ended the stream.
    Received receive(std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                     std::stop_token stop);

private:
    friend class TcpListener;
    explicit TcpStream(SocketHandle handle) : handle_(std::move(handle)) {}
    SocketHandle handle_;
};

}  // namespace tq370
