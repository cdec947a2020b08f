#include "response/scope_geometry.h"

#include <algorithm>
#include <cmath>

#include "params/param_tables.h"
#include "response/math/response_constants.h"

namespace tq370::response {

namespace {

// Margins of the plot inside the client area at scale 1.
constexpr int MARGIN_LEFT = 30;
constexpr int MARGIN_TOP = 10;
constexpr int MARGIN_BOTTOM = 18;
constexpr int MARGIN_RIGHT_PROVISIONAL = 18;
constexpr int MARGIN_RIGHT_PLAIN = 16;
constexpr int MARGIN_RIGHT_WITH_BOXES = 60;

// The CH box column: box height and pitch, gap to the plot, box width (scale 1).
constexpr double BOX_PITCH = 16;
constexpr double BOX_HEIGHT = 15;
constexpr double BOX_GAP = 12;
constexpr double BOX_WIDTH = 40;

// The Q handles: the widest distance and the pixels lost per Q-table step.
constexpr double Q_DISTANCE_WIDEST = 100;
constexpr double Q_DISTANCE_PER_STEP = 0.9900990099009901;  // 100 / 101
constexpr int Q_DISTANCE_FIRST_STEP = 1;
constexpr int Q_DISTANCE_LAST_STEP = 100;

// Far outside any picture, and far inside the range of int.
constexpr double PIXEL_LIMIT = 1.0e6;

int trunc(double v) {
    return truncatePixels(v);
}

}  // namespace

int truncatePixels(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::trunc(std::clamp(value, -PIXEL_LIMIT, PIXEL_LIMIT)));
}

ScopeRect provisionalPlotRect(const ScopeRect& client) {
    return {client.left + MARGIN_LEFT, client.top + MARGIN_TOP,
            client.right - MARGIN_RIGHT_PROVISIONAL, client.bottom - MARGIN_BOTTOM};
}

ScopeRect plotRect(const ScopeRect& client, double scale, bool channelBoxesShown) {
    const int right = channelBoxesShown ? MARGIN_RIGHT_WITH_BOXES : MARGIN_RIGHT_PLAIN;
    return {client.left + trunc(MARGIN_LEFT * scale), client.top + trunc(MARGIN_TOP * scale),
            client.right - trunc(right * scale), client.bottom - trunc(MARGIN_BOTTOM * scale)};
}

ScopeGeometry scopeGeometry(const ScopeRect& client, const ScopeRect& plot, double scale) {
    ScopeGeometry g;
    g.client = client;
    g.plot = plot;
    g.scale = scale;
    g.decades = std::log10(GRID_END_HZ / GRID_START_HZ);
    const double h = plot.height();
    g.zeroY = trunc(std::abs(DB_MAX_TENTHS) * h / DB_SPAN_TENTHS + plot.top);
    // 100 tenths below the 0 dB line: −10 dB.
    g.crossoverHandleOffset = trunc(h / DB_SPAN_TENTHS * 100);
    return g;
}

int xOfFrequency(const ScopeGeometry& g, double frequencyHz) {
    if (!(frequencyHz > 0)) return 0;
    return trunc(std::log10(frequencyHz / GRID_START_HZ) / g.decades * g.plotWidth());
}

double frequencyOfX(const ScopeGeometry& g, int x) {
    if (g.plotWidth() <= 0) return GRID_START_HZ;
    return GRID_START_HZ * std::pow(10.0, static_cast<double>(x) / g.plotWidth() * g.decades);
}

double pixelsPerDb(const ScopeGeometry& g) {
    return 10.0 * g.plotHeight() / DB_SPAN_TENTHS;
}

int yOfGain(const ScopeGeometry& g, double gainDb) {
    return -trunc(gainDb * 10 * g.plotHeight() / DB_SPAN_TENTHS);
}

double gainOfDraggedY(const ScopeGeometry& g, int yOffset) {
    const int span = g.plotHeight() - 1;
    if (span <= 0) return 0;
    const double tenths =
        std::clamp(-static_cast<double>(yOffset) * DB_SPAN_TENTHS / span,
                   static_cast<double>(DB_MIN_TENTHS), static_cast<double>(DB_MAX_TENTHS));
    return std::trunc(tenths / 10) + 0.0;  // + 0.0: no "-0" gain
}

QPoint handleCentre(const ScopeGeometry& g, QPoint handlePos) {
    return {g.plot.left + handlePos.x(), g.zeroY + handlePos.y()};
}

QRect handleRect(QPoint centre) {
    return {centre.x() - HANDLE_HALF, centre.y() - HANDLE_HALF, HANDLE_SIDE, HANDLE_SIDE};
}

int qHandleDistance(double q) {
    const double whole = std::trunc(q);
    int step = Q_DISTANCE_LAST_STEP;
    for (int i = Q_DISTANCE_FIRST_STEP; i <= Q_DISTANCE_LAST_STEP; ++i) {
        if (whole <= Q_TABLE[static_cast<std::size_t>(i)]) {
            step = i - 1;
            break;
        }
    }
    return trunc(Q_DISTANCE_WIDEST - step * Q_DISTANCE_PER_STEP + HANDLE_SIDE);
}

std::vector<ScopeRect> channelBoxRects(const ScopeGeometry& g, int count) {
    std::vector<ScopeRect> boxes;
    if (count < 1) return boxes;
    const double s = g.scale;
    const double spare = g.client.height() - count * BOX_PITCH * s - g.plot.top;
    const double pitch = BOX_PITCH * s + (count > 1 ? spare / (count - 1) : 0);
    for (int i = 0; i < count; ++i) {
        ScopeRect box;
        box.top = trunc(i * pitch) + g.plot.top / 2;
        box.left = trunc(BOX_GAP * s + g.plot.right);
        box.bottom = trunc(box.top + BOX_HEIGHT * s);
        box.right = trunc(box.left + BOX_WIDTH * s);
        boxes.push_back(box);
    }
    return boxes;
}

}  // namespace tq370::response
