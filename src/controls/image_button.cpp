#include "controls/image_button.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "controls/artwork.h"
#include "controls/caption_layout.h"
#include "controls/font_faces.h"

namespace tq370 {

namespace {

const QColor NO_HOST_BACKGROUND(240, 240, 240);

}  // namespace

ImageButton::ImageButton(QWidget* parent, int controlId, int index)
    : MessageWindow(parent, controlId), index_(index) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
}

void ImageButton::setButtonImage(int resourceNumber, QWidget* host) {
    setButtonImage(loadArtwork(resourceNumber), host);
}

void ImageButton::setButtonImage(const QImage& strip, QWidget* host) {
    strip_ = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Counted once, at the width the button has now: a host that scales its buttons
    // later keeps the strip's frames.
    frameCount_ =
        strip_.isNull() ? DEFAULT_FRAMES : std::max(1, strip_.width() / std::max(1, width()));
    host_ = host;
    invalidate();
}

void ImageButton::setButtonCheck(Check state) {
    if (!isEnabled()) return;
    toggleState_ = state;
    followToggleState();
    pressed_ = false;
    invalidate();
}

void ImageButton::setButtonTextStyle(double pixelSize, const QString& faceName, QColor colourOff,
                                     QColor colourOn, unsigned alignFlags, int style) {
    captionSize_ = pixelSize;
    faceName_ = faceName;
    colourOff_ = colourOff;
    colourOn_ = colourOn;
    alignFlags_ = alignFlags;
    fontStyle_ = style;
    invalidate();
}

void ImageButton::setCaption(const QString& caption) {
    caption_ = caption;
    invalidate();
}

void ImageButton::setTextRect(const QRect& imageRect) {
    textRect_ = imageRect;
    invalidate();
}

QRectF ImageButton::scaledTextRect() const {
    if (strip_.isNull() || strip_.height() == 0) return QRectF(rect());
    const double frameWidth = static_cast<double>(strip_.width()) / frameCount();
    const double xScale = width() / frameWidth;
    const double yScale = static_cast<double>(height()) / strip_.height();
    const QRectF image =
        textRect_.isEmpty() ? QRectF(0, 0, frameWidth, strip_.height()) : QRectF(textRect_);
    return QRectF(image.left() * xScale, image.top() * yScale, image.width() * xScale,
                  image.height() * yScale);
}

QRect ImageButton::activeArea() const {
    return scaledTextRect().toRect().intersected(rect().adjusted(1, 1, -1, -1));
}

const QImage& ImageButton::picture() {
    if (!pictureValid_ || picture_.size() != size()) render();
    return picture_;
}

void ImageButton::render() {
    pictureValid_ = true;
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(host_ ? QColor(Qt::transparent) : NO_HOST_BACKGROUND);

    QPainter painter(&picture_);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!strip_.isNull()) {
        if (frame_ >= frameCount()) frame_ = 0;
        const double frameWidth = static_cast<double>(strip_.width()) / frameCount();
        const auto frameSource = [&](int frame) {
            return QRectF(frame * frameWidth, 0, frameWidth, strip_.height());
        };
        painter.drawImage(QRectF(rect()), strip_, frameSource(frame_));
        if (hovering_ && isEnabled() && HOVER_FRAME < frameCount()) {
            painter.drawImage(QRectF(rect()), strip_, frameSource(HOVER_FRAME));
        }
    }

    if (!caption_.isEmpty()) {
        const QRectF box = scaledTextRect().adjusted(0, 0, -1, -1);
        const QFont font = faceFont(faceName_, captionSize_, fontStyle_);
        const CaptionLayout layout = layoutCaption(caption_, font, box, alignFlags_);
        painter.fillPath(captionPath(layout, font),
                         toggleState_ == TOGGLE_ON ? colourOn_ : colourOff_);
    }
}

void ImageButton::invalidate() {
    pictureValid_ = false;
    update();
}

int ImageButton::frameCount() const {
    return frameCount_;
}

void ImageButton::followToggleState() {
    frame_ = toggleState_ == TOGGLE_ON ? 1 : 0;
}

void ImageButton::updateHover(const QPoint& pos) {
    const bool inside = activeArea().contains(pos);
    if (inside == hovering_) return;
    hovering_ = inside;
    setCursor(inside ? Qt::PointingHandCursor : Qt::ArrowCursor);
    invalidate();
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void ImageButton::resizeEvent(QResizeEvent*) {
    invalidate();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (pressed_ && !activeArea().contains(pos)) {
        // Leaving the active area ends the press: the release will not click.
        pressed_ = false;
        hovering_ = false;
        setCursor(Qt::ArrowCursor);
        invalidate();
        return;
    }
    if (!pressed_) updateHover(pos);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !clickable_) return;
    if (!activeArea().contains(event->position().toPoint())) return;
    pressed_ = true;
    setCursor(Qt::PointingHandCursor);
    invalidate();
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_ || !clickable_) return;
    if (toggleState_ != PUSH) {
        toggleState_ = toggleState_ == TOGGLE_ON ? TOGGLE_OFF : TOGGLE_ON;
        followToggleState();
    }
    hovering_ = false;
    pressed_ = false;
    postToParent(index_, index_);
    updateHover(event->position().toPoint());
    invalidate();
}

void ImageButton::leaveEvent(QEvent*) {
    if (!hovering_ || pressed_) return;
    hovering_ = false;
    setCursor(Qt::ArrowCursor);
    invalidate();
}

void ImageButton::focusOutEvent(QFocusEvent*) {
    hovering_ = false;
    invalidate();
}

void ImageButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        // The toggle state survives a disable, so enabling shows what was shown before.
        hovering_ = false;
        pressed_ = false;
        if (isEnabled()) {
            followToggleState();
        } else {
            frame_ = DISABLED_FRAME;
        }
        invalidate();
    }
    MessageWindow::changeEvent(event);
}

}  // namespace tq370
