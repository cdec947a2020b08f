#include "response/math/filter_code.h"

namespace tq370::response {

namespace {
constexpr int CODES_PER_BLOCK = 6;
}

std::optional<int> encodeFilterCode(int slopeIndex, FilterFamily family,
                                    FilterDirection direction) {
    if (slopeIndex < 0 || slopeIndex > SLOPE_OFF) return std::nullopt;
    return SLOPE_BASE_CODES[static_cast<std::size_t>(slopeIndex)] + 2 * static_cast<int>(family) +
           static_cast<int>(direction);
}

std::optional<FilterCodeInfo> decodeFilterCode(int code) {
    for (int slope = 0; slope <= SLOPE_OFF; ++slope) {
        const int offset = code - SLOPE_BASE_CODES[static_cast<std::size_t>(slope)];
        if (offset < 0 || offset >= CODES_PER_BLOCK) continue;
        FilterCodeInfo info;
        info.slopeIndex = slope;
        info.family = static_cast<FilterFamily>(offset / 2);
        info.direction = static_cast<FilterDirection>(offset % 2);
        return info;
    }
    return std::nullopt;
}

}  // namespace tq370::response
