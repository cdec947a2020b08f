#include "transports/wifi_discovery_rules.h"

namespace tq370 {

std::vector<std::uint8_t> discoveryQueryDatagram() {
    const std::string_view query = textSlotPrefix(TEXT_SLOT_GET_IP);
    return {query.begin(), query.end()};
}

std::vector<std::uint8_t> textCommandDatagram(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::uint8_t> datagram(text.begin(), text.end());
    datagram.push_back(0);
    return datagram;
}

std::vector<std::uint32_t> subnetSweepAddresses(std::uint32_t ownAddress) {
    std::vector<std::uint32_t> addresses;
    addresses.reserve(253);
    for (std::uint32_t host = 2; host <= 254; ++host) {
        addresses.push_back((ownAddress & 0xFFFFFF00u) | host);
    }
    return addresses;
}

LinkState linkStateOf(std::uint32_t linkAddress, std::uint32_t ownAddress) {
    if (linkAddress == LINK_ADDRESS_UNKNOWN) return LinkState::Unknown;
    if (linkAddress == 0) return LinkState::Free;
    if (linkAddress == ownAddress) return LinkState::Ours;
    return LinkState::OtherPc;
}

bool mayConnectTcp(std::uint32_t processorAddress, std::uint32_t linkAddress,
                   std::uint32_t ownAddress) {
    if (processorAddress == 0) return false;
    LinkState state = linkStateOf(linkAddress, ownAddress);
    return state == LinkState::Free || state == LinkState::Ours;
}

bool linkQueryNeeded(std::uint32_t linkAddress, std::uint32_t ownAddress) {
    LinkState state = linkStateOf(linkAddress, ownAddress);
    return state == LinkState::Unknown || state == LinkState::OtherPc;
}

}  // namespace tq370
