#include "response/scope_curves.h"

#include "response/math/filter_response.h"
#include "response/scope_polyline.h"

namespace tq370::response {

CurveCache::CurveCache() {
    for (ScopeCurve& curve : slots_) {
        curve.params.type.fill(PEAKING_TYPE);
        curve.params.q.fill(INITIAL_Q);
        curve.params.gainDb[HP_BAND] = CROSSOVER_GAIN_DB;
        curve.params.gainDb[LP_BAND] = CROSSOVER_GAIN_DB;
    }
}

void CurveCache::markAllDirty() {
    for (ScopeCurve& curve : slots_) curve.dirty = true;
}

void CurveCache::setGeometry(const ScopeGeometry& g) {
    geometry_ = g;
    grid_ = ResponseGrid(g.plotWidth());
    sumDb_.assign(grid_.size(), 0.0);
    valuesPx_.assign(grid_.size(), 0.0);
    highlight_.clear();
    for (ScopeCurve& curve : slots_) {
        curve.polyline.clear();
        curve.polyline.reserve(static_cast<std::size_t>(g.client.width()) + 20);
        curve.dirty = true;
    }
}

void CurveCache::recompute(int curveCount, int currentCurve, int selectedBand, int hpCode,
                           int lpCode) {
    recomputed_.clear();
    for (int row = 0; row < curveCount && row < CURVE_SLOTS; ++row) {
        ScopeCurve& curve = slot(row);
        if (row != currentCurve && !(curve.visible && curve.dirty)) continue;
        curve.dirty = false;
        computeCurve(curve, hpCode, lpCode);
        // The outline belongs to the handles, which are the current curve's.
        if (row == currentCurve) computeHighlight(curve, selectedBand, hpCode, lpCode);
        recomputed_.push_back(row);
    }
}

void CurveCache::computeCurve(ScopeCurve& curve, int hpCode, int lpCode) {
    if (grid_.size() == 0) {
        curve.polyline.clear();
        return;
    }
    curveResponse(curve.params, hpCode, lpCode, grid_, sumDb_);
    const double scale = pixelsPerDb(geometry_);
    for (std::size_t k = 0; k < sumDb_.size(); ++k) valuesPx_[k] = sumDb_[k] * scale;
    buildCurvePolyline(geometry_, valuesPx_, curve.polyline);
}

void CurveCache::computeHighlight(const ScopeCurve& curve, int band, int hpCode, int lpCode) {
    highlight_.clear();
    if (grid_.size() == 0 || !bandResponse(curve.params, band, hpCode, lpCode, grid_, sumDb_))
        return;
    const double scale = pixelsPerDb(geometry_);
    for (std::size_t k = 0; k < sumDb_.size(); ++k) valuesPx_[k] = sumDb_[k] * scale;
    buildHighlightOutline(geometry_, band, valuesPx_, highlight_);
}

}  // namespace tq370::response
