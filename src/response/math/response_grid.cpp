#include "response/math/response_grid.h"

#include <cmath>
#include <utility>

#include "response/math/biquad.h"
#include "response/math/response_constants.h"

namespace tq370::response {

ResponseGrid::ResponseGrid(int widthPx) : widthPx_(widthPx < 1 ? 0 : widthPx) {
    if (widthPx_ == 0) return;
    const std::size_t count = static_cast<std::size_t>(widthPx_) + GRID_EXTRA_POINTS;
    const double decades = std::log10(GRID_END_HZ / GRID_START_HZ);
    frequenciesHz_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        frequenciesHz_[i] =
            GRID_START_HZ * std::pow(10.0, static_cast<double>(i) * decades / widthPx_);
    }
    cacheTrigonometry();
}

ResponseGrid::ResponseGrid(std::vector<double> frequenciesHz)
    : frequenciesHz_(std::move(frequenciesHz)) {
    cacheTrigonometry();
}

void ResponseGrid::cacheTrigonometry() {
    const std::size_t count = frequenciesHz_.size();
    cos_.resize(count);
    sin_.resize(count);
    cos2_.resize(count);
    sin2_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double omega = omegaOf(frequenciesHz_[i]);
        const double c = std::cos(omega);
        const double s = std::sin(omega);
        cos_[i] = c;
        sin_[i] = s;
        // Written as the section formulas write them, so a band evaluated from these
        // values rounds exactly as one that computes them itself.
        cos2_[i] = c * c - s * s;
        sin2_[i] = 2.0 * c * s;
    }
}

}  // namespace tq370::response
