#include "controls/value_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "controls/font_faces.h"

namespace tq370 {

namespace {

const QColor FRAME_COLOUR(38, 38, 38);
constexpr int FRAME_INSET = 2;
constexpr int DIM_ALPHA = 150;  // the not-editable veil over the face

QColor blend(QColor top, int alpha, QColor below) {
    const auto mix = [alpha](int a, int b) { return (a * alpha + b * (255 - alpha)) / 255; };
    return QColor(mix(top.red(), below.red()), mix(top.green(), below.green()),
                  mix(top.blue(), below.blue()));
}

}  // namespace

ValueBox::ValueBox(QWidget* parent, int controlId)
    : MessageWindow(parent, controlId), edit_(new QLineEdit(this)) {
    edit_->setObjectName(QStringLiteral("edit%1").arg(EDIT_FIELD_ID));
    edit_->setFrame(false);
    edit_->setAlignment(Qt::AlignCenter);
    edit_->setAttribute(Qt::WA_MacShowFocusRect, false);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    setAttribute(Qt::WA_NoSystemBackground);
    setBoxFont(fontHeight_, textColour_, faceName_);
    refresh();
}

void ValueBox::setFormat(const ValueFormat& valueFormat) {
    format_ = valueFormat;
    refresh();
}

void ValueBox::setRange(int minPosition, int maxPosition) {
    format_.minPosition = minPosition;
    format_.maxPosition = maxPosition;
    refresh();
}

void ValueBox::setDivisor(int divisor) {
    format_.divisor = divisor;
    refresh();
}

void ValueBox::setValueKind(ValueKind kind) {
    format_.kind = kind;
    refresh();
}

void ValueBox::setFormatText(const std::string& format) {
    format_.formatText = format;
    refresh();
}

void ValueBox::setEditable(bool editable) {
    editable_ = editable;
    edit_->setReadOnly(!editable);
    edit_->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    if (!editable && edit_->hasFocus()) edit_->clearFocus();
    applyEditColours();
    update();
}

void ValueBox::setFramed(bool framed) {
    framed_ = framed;
    layoutEditField();
    update();
}

void ValueBox::setBackgroundColours(QColor normal, QColor focused) {
    normalColour_ = normal;
    focusedColour_ = focused;
    applyEditColours();
    update();
}

void ValueBox::setBoxFont(int height, QColor textColour, const QString& faceName) {
    fontHeight_ = height;
    textColour_ = textColour;
    faceName_ = faceName;
    edit_->setFont(faceFont(faceName, cellHeightToPixelSize(height)));
    applyEditColours();
    layoutEditField();
    update();
}

void ValueBox::setPosition(int position) {
    position_ = position;
    refresh();
}

void ValueBox::setRealValue(double r) {
    position_ = positionFromReal(format_, r);
    // Painted with the next frame: a read-back sets hundreds of boxes in a row.
    refresh();
}

double ValueBox::getRealValue() const {
    return realValue(format_, position_);
}

QString ValueBox::text() const {
    return edit_->text();
}

int ValueBox::parsedText() const {
    return parsePosition(format_, edit_->text().toStdString());
}

void ValueBox::notify() {
    sendToParent(notifyIndex_, position_);
}

void ValueBox::refresh() {
    position_ = std::clamp(position_, format_.minPosition,
                           std::max(format_.minPosition, format_.maxPosition));
    const QString shown = format_.formatText.empty()
                              ? QString()
                              : QString::fromStdString(formatPosition(format_, position_));
    if (edit_->text() != shown) edit_->setText(shown);
    update();
}

void ValueBox::layoutEditField() {
    const int inset = framed_ ? FRAME_INSET : 0;
    const QRect inner = rect().adjusted(inset, inset, -inset, -inset);
    edit_->setGeometry(inner.isValid() ? inner : QRect());
}

void ValueBox::applyEditColours() {
    // The edit field is transparent over the face; when the box is not editable its
    // text takes the colour the dimming veil gives it.
    const QColor background = currentBackground();
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Window, Qt::transparent);
    palette.setColor(QPalette::Text,
                     editable_ ? textColour_ : blend(background, DIM_ALPHA, textColour_));
    palette.setColor(QPalette::Highlight, background.lighter(160));
    palette.setColor(QPalette::HighlightedText, textColour_);
    edit_->setPalette(palette);
    edit_->setAutoFillBackground(false);
}

void ValueBox::focusGained() {
    focused_ = true;
    applyEditColours();
    position_ = parsedText();
    refresh();
    notify();
}

void ValueBox::focusLost() {
    focused_ = false;
    applyEditColours();
    const int parsed = parsedText();
    const bool changed = parsed != position_;
    position_ = parsed;
    refresh();
    if (changed) notify();
}

void ValueBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor background = currentBackground();
    painter.fillRect(rect(), background);
    if (framed_) {
        painter.setPen(FRAME_COLOUR);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (!editable_) {
        QColor veil = background;
        veil.setAlpha(DIM_ALPHA);
        painter.fillRect(rect(), veil);
    }
}

void ValueBox::resizeEvent(QResizeEvent*) {
    layoutEditField();
}

void ValueBox::mousePressEvent(QMouseEvent*) {
    if (editable_) edit_->setFocus(Qt::MouseFocusReason);
}

void ValueBox::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (!editable_) return;
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    position_ = parsedText() + (delta > 0 ? 1 : -1);
    refresh();
    notify();
    repaint();
}

bool ValueBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return MessageWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::FocusIn:
            focusGained();
            break;
        case QEvent::FocusOut:
            focusLost();
            break;
        case QEvent::Wheel:
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        case QEvent::KeyPress: {
            if (!editable_) break;
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Return &&
                key != Qt::Key_Enter) {
                break;
            }
            position_ = parsedText() + (key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0);
            refresh();
            notify();
            repaint();
            return true;
        }
        default:
            break;
    }
    return MessageWindow::eventFilter(watched, event);
}

}  // namespace tq370
