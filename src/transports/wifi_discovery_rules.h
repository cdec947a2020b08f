#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "link/processor_identity.h"
#include "link/text_slots.h"

namespace tq370 {

// IPv4 addresses below are 32-bit numbers whose most significant byte is the first of
// the four dotted fields.

constexpr std::uint32_t WIFI_BROADCAST_ADDRESS = 0xFFFFFFFF;
// The link address before the processor has answered "Get_LinkIP:".
constexpr std::uint32_t LINK_ADDRESS_UNKNOWN = 0xFFFFFFFF;

// The discovery query as broadcast and swept: the bare text, no terminator.
std::vector<std::uint8_t> discoveryQueryDatagram();

// A text command as the WiFi module takes it: the text up to its first zero byte, then one
// zero byte.
std::vector<std::uint8_t> textCommandDatagram(std::string_view text);

// The sweep of this PC's /24 network: its own address with the last field replaced by
// 2 to 254, in that order.
std::vector<std::uint32_t> subnetSweepAddresses(std::uint32_t ownAddress);

// What the processor's "Get_LinkIP:" answer says about its TCP link.
enum class LinkState {
    Unknown,  // not answered yet
    Free,     // linked to no PC
    Ours,     // linked to this PC already
    OtherPc,  // linked to another PC
};
LinkState linkStateOf(std::uint32_t linkAddress, std::uint32_t ownAddress);

// Whether WiFi connect may stop waiting and open the TCP link: a processor is known
// (never 0.0.0.0) and is free or already ours.
bool mayConnectTcp(std::uint32_t processorAddress, std::uint32_t linkAddress,
                   std::uint32_t ownAddress);

// Whether the discovery thread must (still) ask "Get_LinkIP:".
bool linkQueryNeeded(std::uint32_t linkAddress, std::uint32_t ownAddress);

}  // namespace tq370
