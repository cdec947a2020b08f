#pragma once

#include <cstdint>

// The messages the main window handles (MessageWindow::send and post), with what their
// parameters carry. The language-changed message is text/language.h's WM_LANGUAGE_CHANGED.
namespace tq370 {

// From the link: wParam says what, lParam the details.
constexpr unsigned WM_LINK_NOTIFY = 0x401;
constexpr int LINK_NOTIFY_REGISTER = 0;      // lParam: the register to show again
constexpr int LINK_NOTIFY_STATUS = 4;        // lParam: LinkStatus
constexpr int LINK_NOTIFY_WIFI_CHOICE = 10;  // lParam: how many processors answered

// The registers the link reported, gathered (ChangedRegisters); no parameters.
constexpr unsigned WM_SHOW_CHANGED_REGISTERS = 0x402;

// A panel changed an item: wParam the sender (slot 0..11, or 100 + slot for the EQ
// panel), lParam the ParamItem.
constexpr unsigned WM_SET_PARAM = 0x57FC;
// lParam: the slot that becomes current.
constexpr unsigned WM_SELECT_CHANNEL = 0x5734;
// wParam 1 links the left/right pairs (lParam 1: left is the source, 2: right), 0 unlinks.
constexpr unsigned WM_LINK_PAIRS = 0x5798;

// Control identifiers of the main window.
constexpr int ID_WINDOW_BUTTON_FIRST = 3024;  // buttons 0..5; the notification's lParam
constexpr int ID_TITLE_LABEL = 4024;
constexpr int ID_MASTER_SLIDER = 4124;
constexpr int ID_MASTER_BOX = 4125;
constexpr int ID_MASTER_LABEL = 4126;

// Control identifiers inside a channel strip: buttons 0..14 (name, position, mute, inputs).
constexpr int ID_STRIP_BUTTON_FIRST = 3024;
// Position menu commands, one per SpeakerPosition code 0..24.
constexpr int ID_POSITION_COMMAND_FIRST = 11024;

}  // namespace tq370
