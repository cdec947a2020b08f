#include "platform/net_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>

namespace tq370 {

std::string NetAddress::text() const {
    char host[NI_MAXHOST];
    char port[NI_MAXSERV];
    if (getnameinfo(get(), length, host, sizeof host, port, sizeof port,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        return "?";
    }
    if (family() == AF_INET6) return std::string("[") + host + "]:" + port;
    return std::string(host) + ":" + port;
}

bool sameEndpoint(const NetAddress& a, const NetAddress& b) {
    if (a.family() != b.family()) return false;
    if (a.family() == AF_INET) {
        const auto& x = reinterpret_cast<const sockaddr_in&>(a.storage);
        const auto& y = reinterpret_cast<const sockaddr_in&>(b.storage);
        return x.sin_port == y.sin_port && x.sin_addr.s_addr == y.sin_addr.s_addr;
    }
    if (a.family() == AF_INET6) {
        const auto& x = reinterpret_cast<const sockaddr_in6&>(a.storage);
        const auto& y = reinterpret_cast<const sockaddr_in6&>(b.storage);
        return x.sin6_port == y.sin6_port &&
               std::memcmp(&x.sin6_addr, &y.sin6_addr, sizeof x.sin6_addr) == 0;
    }
    return false;
}

NetAddress NetAddress::withPort(std::uint16_t port) const {
    NetAddress other = *this;
    if (family() == AF_INET) {
        reinterpret_cast<sockaddr_in*>(&other.storage)->sin_port = htons(port);
    } else if (family() == AF_INET6) {
        reinterpret_cast<sockaddr_in6*>(&other.storage)->sin6_port = htons(port);
    }
    return other;
}

NetAddress ipv4Address(std::uint32_t address, std::uint16_t port) {
    NetAddress result;
    auto* in = reinterpret_cast<sockaddr_in*>(&result.storage);
    in->sin_family = AF_INET;
    in->sin_port = htons(port);
    in->sin_addr.s_addr = htonl(address);
    result.length = sizeof(sockaddr_in);
    return result;
}

std::optional<std::uint32_t> ipv4Number(const NetAddress& address) {
    if (address.family() != AF_INET) return std::nullopt;
    return ntohl(reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_addr.s_addr);
}

std::string ipv4Text(std::uint32_t address) {
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
           std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::optional<std::uint32_t> parseIpv4(const std::string& text) {
    in_addr parsed{};
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) return std::nullopt;
    return ntohl(parsed.s_addr);
}

std::optional<NetAddress> resolveHost(const std::string& host, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* results = nullptr;
    std::string service = std::to_string(port);
    if (host.empty() || getaddrinfo(host.c_str(), service.c_str(), &hints, &results) != 0) {
        return std::nullopt;
    }
    const addrinfo* chosen = nullptr;
    for (const addrinfo* ai = results; ai; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET && ai->ai_family != AF_INET6) continue;
        if (!chosen || (ai->ai_family == AF_INET && chosen->ai_family != AF_INET)) chosen = ai;
    }
    std::optional<NetAddress> address;
    if (chosen && chosen->ai_addrlen <= sizeof(sockaddr_storage)) {
        address.emplace();
        std::memcpy(&address->storage, chosen->ai_addr, chosen->ai_addrlen);
        address->length = chosen->ai_addrlen;
    }
    freeaddrinfo(results);
    return address;
}

}  // namespace tq370
