#include "controls/tolerant_truncate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tq370 {

int tolerantTruncate(double value) {
    if (std::isnan(value)) return 0;
    constexpr double LIMIT = std::numeric_limits<int>::max();
    if (value >= LIMIT) return std::numeric_limits<int>::max();
    if (value <= -LIMIT) return -std::numeric_limits<int>::max();
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) < 1e-9 * std::max(1.0, std::fabs(value))) {
        return static_cast<int>(nearest);
    }
    return static_cast<int>(std::trunc(value));
}

}  // namespace tq370
