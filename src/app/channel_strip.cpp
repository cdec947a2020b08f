#include "app/channel_strip.h"

#include <QPainter>

#include "app/position_menu.h"
#include "app/window_messages.h"
#include "controls/artwork.h"
#include "controls/caption_layout.h"
#include "params/param_item.h"
#include "params/speaker_position.h"
#include "text/language.h"

namespace tq370 {
namespace {

const QString FACE = QStringLiteral("微软雅黑");
const QColor CAPTION_OFF(0xd8, 0xdc, 0xe2);
const QColor CAPTION_ON(0xff, 0xff, 0xff);
constexpr unsigned CAPTION_ALIGN = ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER;

constexpr int BACKGROUND_BITMAP = 149;
constexpr int BACKGROUND_LEFT = 4;
constexpr int BACKGROUND_TOP = 8;
// Input toggles past the shown ones are put out of sight.
constexpr int OUT_OF_SIGHT_TOP = -1000;

struct ButtonLook {
    DesignRect rect;  // inside the strip's 106 × 104
    int image;
    double fontSize;
};

ButtonLook lookOf(int index) {
    if (index == ChannelStrip::BUTTON_NAME) return {{5, 9, 101, 28}, 150, 14};
    if (index == ChannelStrip::BUTTON_POSITION) return {{5, 30, 101, 49}, 150, 12};
    if (index == ChannelStrip::BUTTON_MUTE) return {{68, 79, 101, 98}, 152, 0};
    const int input = index - ChannelStrip::BUTTON_FIRST_INPUT;  // 0..11
    const int column = input % 6;
    const int top = input < 6 ? 57 : 80;
    return {{4 + 16 * column, top, 20 + 16 * column, top + 16}, 151, 10};
}

bool isInput(int index) {
    return index >= ChannelStrip::BUTTON_FIRST_INPUT && index < ChannelStrip::BUTTON_COUNT;
}

}  // namespace

ChannelStrip::ChannelStrip(MessageWindow* mainWindow, int slot, SpeakerPositions& positions)
    : MessageWindow(mainWindow),
      slot_(slot),
      positions_(positions),
      halves_(loadArtwork(BACKGROUND_BITMAP)) {
    setAttribute(Qt::WA_NoSystemBackground);
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const ButtonLook look = lookOf(i);
        auto* button = new ImageButton(this, ID_STRIP_BUTTON_FIRST + i, i);
        // At its design size, so that the strip's frames are counted right.
        button->resize(look.rect.right - look.rect.left, look.rect.bottom - look.rect.top);
        button->setButtonImage(look.image, this);
        button->setButtonTextStyle(look.fontSize, FACE, CAPTION_OFF, CAPTION_ON, CAPTION_ALIGN);
        if (i == BUTTON_MUTE || isInput(i)) button->setButtonCheck(ImageButton::TOGGLE_OFF);
        if (isInput(i)) button->setCaption(QString::number(i - BUTTON_FIRST_INPUT + 1));
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    button(BUTTON_NAME).setCaption(QStringLiteral("CH%1").arg(slot + 1));
    layoutStrip(scale_);
    relabel();
}

void ChannelStrip::layoutStrip(const Scale& scale) {
    scale_ = scale;
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const ButtonLook look = lookOf(i);
        QRect place = scaledStretched(look.rect, scale);
        if (isInput(i) && i >= SHOWN_INPUTS + BUTTON_FIRST_INPUT) place.moveTop(OUT_OF_SIGHT_TOP);
        ImageButton& b = button(i);
        b.setGeometry(place);
        b.setButtonTextStyle(look.fontSize * scale.s, FACE, CAPTION_OFF, CAPTION_ON, CAPTION_ALIGN);
    }
    update();
}

