#pragma once

#include <array>

namespace tq370::response {

// Band slots of one channel's curve: the two crossovers, then the 31 EQ bands.
inline constexpr int HP_BAND = 0;
inline constexpr int LP_BAND = 1;
inline constexpr int FIRST_EQ_BAND = 2;
inline constexpr int EQ_BAND_COUNT = 31;
inline constexpr int BAND_COUNT = FIRST_EQ_BAND + EQ_BAND_COUNT;  // 33 computed bands
inline constexpr int BAND_SLOTS = BAND_COUNT + 1;                 // slot 33 is never computed
// Filter kind of every EQ band; the drawing always treats EQ bands as peaking.
inline constexpr int PEAKING_TYPE = 7;

// The band values of one curve. The crossover bands use only their frequency (their
// FilterCodes are passed beside the curve); q is the stored (display) Q.
struct CurveParams {
    std::array<double, BAND_SLOTS> frequencyHz{};
    std::array<double, BAND_SLOTS> gainDb{};
    std::array<double, BAND_SLOTS> q{};
    std::array<int, BAND_SLOTS> type{};
};

}  // namespace tq370::response
