#include "app/delay_link_seats.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/artwork.h"
#include "controls/font_faces.h"
#include "params/param_encoding.h"
#include "params/register_access.h"

namespace tq370 {
namespace {

constexpr int CAR_BITMAP = 177;
constexpr int SOURCE_IMAGE = 178;
constexpr int BOX_FONT = 12;
constexpr double SEAT_NUMBER_PX = 11;
const QString FACE = QStringLiteral("微软雅黑");

// Slots 0..9 sit in five rows, even slots on the left and odd ones on the right; slot 10
// in front and slot 11 at the back. Seat rows start 9 pixels above their button rows.
constexpr std::array<int, 5> SEAT_TOPS = {111, 161, 211, 311, 361};
constexpr int BUTTON_BELOW_SEAT = 9;
constexpr int CONTROL_HEIGHT = 19;

// Indexed by group value; 0 is no group.
constexpr std::array<QRgb, CHANNEL_COUNT + 1> GROUP_COLOURS = {
    qRgb(50, 50, 50),   qRgb(254, 0, 0),    qRgb(220, 76, 1), qRgb(254, 102, 0), qRgb(254, 166, 0),
    qRgb(254, 229, 26), qRgb(115, 225, 0),  qRgb(0, 254, 0),  qRgb(0, 225, 127), qRgb(0, 102, 225),
    qRgb(18, 10, 251),  qRgb(163, 41, 204), qRgb(140, 8, 24),
};

QRect edges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int rowTop(int slot) {
    return SEAT_TOPS[static_cast<std::size_t>(slot / 2)];
}

bool onLeft(int slot) {
    return slot % 2 == 0;
}

}  // namespace

QRect DelayLinkSeats::seatRect(int slot) {
    if (slot == 10) return edges(226, 47, 259, 70);
    if (slot == 11) return edges(226, 467, 259, 490);
    const int y = rowTop(slot);
    return onLeft(slot) ? edges(107, y, 130, y + 33) : edges(347, y, 370, y + 33);
}

QRect DelayLinkSeats::sourceButtonRect(int slot) {
    if (slot == 10) return edges(233, 28, 252, 47);
    if (slot == 11) return edges(233, 509, 252, 528);
    const int y = rowTop(slot) + BUTTON_BELOW_SEAT;
    return onLeft(slot) ? edges(51, y, 70, y + CONTROL_HEIGHT)
                        : edges(407, y, 426, y + CONTROL_HEIGHT);
}

QRect DelayLinkSeats::delayBoxRect(int slot) {
    if (slot == 10) return edges(224, 70, 261, 89);
    if (slot == 11) return edges(224, 490, 261, 509);
    const int y = rowTop(slot) + BUTTON_BELOW_SEAT;
    return onLeft(slot) ? edges(70, y, 107, y + CONTROL_HEIGHT)
                        : edges(370, y, 407, y + CONTROL_HEIGHT);
}

QColor DelayLinkSeats::groupColour(int group) {
    const bool known = group > 0 && group < static_cast<int>(GROUP_COLOURS.size());
    return QColor(GROUP_COLOURS[known ? static_cast<std::size_t>(group) : 0]);
}

DelayLinkSeats::DelayLinkSeats(QWidget* parent, const RegisterAccess& registers,
                               GroupArray& delayGroup, DelayEdited delayEdited)
    : MessageWindow(parent),
      registers_(registers),
      groups_(delayGroup),
      editor_(delayGroup),
      delayEdited_(std::move(delayEdited)),
      car_(loadArtwork(CAR_BITMAP)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(WIDTH, HEIGHT);
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        auto* button = new ImageButton(this, ID_SOURCE_BUTTON + s, s);
        button->setGeometry(sourceButtonRect(s));
        button->setButtonImage(SOURCE_IMAGE, this);
        button->setButtonCheck(ImageButton::TOGGLE_OFF);
        button->setToolTip(QStringLiteral("CH%1").arg(s + 1));
        sourceButtons_[at(s)] = button;

        auto* box = new ValueBox(this, ID_DELAY_BOX + s);
        box->setGeometry(delayBoxRect(s));
        box->setFormat({ValueKind::DelayMs, 0, DELAY_MAX_SAMPLES, 1, "%0.3f"});
        box->setNotifyIndex(s);
        box->setBoxFont(BOX_FONT, Qt::white, FACE);
        delayBoxes_[at(s)] = box;
    }
    blink_.setInterval(BLINK_MS);
    QObject::connect(&blink_, &QTimer::timeout, this, [this] { blink(); });
    showDelays();
    followEditor();
}

