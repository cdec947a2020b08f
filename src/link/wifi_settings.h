#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_context.h"
#include "link/text_slots.h"
#include "text/language.h"

namespace tq370 {

// The WiFi module's settings as text commands: the checks an SSID and a password must
// pass, the commands that carry them, and the reading of the replies.

// The longest command text, prefix included.
constexpr std::size_t TEXT_COMMAND_MAX_BYTES = 99;
// Hotspot passwords of 1 to this many characters are refused (WPA needs 8).
constexpr std::size_t HOT_PASSWORD_MIN_LENGTH = 8;

struct TextCommand {
    int slot = 0;
    std::string text;

    bool operator==(const TextCommand&) const = default;
};

// prefix followed by the value's bytes from 32 to 127 (the module takes plain ASCII, so
// every other byte, Chinese characters included, is dropped), cut to 99 bytes in all.
// The value is UTF-8.
std::string settingCommandText(std::string_view prefix, std::string_view value);

// The most bytes of a value that fit in one command after prefix.
std::size_t settingValueMaxBytes(std::string_view prefix);
// Whether the module takes value as it is: printable ASCII (32 to 126) only.
bool isPlainSettingValue(std::string_view value);

enum class WifiSettingProblem {
    None,
    SsidEmpty,
    PasswordTooShort,  // hotspot only; the SSID command is still made
};

struct WifiSettingRequest {
    std::vector<TextCommand> commands;  // to queue, in this order
    WifiSettingProblem problem = WifiSettingProblem::None;
};

// "Set_HotSSID:" and "Set_HotPW:". An empty password is sent as it is; one of 1 to 7
// characters is refused after the SSID command.
WifiSettingRequest hotspotSettingCommands(std::string_view ssid, std::string_view password);
// "Set_RouteSSID:" and "Set_RoutePW:"; the router's password is not checked.
WifiSettingRequest routerSettingCommands(std::string_view ssid, std::string_view password);

// The message for a problem ("" for None), in the given language.
std::string_view wifiSettingProblemText(WifiSettingProblem problem, Language language);

enum class WifiMode { Hotspot = 1, Router = 2 };
// "Set_WiFiMode:1" or "Set_WiFiMode:2".
TextCommand wifiModeCommand(WifiMode mode);
// The "Get_WiFiMode:" value: 2 is router mode, anything else hotspot mode.
WifiMode wifiModeFromValue(std::int32_t value);

// Writes the text, then sets pending (so a sender that sees pending sees the text).
void queueTextCommand(LinkContext& context, const TextCommand& command);

// The queries that read the module's settings, as the slot table says: each query's text
// goes into its slot, and the queued ones are marked pending.
void queueWifiReadCommands(LinkContext& context);

// What a string reply carries after its query's prefix; nullopt when the slot text does
// not contain the prefix (the slot still holds the query or an unrelated text).
std::optional<std::string> replyTextAfterPrefix(std::string_view slotText, std::string_view prefix);
// The same for the text held by slot, after that slot's own prefix.
std::optional<std::string> slotReplyText(const LinkContext& context, int slot);

}  // namespace tq370
