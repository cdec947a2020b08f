#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tq370 {

// One IPv4 address of a network interface; the address as a 32-bit number whose most
// significant byte is the first dotted field.
struct InterfaceAddress {
    std::string interfaceName;
    std::uint32_t address = 0;
    bool up = false;
    bool loopback = false;
};

// The IPv4 addresses of this PC's interfaces, in the system's order; empty when the
// system does not tell. Any thread.
std::vector<InterfaceAddress> interfaceAddresses();

// The address this PC has on the local network: the first address of an interface that is
// up and not loopback. (The host name often resolves to 127.0.1.1 on Linux, which tells
// nothing about the network a processor is on.) nullopt when there is none.
std::optional<std::uint32_t> chooseOwnAddress(std::span<const InterfaceAddress> addresses);

// chooseOwnAddress over interfaceAddresses().
std::optional<std::uint32_t> ownIpv4Address();

}  // namespace tq370
