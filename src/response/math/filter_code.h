#pragma once

#include <cstdint>
#include <optional>

namespace tq370::response {

// A FilterCode is one integer naming a crossover's slope, family and direction. Codes
// come in blocks of six per slope; inside a block the offset is 2 × family + direction.
// Valid codes are 8..31 and 40..69; the block 64..69 means the crossover is off.

enum class FilterFamily : std::uint8_t { Butter = 0, Bessel = 1, Link = 2 };
enum class FilterDirection : std::uint8_t { HighPass = 0, LowPass = 1 };

inline constexpr int SLOPE_OFF = 8;  // slope index of the "OFF" block

struct FilterCodeInfo {
    int slopeIndex = SLOPE_OFF;  // 0 = 6 dB/oct … 7 = 48 dB/oct, or SLOPE_OFF
    FilterFamily family = FilterFamily::Butter;
    FilterDirection direction = FilterDirection::HighPass;

    bool isOff() const { return slopeIndex == SLOPE_OFF; }
    // E: the factor applied to log10 of the section's magnitude, 10 for 6 dB/oct up to
    // 80 for 48 dB/oct (ten times the slope over 6); 0 when off.
    int decibelMultiplier() const { return isOff() ? 0 : 10 * (slopeIndex + 1); }
};

// The code for a slope index 0..SLOPE_OFF, family and direction; nullopt for a slope
// index outside that range.
std::optional<int> encodeFilterCode(int slopeIndex, FilterFamily family, FilterDirection direction);

// Slope, family and direction of a code; nullopt for a code in no block (below 8,
// 32..39, above 69).
std::optional<FilterCodeInfo> decodeFilterCode(int code);

}  // namespace tq370::response
