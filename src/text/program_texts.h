#pragma once

#include <string_view>

#include "text/language.h"
#include "text/text_entry.h"

namespace tq370 {

// The program's texts that are not entries of the UI string table: the small lists the
// engine, the transports and the update keep for themselves, in the same three languages.

// A text that exists in one language only, shown with that language's identifier.
struct SingleLanguageText {
    std::string_view text;
    Language language;
};

// --- The sync engine.
inline constexpr SingleLanguageText TEXT_THREAD_START_FAILED = {"创建串口发送线程失败！",
                                                                Language::SimplifiedChinese};
inline constexpr TextEntry TEXT_RECALL_FAILED = {"调用模式失败!", "調用模式失敗!",
                                                 "Invocation pattern of failure!"};
inline constexpr TextEntry TEXT_UPDATE_SCENE = {"更新场景参数:%5.0f %%", "更新場景參數:%5.0f %%",
                                                "Update Scene Data:%5.0f %%"};
// Appended to the "Call" entry in the progress window of a mode recall.
inline constexpr std::string_view TEXT_ELLIPSIS = "...";

// Window caption: the program name, followed by the link's suffix (TransportTraits).
inline constexpr std::string_view CAPTION_PROGRAM = "TQ370";

// Confirmations of the WiFi module settings, the same in every language.
inline constexpr std::string_view CAPTION_WIFI = "WiFi";
inline constexpr std::string_view TEXT_ROUTER_SET = "Set RouteS:OK";
inline constexpr std::string_view TEXT_HOTSPOT_SET = "Set Hot:OK";
inline constexpr std::string_view TEXT_WIFI_MODE_SET = "WiFiMode:OK";
inline constexpr std::string_view TEXT_RESTORE_DONE = "Restore:OK";
inline constexpr std::string_view TEXT_RESTART_DONE = "Restart:OK";

// The checks of the WiFi module's settings.
inline constexpr TextEntry TEXT_SSID_EMPTY = {"SSID不能为空!", "SSID不能為空!",
                                              "SSID can't be empty!"};
inline constexpr TextEntry TEXT_PASSWORD_SHORT = {"密码不能小于8位!", "密碼不能小於8位!",
                                                  "Password cannot be less than eight!"};

// --- The transports: hints about this PC's set-up, in English only. The formats take the
// values named in their comments.

// Added to the channel lock's name while another program holds the USB channel.
inline constexpr SingleLanguageText TEXT_CHANNEL_BLOCKED_SUFFIX = {" Channel is Blocked!",
                                                                   Language::English};
// The vendor and product identifiers, as "%04x:%04x".
inline constexpr SingleLanguageText TEXT_USB_NO_PERMISSION = {
    "The processor (USB %04x:%04x) is connected, but this user may not open it. Install the "
    "udev rule from resources/linux (see the README), then unplug and replug the processor.",
    Language::English};
// The UDP port.
inline constexpr SingleLanguageText TEXT_WIFI_PORT_IN_USE = {
    "The WiFi text channel cannot be opened: UDP port %u is in use or refused. It is tried "
    "again every two seconds.",
    Language::English};
// The wanted port, the port used instead, the wanted port again and the program's path.
inline constexpr SingleLanguageText TEXT_WIFI_PORT_PRIVILEGED = {
    "UDP port %u may be used only with the capability to bind privileged ports; port %u is "
    "used instead. Processors that answer to port %u only are found once the program may bind "
    "it: sudo setcap cap_net_bind_service=+ep %s",
    Language::English};
// The UDP port.
inline constexpr SingleLanguageText TEXT_WIFI_FIREWALL = {
    "No processor has answered on WiFi yet. A firewall may drop the processor's replies to a "
    "broadcast: allow incoming UDP on port %u.",
    Language::English};

// --- The online update.
// English only.
inline constexpr SingleLanguageText TEXT_UPDATE_BY_PACKAGE = {
    "A newer version of TQ370 is available. This copy is installed in the system, whose "
    "package manager keeps its files: install the new package (for example with "
    "sudo apt install ./tq370_VERSION_amd64.deb) instead of updating it here.",
    Language::English};
inline constexpr TextEntry TEXT_UPDATE_QUESTION = {"软件有更新,是否更新!", "軟件有更新,是否更新!",
                                                   "Software update,Whether to update!"};

}  // namespace tq370
