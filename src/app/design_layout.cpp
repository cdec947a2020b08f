#include "app/design_layout.h"

#include <algorithm>
#include <cmath>

namespace tq370 {

namespace {

constexpr int STRIP_PITCH = 106;
constexpr int STRIP_LEFT = 3;
constexpr int STRIP_WIDTH = 106;
constexpr int STRIP_TOP = 56;
constexpr int STRIP_BOTTOM = 160;

QRect fromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace

Scale Scale::forClient(QSize client) {
    Scale scale;
    scale.sx = static_cast<double>(client.width()) / DESIGN_WIDTH;
    scale.sy = static_cast<double>(client.height()) / DESIGN_HEIGHT;
    scale.s = std::min(scale.sx, scale.sy);
    return scale;
}

int scaled(double coordinate) {
    return static_cast<int>(std::trunc(coordinate));
}

QRect scaledKeepingHeight(const DesignRect& r, const Scale& scale) {
    return fromEdges(scaled(r.left * scale.sx), scaled(r.top * scale.sy),
                     scaled(r.right * scale.sx),
                     scaled(r.top * scale.sy + (r.bottom - r.top) * scale.s));
}

QRect scaledStretched(const DesignRect& r, const Scale& scale) {
    return scaledStretched(DesignRectF{static_cast<double>(r.left), static_cast<double>(r.top),
                                       static_cast<double>(r.right), static_cast<double>(r.bottom)},
                           scale);
}

QRect scaledStretched(const DesignRectF& r, const Scale& scale) {
    return fromEdges(scaled(r.left * scale.sx), scaled(r.top * scale.sy),
                     scaled(r.right * scale.sx), scaled(r.bottom * scale.sy));
}

QRect scaledAt(int left, int top, QSize designSize, const Scale& scale) {
    return fromEdges(scaled(left * scale.sx), scaled(top * scale.sy),
                     scaled(left * scale.sx + designSize.width() * scale.s),
                     scaled(top * scale.sy + designSize.height() * scale.s));
}

DesignRect channelStripRect(int k) {
    return {STRIP_LEFT + STRIP_PITCH * k, STRIP_TOP, STRIP_LEFT + STRIP_WIDTH + STRIP_PITCH * k,
            STRIP_BOTTOM};
}

}  // namespace tq370
