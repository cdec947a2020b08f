#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

// Where things lie on the response scope: the plot inside the client area, the 0 dB
// line, frequencies along x and gains along y, the handle squares and the CH boxes.
// Pure functions of the client size and the scale factor.
namespace tq370::response {

// The value axis in tenths of a dB: the plot spans +20 dB at its top to −20 dB at its
// bottom.
inline constexpr int DB_MAX_TENTHS = 200;
inline constexpr int DB_MIN_TENTHS = -200;
inline constexpr int DB_SPAN_TENTHS = DB_MAX_TENTHS - DB_MIN_TENTHS;

// Half the side of a handle's square, for drawing and hit testing alike.
inline constexpr int HANDLE_HALF = 12;
inline constexpr int HANDLE_SIDE = 2 * HANDLE_HALF;

// A rectangle by its edges; right and bottom lie just outside it.
struct ScopeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(QPoint p) const {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }
    QRect toQRect() const { return {left, top, width(), height()}; }
    bool operator==(const ScopeRect&) const = default;
};

struct ScopeGeometry {
    ScopeRect client;
    ScopeRect plot;
    double scale = 1.0;
    double decades = 0;  // log10 of the axis' end over its start frequency
    int zeroY = 0;       // the 0 dB line, in client pixels
    // The crossover handles sit this far below zeroY, on the −10 dB line.
    int crossoverHandleOffset = 0;

    int plotWidth() const { return plot.width(); }    // W
    int plotHeight() const { return plot.height(); }  // H
};

// Truncation toward zero into pixels; values beyond any picture (and NaN) are held at a
// harmless distance instead of overflowing.
int truncatePixels(double value);

// The plot before the first layout: the client shrunk by fixed margins.
ScopeRect provisionalPlotRect(const ScopeRect& client);
// The plot after a layout: margins times the scale factor, a wider right margin when the
// column of CH boxes is shown.
ScopeRect plotRect(const ScopeRect& client, double scale, bool channelBoxesShown);

ScopeGeometry scopeGeometry(const ScopeRect& client, const ScopeRect& plot, double scale);

// The x of a frequency relative to the plot's left edge, truncated. A frequency that is
// not positive lies at the axis' start.
int xOfFrequency(const ScopeGeometry& g, double frequencyHz);
// The frequency a plot-relative x stands for, not snapped; the axis' start on a plot
// without width.
double frequencyOfX(const ScopeGeometry& g, int x);

// Pixels per dB of the value axis.
double pixelsPerDb(const ScopeGeometry& g);
// A handle's y relative to zeroY (positive below) for a gain in dB, truncated.
int yOfGain(const ScopeGeometry& g, double gainDb);
// The whole-dB gain a dragged handle's y (relative to zeroY) stands for, clamped to the
// axis.
double gainOfDraggedY(const ScopeGeometry& g, int yOffset);

// A handle's centre in client pixels from its position (x relative to the plot's left
// edge, y relative to zeroY).
QPoint handleCentre(const ScopeGeometry& g, QPoint handlePos);
// The square a handle is drawn in and grabbed by. Painting and hit testing both use it.
QRect handleRect(QPoint centre);

// How far the Q handles stand left and right of their band's handle for a Q: 124
// pixels for the widest bands down to 25 for the narrowest. The Q is truncated first.
int qHandleDistance(double q);

// The CH box of each of `count` curves, in a column right of the plot.
std::vector<ScopeRect> channelBoxRects(const ScopeGeometry& g, int count);

}  // namespace tq370::response
