#pragma once

#include <QPoint>

#include <array>
#include <vector>

#include "response/math/curve_params.h"
#include "response/math/response_grid.h"
#include "response/scope_geometry.h"

namespace tq370::response {

// Curve slots of the scope; the EQ panel uses one per output channel.
inline constexpr int CURVE_SLOTS = 20;
inline constexpr int CHANNEL_CURVES = 12;
// What an empty slot holds: every band flat at Q 7.6, frequency 0 (not yet set), the
// crossovers at −10 dB where their handles sit.
inline constexpr double INITIAL_Q = 7.6;
inline constexpr double CROSSOVER_GAIN_DB = -10.0;

struct ScopeCurve {
    CurveParams params;
    std::vector<QPoint> polyline;  // in client pixels, as last computed
    bool dirty = true;
    bool visible = false;
};

// The curve slots with their cached polylines, and the outline of the selected band.
// Only what changed is recomputed: the current curve on every pass, the others when they
// are visible and marked dirty.
class CurveCache {
public:
    CurveCache();

    ScopeCurve& slot(int row) { return slots_[static_cast<std::size_t>(row)]; }
    const ScopeCurve& slot(int row) const { return slots_[static_cast<std::size_t>(row)]; }
    static bool isRow(int row) { return row >= 0 && row < CURVE_SLOTS; }

    void markAllDirty();
    // A new plot: a grid of its width, every polyline and the outline emptied, every
    // curve dirty.
    void setGeometry(const ScopeGeometry& g);

    // Recomputes, among the first curveCount slots, the current curve and the visible
    // dirty ones, and clears their dirty flags. The outline follows the current curve's
    // selected band; it stays empty while the current curve is not among the first
    // curveCount.
    void recompute(int curveCount, int currentCurve, int selectedBand, int hpCode, int lpCode);

    const std::vector<QPoint>& highlightOutline() const { return highlight_; }
    // The rows the last recompute went through, in order.
    const std::vector<int>& lastRecomputed() const { return recomputed_; }

private:
    void computeCurve(ScopeCurve& curve, int hpCode, int lpCode);
    void computeHighlight(const ScopeCurve& curve, int band, int hpCode, int lpCode);

    std::array<ScopeCurve, CURVE_SLOTS> slots_;
    ScopeGeometry geometry_;
    ResponseGrid grid_{0};
    std::vector<double> sumDb_;  // working arrays of grid length, kept between passes
    std::vector<double> valuesPx_;
    std::vector<QPoint> highlight_;
    std::vector<int> recomputed_;
};

}  // namespace tq370::response
