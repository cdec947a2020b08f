#pragma once

#include "response/math/filter_code.h"

namespace tq370::response {

// One second-order section, H(z) = (b0 z² + b1 z + b2) / (a0 z² + a1 z + a2).
struct BiquadCoefficients {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a0 = 1.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

// Every coefficient divided by a0, so a0 becomes 1.
BiquadCoefficients normalized(const BiquadCoefficients& k);

// Angular frequency in radians per sample of a frequency in Hz.
double omegaOf(double frequencyHz);

// α = sin ω0 / (2 Q_sec) of a crossover family. Link shares Butter's section (Q_sec =
// 1/√2), so the two families draw identical curves.
double crossoverAlpha(FilterFamily family, double omega0);

BiquadCoefficients crossoverCoefficients(FilterFamily family, FilterDirection direction,
                                         double frequencyHz);

// q is the stored (display) Q; the section's quality factor is q / Q_DISPLAY_SCALE.
BiquadCoefficients peakingCoefficients(double frequencyHz, double q, double gainDb);

}  // namespace tq370::response
