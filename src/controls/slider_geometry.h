#pragma once

#include <QRect>

#include <array>

namespace tq370 {

// One row of slider artwork: the track runs from trackStart to trackEnd along the slider
// (y for vertical, x for horizontal) and its centre line crosses it at crossPosition, in
// image pixels; the thumb sources are rectangles (left, top, right, bottom) of the PNG.
struct SliderStyle {
    int trackStart, crossPosition, trackEnd;
    int imageWidth, imageHeight;
    int thumbWidth, thumbHeight;
    QRect normalThumb, focusedThumb;
};

// Rows 11, 15, 16 and 17 have artwork in this program; the others keep their geometry
// for completeness, without thumb sources.
extern const std::array<SliderStyle, 18> SLIDER_STYLES;

// A style scaled to a client size. Positions are client pixels along the slider.
struct SliderGeometry {
    bool vertical = true;
    double xScale = 1, yScale = 1;
    double trackStart = 0, crossPosition = 0, trackEnd = 0;
    int thumbWidth = 0, thumbHeight = 0;
};

SliderGeometry sliderGeometry(const SliderStyle& style, bool vertical, int clientWidth,
                              int clientHeight);

// The value's place on the track; range maxValue - minValue must be positive.
double valueToPosition(const SliderGeometry& g, int value, int minValue, int maxValue);

// The value under a mouse coordinate along the slider (not clamped).
int positionToValue(const SliderGeometry& g, double coordinate, int minValue, int maxValue);

// The thumb's rectangle in client pixels: where it is drawn along the track and where a
// press grabs it. Painting and hit testing both use this.
QRect thumbRect(const SliderGeometry& g, int value, int minValue, int maxValue);

}  // namespace tq370
