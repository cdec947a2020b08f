#include "link/wifi_settings.h"

#include <algorithm>

#include "link/text_slots.h"

namespace tq370 {
namespace {

struct ReadCommand {
    int slot;
    std::string_view text;
    bool pending;
};

// The port queries are written for completeness but never asked.
constexpr ReadCommand READ_COMMANDS[] = {
    {TEXT_SLOT_GET_IP, GET_IP_QUERY, true},
    {TEXT_SLOT_GET_WIFI_MODE, "Get_WiFiMode:", true},
    {TEXT_SLOT_GET_TCP_PORT, "Get_TCPPort:", false},
    {TEXT_SLOT_GET_UDP_PORT, "Get_UDPPort:", false},
    {TEXT_SLOT_GET_ROUTE_SSID, "Get_RouteSSID:", true},
    {TEXT_SLOT_GET_ROUTE_PW, "Get_RoutePW:", true},
    {TEXT_SLOT_GET_HOT_SSID, "Get_HotSSID:", true},
    {TEXT_SLOT_GET_HOT_PW, "Get_HotPW:", true},
};

// By language index: Simplified Chinese, Traditional Chinese, English.
constexpr std::array<std::string_view, LANGUAGE_COUNT> SSID_EMPTY_TEXTS = {
    "SSID不能为空!", "SSID不能為空!", "SSID can't be empty!"};
constexpr std::array<std::string_view, LANGUAGE_COUNT> PASSWORD_SHORT_TEXTS = {
    "密码不能小于8位!", "密碼不能小於8位!", "Password cannot be less than eight!"};

// Characters, not bytes: a UTF-8 sequence counts once.
std::size_t characterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

std::string settingCommandText(std::string_view prefix, std::string_view value) {
    std::string text(prefix.substr(0, TEXT_COMMAND_MAX_BYTES));
    for (char c : value) {
        if (text.size() >= TEXT_COMMAND_MAX_BYTES) break;
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte <= 127) text.push_back(c);
    }
    return text;
}

WifiSettingRequest hotspotSettingCommands(std::string_view ssid, std::string_view password) {
    WifiSettingRequest request;
    if (ssid.empty()) {
        request.problem = WifiSettingProblem::SsidEmpty;
        return request;
    }
    request.commands.push_back({TEXT_SLOT_SET_HOT_SSID, settingCommandText("Set_HotSSID:", ssid)});
    std::size_t length = characterCount(password);
    if (length > 0 && length < HOT_PASSWORD_MIN_LENGTH) {
        request.problem = WifiSettingProblem::PasswordTooShort;
        return request;
    }
    request.commands.push_back({TEXT_SLOT_SET_HOT_PW, settingCommandText("Set_HotPW:", password)});
    return request;
}

WifiSettingRequest routerSettingCommands(std::string_view ssid, std::string_view password) {
    WifiSettingRequest request;
    if (ssid.empty()) {
        request.problem = WifiSettingProblem::SsidEmpty;
        return request;
    }
    request.commands.push_back(
        {TEXT_SLOT_SET_ROUTE_SSID, settingCommandText("Set_RouteSSID:", ssid)});
    request.commands.push_back(
        {TEXT_SLOT_SET_ROUTE_PW, settingCommandText("Set_RoutePW:", password)});
    return request;
}

std::string_view wifiSettingProblemText(WifiSettingProblem problem, Language language) {
    auto index = static_cast<std::size_t>(language);
    if (index >= LANGUAGE_COUNT) index = static_cast<std::size_t>(Language::English);
    switch (problem) {
        case WifiSettingProblem::SsidEmpty:
            return SSID_EMPTY_TEXTS[index];
        case WifiSettingProblem::PasswordTooShort:
            return PASSWORD_SHORT_TEXTS[index];
        case WifiSettingProblem::None:
            break;
    }
    return "";
}

TextCommand wifiModeCommand(WifiMode mode) {
    return {TEXT_SLOT_SET_WIFI_MODE,
            mode == WifiMode::Router ? "Set_WiFiMode:2" : "Set_WiFiMode:1"};
}

WifiMode wifiModeFromValue(std::int32_t value) {
    return value == 2 ? WifiMode::Router : WifiMode::Hotspot;
}

void queueTextCommand(LinkContext& context, const TextCommand& command) {
    if (command.slot < 0 || command.slot >= TEXT_SLOT_COUNT) return;
    TextSlot& slot = context.textSlots[static_cast<std::size_t>(command.slot)];
    slot.setText(command.text);
    // A new command gets the full number of sends, whatever an earlier one used up.
    slot.retry.store(0, std::memory_order_relaxed);
    slot.pending.store(1, std::memory_order_release);
}

void queueWifiReadCommands(LinkContext& context) {
    for (const ReadCommand& command : READ_COMMANDS) {
        if (command.pending) {
            queueTextCommand(context, {command.slot, std::string(command.text)});
        } else {
            context.textSlots[static_cast<std::size_t>(command.slot)].setText(
                std::string(command.text));
        }
    }
}

std::optional<std::string> replyTextAfterPrefix(std::string_view slotText,
                                                std::string_view prefix) {
    std::size_t at = slotText.find(prefix);
    if (at == std::string_view::npos) return std::nullopt;
    return std::string(slotText.substr(at + prefix.size()));
}

}  // namespace tq370
