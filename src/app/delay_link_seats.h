#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTimer>

#include <array>
#include <functional>

#include "controls/image_button.h"
#include "controls/message_window.h"
#include "controls/value_box.h"
#include "params/delay_link_editor.h"

namespace tq370 {

class RegisterAccess;

// The delay-link dialog's picture of the car: one seat per channel filled with its delay
// group's colour, a source button and a delay box beside it. Pressing a source button
// and then clicking seats adds them to the source's group (a right click takes a seat
// out); while a source is pressed the seats not yet linked blink in its colour.
class DelayLinkSeats : public MessageWindow {
public:
    static constexpr int WIDTH = 493;
    static constexpr int HEIGHT = 562;
    static constexpr int ID_SOURCE_BUTTON = 10524;  // + slot
    static constexpr int ID_DELAY_BOX = 10324;      // + slot
    static constexpr int BLINK_MS = 500;

    // delayEdited(slot, samples) writes a delay the user changed here; the registers are
    // read for what the boxes show.
    using DelayEdited = std::function<void(int slot, int samples)>;
    DelayLinkSeats(QWidget* parent, const RegisterAccess& registers, GroupArray& delayGroup,
                   DelayEdited delayEdited);

    static QRect seatRect(int slot);
    static QRect sourceButtonRect(int slot);
    static QRect delayBoxRect(int slot);
    // The colour of a group value (0: no group).
    static QColor groupColour(int group);

    ImageButton& sourceButton(int slot) { return *sourceButtons_[at(slot)]; }
    ValueBox& delayBox(int slot) { return *delayBoxes_[at(slot)]; }
    const DelayLinkEditor& editor() const { return editor_; }
    bool isBlinking() const { return blink_.isActive(); }
    // What seat `slot` is filled with in the next picture.
    QColor seatColour(int slot) const;
    // One blink step, as the timer takes it.
    void blink();

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    static std::size_t at(int index) { return static_cast<std::size_t>(index); }
    int seatAt(QPoint point) const;
    void sourceToggled(int slot);
    void followEditor();
    void showDelays();

    const RegisterAccess& registers_;
    GroupArray& groups_;
    DelayLinkEditor editor_;
    DelayEdited delayEdited_;
    QImage car_;
    QTimer blink_;
    bool blinkLit_ = false;
    std::array<ImageButton*, CHANNEL_COUNT> sourceButtons_{};
    std::array<ValueBox*, CHANNEL_COUNT> delayBoxes_{};
};

}  // namespace tq370
