#pragma once

#include <string_view>

#include "text/text_entry.h"

namespace tq370 {

// Texts of the engine that are not entries of the UI string table.

inline constexpr std::string_view TEXT_THREAD_START_FAILED = "创建串口发送线程失败！";

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

}  // namespace tq370