int ChannelStrip::encodeItem(int item) const {
    const auto state = [this](int index) {
        return static_cast<int>(buttons_[static_cast<std::size_t>(index)]->buttonCheck()) - 1;
    };
    if (item >= STRIP_ITEM_ROUTING_FIRST && item <= STRIP_ITEM_ROUTING_LAST) {
        return state(item + BUTTON_FIRST_INPUT) > 0 ? 1 : 0;
    }
    if (item == STRIP_ITEM_MUTE) return state(BUTTON_MUTE);
    if (item == STRIP_ITEM_POSITION) return positions_[static_cast<std::size_t>(slot_)];
    return 0;
}

void ChannelStrip::showItem(int item, int value) {
    const auto show = [this](int index, bool on) {
        button(index).setButtonCheck(on ? ImageButton::TOGGLE_ON : ImageButton::TOGGLE_OFF);
    };
    if (item >= STRIP_ITEM_ROUTING_FIRST && item <= STRIP_ITEM_ROUTING_LAST) {
        show(item + BUTTON_FIRST_INPUT, (value & 0xFF) != 0);
    } else if (item == STRIP_ITEM_MUTE) {
        show(BUTTON_MUTE, value > 0);
    } else if (item == STRIP_ITEM_POSITION) {
        positions_[static_cast<std::size_t>(slot_)] = value;
        relabel();
    }
}

void ChannelStrip::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    update();
}

void ChannelStrip::setPositionEnabled(bool enabled) {
    button(BUTTON_POSITION).setEnabled(enabled);
}

void ChannelStrip::relabel() {
    const auto label =
        speakerPositionLabel(positions_[static_cast<std::size_t>(slot_)], currentLanguage());
    if (label) button(BUTTON_POSITION).setCaption(QString::fromStdString(*label));
}

std::unique_ptr<QMenu> ChannelStrip::positionMenu() {
    return buildPositionMenu(this, positions_[static_cast<std::size_t>(slot_)],
                             availablePositions(slot_, positions_));
}

LResult ChannelStrip::handleMessage(unsigned message, WParam wParam, LParam) {
    const int code = static_cast<int>(message) - ID_POSITION_COMMAND_FIRST;
    if (code >= 0 && code < SPEAKER_POSITION_COUNT) {
        choosePosition(code);
        return 1;
    }
    const int index = static_cast<int>(message) - ID_STRIP_BUTTON_FIRST;
    if (index < 0 || index >= BUTTON_COUNT || wParam != index) return 0;
    MessageWindow* mainWindow = parentWindow();
    if (index == BUTTON_NAME) {
        send(mainWindow, WM_SELECT_CHANNEL, 0, slot_);
    } else if (index == BUTTON_POSITION) {
        openPositionMenu();
    } else if (index == BUTTON_MUTE) {
        send(mainWindow, WM_SET_PARAM, slot_, STRIP_ITEM_MUTE);
    } else {
        send(mainWindow, WM_SET_PARAM, slot_, index - BUTTON_FIRST_INPUT);
    }
    return 1;
}

void ChannelStrip::openPositionMenu() {
    const std::unique_ptr<QMenu> menu = positionMenu();
    const ImageButton& position = button(BUTTON_POSITION);
    QAction* chosen = menu->exec(position.mapToGlobal(position.rect().bottomLeft()));
    if (chosen) send(this, ID_POSITION_COMMAND_FIRST + chosen->data().toInt(), 0, 0);
}

void ChannelStrip::choosePosition(int code) {
    positions_[static_cast<std::size_t>(slot_)] = code;
    send(parentWindow(), WM_SET_PARAM, slot_, STRIP_ITEM_POSITION);
    relabel();
}

void ChannelStrip::paintEvent(QPaintEvent*) {
    // The main window's picture shows around; one half of the strip bitmap lies on it.
    if (halves_.isNull()) return;
    const int halfWidth = halves_.width() / 2;
    const QRect source(selected_ ? halfWidth : 0, 0, halfWidth, halves_.height());
    const QRectF target(scaled(BACKGROUND_LEFT * scale_.sx), scaled(BACKGROUND_TOP * scale_.sy),
                        halfWidth * scale_.sx, halves_.height() * scale_.sy);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, halves_, source);
}

}  // namespace tq370
