#include "response/math/biquad.h"

#include <cmath>

#include "response/math/response_constants.h"

namespace tq370::response {

BiquadCoefficients normalized(const BiquadCoefficients& k) {
    return {k.b0 / k.a0, k.b1 / k.a0, k.b2 / k.a0, 1.0, k.a1 / k.a0, k.a2 / k.a0};
}

double omegaOf(double frequencyHz) {
    return TWO_PI * frequencyHz / SAMPLE_RATE_HZ;
}

double crossoverAlpha(FilterFamily family, double omega0) {
    if (family == FilterFamily::Bessel) return std::sin(omega0) / (2.0 / std::sqrt(3.0));
    return std::sin(omega0) / (2.0 / std::sqrt(2.0));
}

BiquadCoefficients crossoverCoefficients(FilterFamily family, FilterDirection direction,
                                         double frequencyHz) {
    const double omega0 = omegaOf(frequencyHz);
    const double cosOmega0 = std::cos(omega0);
    const double alpha = crossoverAlpha(family, omega0);
    BiquadCoefficients k;
    if (direction == FilterDirection::HighPass) {
        k.b0 = (1.0 + cosOmega0) / 2.0;
        k.b1 = -(1.0 + cosOmega0);
    } else {
        k.b0 = (1.0 - cosOmega0) / 2.0;
        k.b1 = 1.0 - cosOmega0;
    }
    k.b2 = k.b0;
    k.a0 = 1.0 + alpha;
    k.a1 = -2.0 * cosOmega0;
    k.a2 = 1.0 - alpha;
    return k;
}

BiquadCoefficients peakingCoefficients(double frequencyHz, double q, double gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double omega0 = omegaOf(frequencyHz);
    const double cosOmega0 = std::cos(omega0);
    const double alpha = std::sin(omega0) * Q_DISPLAY_SCALE / (2.0 * q);
    return {1.0 + alpha * a, -2.0 * cosOmega0, 1.0 - alpha * a,
            1.0 + alpha / a, -2.0 * cosOmega0, 1.0 - alpha / a};
}

}  // namespace tq370::response
