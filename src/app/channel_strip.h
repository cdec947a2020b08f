#pragma once

#include <QImage>
#include <QMenu>

#include <array>
#include <memory>

#include "app/design_layout.h"
#include "controls/image_button.h"
#include "controls/message_window.h"
#include "params/channel_register_map.h"

namespace tq370 {

// The SpeakerPosition code every strip shows, slot by slot; shared by the twelve strips
// (the position menu's availability looks at all of them) and owned by the main window.
// A code outside 0..24 from the processor is kept as it came.
using SpeakerPositions = std::array<int, CHANNEL_COUNT>;

// One output channel's strip: its name (which makes the channel current), its speaker
// position with the position menu, its mute switch and one toggle per input. It never
// writes a register: it tells the main window (its parent) what the user changed with
// WM_SET_PARAM and answers encodeItem; the main window shows values with showItem.
class ChannelStrip : public MessageWindow {
public:
    static constexpr int BUTTON_NAME = 0;
    static constexpr int BUTTON_POSITION = 1;
    static constexpr int BUTTON_MUTE = 2;
    static constexpr int BUTTON_FIRST_INPUT = 3;  // inputs 1..12 are buttons 3..14
    static constexpr int BUTTON_COUNT = 15;
    static constexpr int SHOWN_INPUTS = OFFERED_INPUT_COUNT;

    ChannelStrip(MessageWindow* mainWindow, int slot, SpeakerPositions& positions);

    // Places the buttons for the main window's scale factors.
    void layoutStrip(const Scale& scale);

    // The item's value as the write path takes it: a toggle 1 or 0, the mute 1 or 0, the
    // position code; 0 for any other item.
    int encodeItem(int item) const;
    // Shows a value from the table: a toggle (on when the low byte is not 0), the mute
    // (on above 0), the position (its label; a code outside 0..24 leaves the label).
    void showItem(int item, int value);

    void setSelected(bool selected);
    bool selected() const { return selected_; }
    // Off while left/right pairs are linked: positions cannot change then.
    void setPositionEnabled(bool enabled);
    // The labels in the current language.
    void relabel();

    int slot() const { return slot_; }
    ImageButton& button(int index) { return *buttons_[static_cast<std::size_t>(index)]; }
    // The position menu as it would open now: its actions carry the codes, and the
    // command of code c is the message ID_POSITION_COMMAND_FIRST + c to this strip.
    std::unique_ptr<QMenu> positionMenu();

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void openPositionMenu();
    void choosePosition(int code);

    const int slot_;
    SpeakerPositions& positions_;
    bool selected_ = false;
    Scale scale_;
    QImage halves_;  // bitmap 149: the idle and the selected background side by side
    std::array<ImageButton*, BUTTON_COUNT> buttons_{};
};

}  // namespace tq370
