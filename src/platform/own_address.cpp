#include "platform/own_address.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace tq370 {

std::vector<InterfaceAddress> interfaceAddresses() {
    std::vector<InterfaceAddress> result;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return result;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
        InterfaceAddress address;
        address.interfaceName = entry->ifa_name ? entry->ifa_name : "";
        address.address =
            ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
        address.up = (entry->ifa_flags & IFF_UP) != 0;
        address.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
        result.push_back(std::move(address));
    }
    freeifaddrs(list);
    return result;
}

std::optional<std::uint32_t> chooseOwnAddress(std::span<const InterfaceAddress> addresses) {
    for (const InterfaceAddress& entry : addresses) {
        if (entry.up && !entry.loopback && entry.address != 0) return entry.address;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ownIpv4Address() {
    std::vector<InterfaceAddress> addresses = interfaceAddresses();
    return chooseOwnAddress(addresses);
}

}  // namespace tq370
