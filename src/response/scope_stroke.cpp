#include "response/scope_stroke.h"

#include <algorithm>
#include <cmath>

namespace tq370::response {

namespace {

constexpr int FULL = 255;

// Every channel of a pixel times a / 255, rounded, a in 0..255: two channels at a time,
// each in its own 16 bits so that the products cannot run into each other.
QRgb scaledPixel(QRgb p, unsigned a) {
    constexpr QRgb EVEN = 0x00ff00ff;
    constexpr QRgb HALF = 0x00800080;
    QRgb low = (p & EVEN) * a;
    low = ((low + ((low >> 8) & EVEN) + HALF) >> 8) & EVEN;
    QRgb high = ((p >> 8) & EVEN) * a;
    high = (high + ((high >> 8) & EVEN) + HALF) & ~EVEN;
    return low | high;
}

}  // namespace

void CurveStroker::stroke(QImage& picture, std::span<const QPoint> polyline, const QRect& clip,
                          const QColor& colour, double width) {
    clip_ = clip & picture.rect();
    if (polyline.size() < 2 || clip_.isEmpty() || width <= 0) return;
    halfWidth_ = width / 2;
    const auto columns = static_cast<std::size_t>(clip_.width());
    const std::size_t cells = columns * static_cast<std::size_t>(clip_.height());
    if (coverage_.size() != cells) coverage_.assign(cells, 0);
    columnTop_.assign(columns, clip_.bottom() + 1);
    columnBottom_.assign(columns, clip_.top() - 1);
    for (std::size_t i = 1; i < polyline.size(); ++i)
        coverSegment(QPointF(polyline[i - 1]), QPointF(polyline[i]));
    blendAndClear(picture, colour);
}

void CurveStroker::coverSegment(QPointF a, QPointF b) {
    // Pixels whose centres lie within half the width (and half a pixel of smoothing) of
    // the segment's box.
    const double reach = halfWidth_ + 0.5;
    const auto first = [&](double low) {
        return static_cast<int>(std::floor(low - reach - 0.5)) + 1;
    };
    const auto last = [&](double high) {
        return static_cast<int>(std::ceil(high + reach - 0.5)) - 1;
    };
    const int x0 = std::max(clip_.left(), first(std::min(a.x(), b.x())));
    const int x1 = std::min(clip_.right(), last(std::max(a.x(), b.x())));
    const int y0 = std::max(clip_.top(), first(std::min(a.y(), b.y())));
    const int y1 = std::min(clip_.bottom(), last(std::max(a.y(), b.y())));
    if (x0 > x1 || y0 > y1) return;

    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    // A segment of no length is its one point: t stays 0.
    const double inverseLength2 = length2 > 0 ? 1 / length2 : 0;
    const int stride = clip_.width();
    const double outside2 = reach * reach;
    const double inside = std::max(0.0, reach - 1);
    const double inside2 = inside * inside;
    for (int x = x0; x <= x1; ++x) {
        const auto column = static_cast<std::size_t>(x - clip_.left());
        const double px = x + 0.5 - a.x();
        int top = y1 + 1;
        int bottom = y0 - 1;
        for (int y = y0; y <= y1; ++y) {
            const double py = y + 0.5 - a.y();
            const double t = std::clamp((px * dx + py * dy) * inverseLength2, 0.0, 1.0);
            const double ex = px - t * dx;
            const double ey = py - t * dy;
            const double distance2 = ex * ex + ey * ey;
            if (distance2 >= outside2) continue;
            // Only the smoothed edge needs the distance itself.
            const int value = distance2 <= inside2
                                  ? FULL
                                  : static_cast<int>((reach - std::sqrt(distance2)) * FULL + 0.5);
            std::uint8_t& cell =
                coverage_[static_cast<std::size_t>(y - clip_.top()) * stride + column];
            cell = static_cast<std::uint8_t>(std::max<int>(cell, value));
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        columnTop_[column] = std::min(columnTop_[column], top);
        columnBottom_[column] = std::max(columnBottom_[column], bottom);
    }
}

void CurveStroker::blendAndClear(QImage& picture, const QColor& colour) {
    const QRgb source = qPremultiply(colour.rgba());
    const int stride = clip_.width();
    uchar* const bits = picture.bits();
    const auto bytesPerLine = static_cast<std::size_t>(picture.bytesPerLine());
    for (int column = 0; column < stride; ++column) {
        const auto c = static_cast<std::size_t>(column);
        const int x = clip_.left() + column;
        for (int y = columnTop_[c]; y <= columnBottom_[c]; ++y) {
            std::uint8_t& cell = coverage_[static_cast<std::size_t>(y - clip_.top()) * stride + c];
            if (cell == 0) continue;
            const QRgb src = cell == FULL ? source : scaledPixel(source, cell);
            cell = 0;
            auto* row = reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(y) * bytesPerLine);
            // Premultiplied "source over": no channel can pass 255.
            row[x] = src + scaledPixel(row[x], FULL - qAlpha(src));
        }
    }
}

}  // namespace tq370::response
