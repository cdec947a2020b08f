#pragma once

#include "text/text_entry.h"

// Texts of the program's own windows that are not entries of the UI string table.
namespace tq370 {

// Message-box buttons, as the system captions them in each language.
inline constexpr TextEntry TEXT_BUTTON_OK = {"确定", "確定", "OK"};
inline constexpr TextEntry TEXT_BUTTON_CANCEL = {"取消", "取消", "Cancel"};
inline constexpr TextEntry TEXT_BUTTON_YES = {"是", "是", "Yes"};
inline constexpr TextEntry TEXT_BUTTON_NO = {"否", "否", "No"};

// The title row's menu (a right click on the title) and the about box.
inline constexpr TextEntry TEXT_ABOUT_ENTRY = {"关于 TQ-R480(&A)...", "關於 TQ-R480(&A)...",
                                               "About TQ-R480(&A)..."};
inline constexpr TextEntry TEXT_ABOUT_CAPTION = {"关于 TQ370", "關於 TQ370", "About TQ370"};
inline constexpr TextEntry TEXT_ABOUT_BODY = {"TQ-R480 调音软件", "TQ-R480 調音軟件",
                                              "Tuning software for the TQ-R480"};

// While the program runs against its built-in simulated processor: appended to the window
// title, and told in the title row.
inline constexpr TextEntry TEXT_DEMO_SUFFIX = {" 演示", " 演示", " Demo"};
inline constexpr TextEntry TEXT_DEMO_NOTICE = {"演示：内置的模拟处理器", "演示：內置的模擬處理器",
                                               "Demo: the built-in simulated processor"};

// The WiFi client list.
inline constexpr TextEntry TEXT_WIFI_LIST_COLUMN = {"Client IP", "Client IP", "Client IP"};

}  // namespace tq370