QColor DelayLinkSeats::seatColour(int slot) const {
    const int group = groups_[at(slot)];
    const int source = editor_.activeSource();
    if (source >= 0 && group == 0 && blinkLit_) return groupColour(source + 1);
    return groupColour(group);
}

void DelayLinkSeats::blink() {
    blinkLit_ = !blinkLit_;
    update();
}

LResult DelayLinkSeats::handleMessage(unsigned message, WParam, LParam) {
    const int source = static_cast<int>(message) - ID_SOURCE_BUTTON;
    if (source >= 0 && source < CHANNEL_COUNT) {
        sourceToggled(source);
        return 1;
    }
    const int box = static_cast<int>(message) - ID_DELAY_BOX;
    if (box >= 0 && box < CHANNEL_COUNT) {
        // Written through the main window, which also copies it to the slot's group.
        if (delayEdited_) delayEdited_(box, delayBox(box).position());
        showDelays();
        return 1;
    }
    return 0;
}

void DelayLinkSeats::sourceToggled(int slot) {
    if (sourceButton(slot).buttonCheck() == ImageButton::TOGGLE_ON) {
        editor_.pressSource(slot);
    } else {
        editor_.releaseSource();
    }
    followEditor();
}

void DelayLinkSeats::followEditor() {
    const int active = editor_.activeSource();
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        ImageButton& button = sourceButton(s);
        const bool enabled = editor_.sourceEnabled(s);
        // A disabled button keeps its state: it is set while still enabled.
        if (enabled) button.setEnabled(true);
        button.setButtonCheck(s == active ? ImageButton::TOGGLE_ON : ImageButton::TOGGLE_OFF);
        button.setEnabled(enabled);
    }
    if (active >= 0 && !blink_.isActive()) {
        blinkLit_ = false;
        blink_.start();
    } else if (active < 0) {
        blink_.stop();
    }
    update();
}

void DelayLinkSeats::showDelays() {
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        delayBox(s).setPosition(decodeDelay(registers_.getRegister(REG_CHANNEL_DELAY + s)));
    }
}

int DelayLinkSeats::seatAt(QPoint point) const {
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        if (seatRect(s).contains(point)) return s;
    }
    return -1;
}

void DelayLinkSeats::mousePressEvent(QMouseEvent* event) {
    const int seat = seatAt(event->position().toPoint());
    if (seat < 0 || editor_.activeSource() < 0) return;
    if (event->button() == Qt::LeftButton) {
        editor_.addSeat(seat);
        setCursor(Qt::PointingHandCursor);
    } else if (event->button() == Qt::RightButton) {
        editor_.removeSeat(seat);
    }
    followEditor();
}

void DelayLinkSeats::mouseMoveEvent(QMouseEvent* event) {
    const int seat = seatAt(event->position().toPoint());
    const bool linkable = editor_.activeSource() >= 0 && seat >= 0 && groups_[at(seat)] == 0;
    setCursor(linkable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void DelayLinkSeats::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(rect(), car_);
    painter.setFont(faceFont(FACE, SEAT_NUMBER_PX));
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        const QRectF seat = QRectF(seatRect(s)).adjusted(1, 1, -1, -1);
        const QColor fill = seatColour(s);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(seat, 3, 3);
        // The channel's number, readable on dark and on bright group colours.
        painter.setPen(fill.lightness() > 140 ? Qt::black : Qt::white);
        painter.drawText(seat, Qt::AlignCenter, QString::number(s + 1));
    }
}

}  // namespace tq370
