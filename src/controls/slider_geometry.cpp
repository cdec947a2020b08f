#include "controls/slider_geometry.h"

#include <cmath>

namespace tq370 {

namespace {

constexpr SliderStyle row(int start, int cross, int end, int w, int h, int tw, int th,
                          QRect normal = {}, QRect focused = {}) {
    return {start, cross, end, w, h, tw, th, normal, focused};
}

constexpr QRect source(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int truncate(double v) {
    return static_cast<int>(std::trunc(v));
}

}  // namespace

const std::array<SliderStyle, 18> SLIDER_STYLES{{
    row(86, 9, 12, 18, 98, 16, 23),
    row(112, 40, 12, 51, 124, 16, 23),
    row(125, 39, 12, 79, 137, 16, 23),
    row(86, 20, 12, 40, 98, 16, 23),
    row(111, 30, 10, 38, 122, 16, 23),
    row(15, 11, 116, 131, 22, 30, 20),
    row(125, 39, 12, 79, 137, 16, 23),
    row(166, 11, 15, 22, 181, 20, 30),
    row(8, 12, 159, 167, 24, 16, 24),
    row(112, 18, 12, 29, 105, 16, 23),
    row(99, 31, 11, 40, 109, 16, 23),
    row(7, 7, 89, 96, 21, 15, 14, source(110, 0, 125, 21), source(130, 0, 145, 21)),
    row(165, 14, 6, 28, 171, 28, 18),
    row(90, 36, 6, 44, 96, 16, 13),
    row(87, 34, 6, 70, 93, 17, 12),
    row(11, 7, 175, 185, 14, 22, 14, source(200, 0, 222, 14), source(240, 0, 262, 14)),
    row(115, 11, 10, 22, 125, 14, 21, source(0, 150, 14, 171), source(0, 180, 14, 201)),
    row(11, 7, 195, 205, 14, 22, 14, source(240, 0, 262, 14), source(280, 0, 302, 14)),
}};

SliderGeometry sliderGeometry(const SliderStyle& style, bool vertical, int clientWidth,
                              int clientHeight) {
    SliderGeometry g;
    g.vertical = vertical;
    g.xScale = style.imageWidth > 0 ? static_cast<double>(clientWidth) / style.imageWidth : 1;
    g.yScale = style.imageHeight > 0 ? static_cast<double>(clientHeight) / style.imageHeight : 1;
    const double along = vertical ? g.yScale : g.xScale;
    const double across = vertical ? g.xScale : g.yScale;
    g.trackStart = style.trackStart * along;
    g.trackEnd = style.trackEnd * along;
    g.crossPosition = style.crossPosition * across;
    g.thumbWidth = truncate(style.thumbWidth * g.xScale);
    g.thumbHeight = truncate(style.thumbHeight * g.yScale);
    return g;
}

double valueToPosition(const SliderGeometry& g, int value, int minValue, int maxValue) {
    const int range = maxValue - minValue;
    if (range <= 0) return g.trackStart;
    const double offset = value - minValue;
    return g.trackStart + offset * (g.trackEnd - g.trackStart) / range;
}

int positionToValue(const SliderGeometry& g, double coordinate, int minValue, int maxValue) {
    const double length = g.trackEnd - g.trackStart;
    if (length == 0) return minValue;
    return truncate((coordinate - g.trackStart) * (maxValue - minValue) / length + minValue);
}

QRect thumbRect(const SliderGeometry& g, int value, int minValue, int maxValue) {
    const double pos = valueToPosition(g, value, minValue, maxValue);
    if (g.vertical) {
        return QRect(truncate(g.crossPosition - g.thumbWidth / 2.0),
                     truncate(pos - g.thumbHeight / 2.0), g.thumbWidth, g.thumbHeight);
    }
    return QRect(truncate(pos - g.thumbWidth / 2.0),
                 truncate(g.crossPosition - g.thumbHeight / 2.0), g.thumbWidth, g.thumbHeight);
}

}  // namespace tq370
