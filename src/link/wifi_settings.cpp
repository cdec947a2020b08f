#include "link/wifi_settings.h"

#include <algorithm>

#include "link/text_slots.h"
#include "text/program_texts.h"

namespace tq370 {
namespace {

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

std::size_t settingValueMaxBytes(std::string_view prefix) {
    return prefix.size() < TEXT_COMMAND_MAX_BYTES ? TEXT_COMMAND_MAX_BYTES - prefix.size() : 0;
}

bool isPlainSettingValue(std::string_view value) {
    return std::all_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 32 && byte <= 126;
    });
}

WifiSettingRequest hotspotSettingCommands(std::string_view ssid, std::string_view password) {
    WifiSettingRequest request;
    if (ssid.empty()) {
        request.problem = WifiSettingProblem::SsidEmpty;
        return request;
    }
    request.commands.push_back(
        {TEXT_SLOT_SET_HOT_SSID, settingCommandText(textSlotPrefix(TEXT_SLOT_SET_HOT_SSID), ssid)});
    std::size_t length = characterCount(password);
    if (length > 0 && length < HOT_PASSWORD_MIN_LENGTH) {
        request.problem = WifiSettingProblem::PasswordTooShort;
        return request;
    }
    request.commands.push_back(
        {TEXT_SLOT_SET_HOT_PW, settingCommandText(textSlotPrefix(TEXT_SLOT_SET_HOT_PW), password)});
    return request;
}

WifiSettingRequest routerSettingCommands(std::string_view ssid, std::string_view password) {
    WifiSettingRequest request;
    if (ssid.empty()) {
        request.problem = WifiSettingProblem::SsidEmpty;
        return request;
    }
    request.commands.push_back(
        {TEXT_SLOT_SET_ROUTE_SSID,
         settingCommandText(textSlotPrefix(TEXT_SLOT_SET_ROUTE_SSID), ssid)});
    request.commands.push_back(
        {TEXT_SLOT_SET_ROUTE_PW,
         settingCommandText(textSlotPrefix(TEXT_SLOT_SET_ROUTE_PW), password)});
    return request;
}

std::string_view wifiSettingProblemText(WifiSettingProblem problem, Language language) {
    switch (problem) {
        case WifiSettingProblem::SsidEmpty:
            return TEXT_SSID_EMPTY.in(language);
        case WifiSettingProblem::PasswordTooShort:
            return TEXT_PASSWORD_SHORT.in(language);
        case WifiSettingProblem::None:
            break;
    }
    return "";
}

TextCommand wifiModeCommand(WifiMode mode) {
    return {TEXT_SLOT_SET_WIFI_MODE, std::string(textSlotPrefix(TEXT_SLOT_SET_WIFI_MODE)) +
                                         (mode == WifiMode::Router ? "2" : "1")};
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
    for (const TextSlotRule& rule : textSlotRules()) {
        if (rule.read == SettingsRead::Queued) {
            queueTextCommand(context, {rule.slot, std::string(rule.prefix)});
        } else if (rule.read == SettingsRead::TextOnly) {
            context.textSlots[static_cast<std::size_t>(rule.slot)].setText(
                std::string(rule.prefix));
        }
    }
}

std::optional<std::string> replyTextAfterPrefix(std::string_view slotText,
                                                std::string_view prefix) {
    std::size_t at = slotText.find(prefix);
    if (at == std::string_view::npos) return std::nullopt;
    return std::string(slotText.substr(at + prefix.size()));
}

std::optional<std::string> slotReplyText(const LinkContext& context, int slot) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT) return std::nullopt;
    return replyTextAfterPrefix(context.textSlots[static_cast<std::size_t>(slot)].text(),
                                textSlotPrefix(slot));
}

}  // namespace tq370
