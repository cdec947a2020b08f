#include "response/math/filter_code.h"

#include "params/param_encoding.h"

namespace tq370::response {

// The code table itself belongs to the parameter model; this adds the response's view
// of a code (direction as an enum, the decibel multiplier).

std::optional<int> encodeFilterCode(int slopeIndex, FilterFamily family,
                                    FilterDirection direction) {
    return tq370::encodeFilterCode({slopeIndex, static_cast<int>(family)},
                                   direction == FilterDirection::LowPass);
}

std::optional<FilterCodeInfo> decodeFilterCode(int code) {
    const auto choice = tq370::decodeFilterCode(code);
    if (!choice) return std::nullopt;
    FilterCodeInfo info;
    info.slopeIndex = choice->slopeIndex;
    info.family = static_cast<FilterFamily>(choice->familyIndex);
    info.direction =
        tq370::isLowPassCode(code) ? FilterDirection::LowPass : FilterDirection::HighPass;
    return info;
}

}  // namespace tq370::response
