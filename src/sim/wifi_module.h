#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/simulated_identity.h"

namespace tq370 {

// The simulated processor's WiFi module: what its text commands read and change.
struct WifiModuleState {
    std::uint32_t ipAddress = 0xC0A80401;  // 192.168.4.1
    std::uint32_t linkedPc = 0;            // address of the PC linked over TCP; 0: none
    int wifiMode = 1;
    int tcpPort = SIMULATED_WIFI_PORT;
    int udpPort = SIMULATED_WIFI_PORT;
    std::string routerSsid = "TQ-Router";
    std::string routerPassword = "12345678";
    std::string hotspotSsid = "TQ-R480";
    std::string hotspotPassword = "12345678";
    int restarts = 0;
    int restores = 0;
};

// Answers one text command as the module does: a query gets its prefix and the value, a
// setting is applied and gets its prefix back. The command ends at its first zero byte
// (datagrams carry one). nullopt for a text that is no command. Used for frames of
// command 0x57 and for UDP datagrams alike.
std::optional<std::string> answerTextCommand(WifiModuleState& state, std::string_view command);

}  // namespace tq370
