#include "response/scope_polyline.h"

#include <algorithm>
#include <cstddef>

#include "response/math/curve_params.h"

namespace tq370::response {

namespace {

// Parts of the 0 dB line the EQ outline runs back along, from the right.
constexpr int EQ_RETURN_PARTS = 5;

bool allZero(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return v == 0.0; });
}

void flatLine(const ScopeGeometry& g, std::vector<QPoint>& out) {
    out.push_back({g.plot.left - 1, g.zeroY});
    out.push_back({g.client.right, g.zeroY});
}

int yAt(const ScopeGeometry& g, std::span<const double> px, std::size_t k) {
    return g.zeroY - truncatePixels(px[k]);
}

// Grid points first..last − 1, each only where its y differs from the point before it;
// the last one always, so that the line reaches the end of the range at its own height.
void appendGridPoints(const ScopeGeometry& g, std::span<const double> px, std::size_t first,
                      std::size_t last, std::vector<QPoint>& out) {
    for (std::size_t k = first; k < last; ++k) {
        const QPoint p(g.plot.left + static_cast<int>(k), yAt(g, px, k));
        if (out.empty() || out.back().y() != p.y() || k + 1 == last) out.push_back(p);
    }
}

}  // namespace

void buildCurvePolyline(const ScopeGeometry& g, std::span<const double> sumPx,
                        std::vector<QPoint>& out) {
    out.clear();
    if (allZero(sumPx)) {
        flatLine(g, out);
        return;
    }
    out.push_back({g.client.left, g.zeroY});
    appendGridPoints(g, sumPx, 0, sumPx.size(), out);
    out.push_back({g.client.right, g.zeroY});
}

void buildHighlightOutline(const ScopeGeometry& g, int band, std::span<const double> bandPx,
                           std::vector<QPoint>& out) {
    out.clear();
    if (allZero(bandPx)) {
        flatLine(g, out);
        return;
    }
    const std::size_t n = bandPx.size();
    const int bottom = g.client.bottom;
    if (band == HP_BAND) {
        // From where the slope rises into view to the right edge, closed at the bottom.
        std::size_t first = 0;
        while (first < n && yAt(g, bandPx, first) >= bottom) ++first;
        out.push_back({g.plot.left - 1, bottom});
        appendGridPoints(g, bandPx, first, n, out);
        out.push_back({(g.plot.right + g.client.right) / 2, g.zeroY});
        out.push_back({g.client.right, g.zeroY});
        out.push_back({g.client.right, bottom});
    } else if (band == LP_BAND) {
        // From the left edge to where the slope leaves the view, closed at the bottom.
        out.push_back({g.client.left, bottom});
        out.push_back({g.client.left, g.zeroY});
        out.push_back({(g.client.left + g.plot.left) / 2, g.zeroY});
        std::size_t end = 0;
        while (end < n && yAt(g, bandPx, end) <= bottom) ++end;
        appendGridPoints(g, bandPx, 0, std::min(end + 1, n), out);
        if (end == n) out.push_back({(g.client.right + g.plot.right) / 2, bottom});
    } else {
        out.push_back({g.client.left, g.zeroY});
        appendGridPoints(g, bandPx, 0, n, out);
        out.push_back({g.client.right, g.zeroY});
        for (int m = EQ_RETURN_PARTS; m >= 0; --m)
            out.push_back({g.plot.left + m * g.plotWidth() / EQ_RETURN_PARTS, g.zeroY});
    }
}

}  // namespace tq370::response
