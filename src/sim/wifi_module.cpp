#include "sim/wifi_module.h"

#include <charconv>
#include <cstdio>

namespace tq370 {
namespace {

std::string hex(std::uint32_t value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
    return digits;
}

std::string hexDigit(int value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
    return digits;
}

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> answerTextCommand(WifiModuleState& state, std::string_view command) {
    if (auto zero = command.find('\0'); zero != std::string_view::npos) {
        command = command.substr(0, zero);
    }
    struct Query {
        std::string_view prefix;
        std::string value;
    };
    const Query queries[] = {
        {"Get_IP:", hex(state.ipAddress)},
        {"Get_LinkIP:", hex(state.linkedPc)},
        {"Get_WiFiMode:", hexDigit(state.wifiMode)},
        {"Get_TCPPort:", std::to_string(state.tcpPort)},
        {"Get_UDPPort:", std::to_string(state.udpPort)},
        {"Get_RouteSSID:", state.routerSsid},
        {"Get_RoutePW:", state.routerPassword},
        {"Get_HotSSID:", state.hotspotSsid},
        {"Get_HotPW:", state.hotspotPassword},
    };
    for (const Query& q : queries) {
        if (command == q.prefix) return std::string(q.prefix) + q.value;
    }

    struct Setting {
        std::string_view prefix;
        std::string* text;
    };
    const Setting texts[] = {
        {"Set_RouteSSID:", &state.routerSsid},
        {"Set_RoutePW:", &state.routerPassword},
        {"Set_HotSSID:", &state.hotspotSsid},
        {"Set_HotPW:", &state.hotspotPassword},
    };
    for (const Setting& s : texts) {
        if (!command.starts_with(s.prefix)) continue;
        *s.text = std::string(command.substr(s.prefix.size()));
        return std::string(s.prefix);
    }

    constexpr std::string_view SET_MODE = "Set_WiFiMode:";
    if (command.starts_with(SET_MODE)) {
        auto mode = parseInt(command.substr(SET_MODE.size()));
        if (!mode) return std::nullopt;  // not a setting the module understands
        state.wifiMode = *mode;
        return std::string(SET_MODE);
    }
    if (command == "Set_Restore:") {
        WifiModuleState factory;
        factory.restarts = state.restarts;
        factory.restores = state.restores + 1;
        state = factory;
        return std::string(command);
    }
    if (command == "Set_Restart:") {
        ++state.restarts;
        return std::string(command);
    }
    return std::nullopt;
}

}  // namespace tq370
