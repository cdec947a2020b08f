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

// Whether two addresses name the same host and port (family, address and port alike).
bool sameEndpoint(const NetAddress& a, const NetAddress& b);

// An IPv4 address given as a 32-bit number whose most significant byte is the first of
// the four dotted fields (127.0.0.2 is 0x7F000002).
NetAddress ipv4Address(std::uint32_t address, std::uint16_t port);
// The 32-bit number of an IPv4 address; nullopt for another family.
std::optional<std::uint32_t> ipv4Number(const NetAddress& address);

// "a.b.c.d" of such a number, the most significant byte first.
std::string ipv4Text(std::uint32_t address);
// The number of a dotted-quad text such as "127.0.0.2"; nullopt for anything else.
std::optional<std::uint32_t> parseIpv4(const std::string& text);

// Resolves a host name or numeric address; an IPv4 result is preferred when the name has
// both. nullopt when the name does not resolve. Blocks for as long as the resolver takes.
std::optional<NetAddress> resolveHost(const std::string& host, std::uint16_t port);

}  // namespace tq370
