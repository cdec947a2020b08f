#pragma once

#include <sys/socket.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tq370 {

// A resolved IPv4 or IPv6 socket address with its port.
struct NetAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int family() const { return storage.ss_family; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&storage); }
    // The same address with another port.
    NetAddress withPort(std::uint16_t port) const;
    // Numeric form for messages, e.g. "127.0.0.1:24502" or "[::1]:24502".
    std::string text() const;
};

// Resolves a host name or numeric address; an IPv4 result is preferred when the name has
// both. nullopt when the name does not resolve. Blocks for as long as the resolver takes.
std::optional<NetAddress> resolveHost(const std::string& host, std::uint16_t port);

}  // namespace tq370
