#include "controls/surface.h"

#include <QPainter>

#include <algorithm>

#include "controls/artwork.h"

namespace tq370 {

namespace {

constexpr QImage::Format FORMAT = QImage::Format_ARGB32_Premultiplied;

}  // namespace

Surface::Surface(int width, int height) {
    resizeSurface(0, 0, width, height);
}

Surface::Surface(const QImage& image)
    : image_(image.convertToFormat(FORMAT)), right_(image.width()), bottom_(image.height()) {}

Surface Surface::fromResource(int resourceNumber) {
    return Surface(loadArtwork(resourceNumber));
}

bool Surface::resizeSurface(int left, int top, int right, int bottom) {
    if (right - left <= 0 || bottom - top <= 0) return false;
    image_ = QImage(right - left, bottom - top, FORMAT);
    image_.fill(Qt::transparent);
    QPainter painter(&image_);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(240, 240, 240));
    painter.drawRect(QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)));
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
    return true;
}

void Surface::growTo(int right, int bottom) {
    if (right <= image_.width() && bottom <= image_.height()) {
        right_ = std::max(right_, right);
        bottom_ = std::max(bottom_, bottom);
        return;
    }
    const QImage old = image_;
    if (!resizeSurface(0, 0, std::max(right, old.width()), std::max(bottom, old.height()))) return;
    if (!old.isNull()) {
        QPainter painter(&image_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, old);
    }
}

void Surface::copyInto(const QImage& source, int x, int y, int right, int bottom) {
    if (right <= x || bottom <= y) return;
    growTo(right, bottom);
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(x, y), source, QRect(0, 0, right - x, bottom - y));
}

void Surface::stretchInto(const QImage& source, const QRect& destination, const QRect& sourceRect) {
    if (destination.isEmpty()) return;
    growTo(destination.right() + 1, destination.bottom() + 1);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(destination, source, sourceRect);
}

}  // namespace tq370
