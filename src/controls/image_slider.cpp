#include "controls/image_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "controls/artwork.h"
#include "controls/tolerant_truncate.h"

namespace tq370 {

ImageSlider::ImageSlider(QWidget* parent, int controlId) : MessageWindow(parent, controlId) {
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
}

void ImageSlider::setSliderStyle(int styleRow, QWidget* host, int resourceNumber) {
    setSliderStyle(styleRow, host, loadArtwork(resourceNumber));
}

void ImageSlider::setSliderStyle(int styleRow, QWidget* host, const QImage& artwork) {
    styleRow_ = std::clamp(styleRow, 0, static_cast<int>(SLIDER_STYLES.size()) - 1);
    artwork_ = artwork.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    host_ = host;
    invalidate();
}

void ImageSlider::setSliderValue(double value) {
    sliderValue_ = tolerantTruncate(value * valueScale_);
    // Painted with the next frame: a read-back sets many sliders in a row.
    invalidate();
}

void ImageSlider::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    invalidate();
}

void ImageSlider::setRange(int minValue, int maxValue) {
    minValue_ = minValue;
    maxValue_ = maxValue;
    invalidate();
}

void ImageSlider::setVertical(bool vertical) {
    vertical_ = vertical;
    invalidate();
}

SliderGeometry ImageSlider::geometry() const {
    return sliderGeometry(SLIDER_STYLES[styleRow_], vertical_, width(), height());
}

QRect ImageSlider::currentThumbRect() const {
    const int value = std::clamp(sliderValue_, minValue_, std::max(minValue_, maxValue_));
    return thumbRect(geometry(), value, minValue_, maxValue_);
}

void ImageSlider::notify() {
    sliderValue_ = std::clamp(sliderValue_, minValue_, std::max(minValue_, maxValue_));
    sendToParent(notifyIndex_, sliderValue_);
}

void ImageSlider::stepBy(double delta) {
    sliderValue_ = tolerantTruncate(sliderValue_ + delta);
    notify();
    invalidate();
    repaint();
}

const QImage& ImageSlider::picture() {
    if (!pictureValid_ || picture_.size() != size()) render();
    return picture_;
}

void ImageSlider::render() {
    pictureValid_ = true;
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(host_ ? QColor(Qt::transparent) : QColor(240, 240, 240));
    if (artwork_.isNull()) return;

    const SliderStyle& style = SLIDER_STYLES[styleRow_];
    const SliderGeometry g = geometry();
    const QRect thumb = currentThumbRect();
    const double pos =
        valueToPosition(g, std::clamp(sliderValue_, minValue_, std::max(minValue_, maxValue_)),
                        minValue_, maxValue_);
    const double w = width();
    const double h = height();
    const double iw = style.imageWidth;
    const double ih = style.imageHeight;
    const QRect& thumbSource = focusLook_ || highlighted_ ? style.focusedThumb : style.normalThumb;

    QPainter painter(&picture_);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (vertical_) {
        // Above the thumb the first track image, below it the second (beside the first).
        const double cut = pos / g.yScale;
        painter.drawImage(QRectF(0, 0, w, pos), artwork_, QRectF(0, 0, iw, cut));
        painter.drawImage(QRectF(0, pos, w, h - pos), artwork_, QRectF(iw, cut, iw, ih - cut));
        painter.drawImage(QRectF(0, thumb.top(), w, thumb.height()), artwork_,
                          QRectF(0, thumbSource.top(), iw, thumbSource.height()));
    } else {
        // Left of the thumb the first track image, right of it the second (below it).
        const double cut = pos / g.xScale;
        painter.drawImage(QRectF(0, 0, pos, h), artwork_, QRectF(0, 0, cut, ih));
        painter.drawImage(QRectF(pos, 0, w - pos, h), artwork_, QRectF(cut, ih, iw - cut, ih));
        painter.drawImage(QRectF(thumb.left(), 0, thumb.width(), h), artwork_, QRectF(thumbSource));
    }
}

void ImageSlider::invalidate() {
    pictureValid_ = false;
    update();
}

void ImageSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void ImageSlider::resizeEvent(QResizeEvent*) {
    invalidate();
}

void ImageSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    if (currentThumbRect().contains(event->position().toPoint())) {
        dragging_ = true;
        setCursor(Qt::PointingHandCursor);
        notify();
    }
    focusLook_ = true;
    invalidate();
    repaint();
}

void ImageSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ImageSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    sliderValue_ = positionToValue(geometry(), along(event->position()), minValue_, maxValue_);
    invalidate();
    repaint();
    notify();
}

void ImageSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    unsetCursor();
    invalidate();
    notify();
    repaint();
}

void ImageSlider::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    stepBy(delta > 0 ? step_ : -step_);
    event->accept();
}

void ImageSlider::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        stepBy(step_);
    } else if (event->key() == Qt::Key_Down) {
        stepBy(-step_);
    } else {
        MessageWindow::keyPressEvent(event);
    }
}

void ImageSlider::focusOutEvent(QFocusEvent*) {
    focusLook_ = false;
    invalidate();
    repaint();
}

}  // namespace tq370
