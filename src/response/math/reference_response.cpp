#include "response/math/reference_response.h"

#include <cmath>

namespace tq370::response::reference {

namespace {

struct Block {
    int firstCode;
    double multiplier;
};

// The slope blocks of six codes each and their decibel multipliers E.
constexpr Block BLOCKS[] = {{40, 10}, {8, 20},  {14, 30}, {20, 40},
                            {46, 50}, {52, 60}, {58, 70}, {26, 80}};

// E · log10 |H(e^jω)| at every grid frequency, the coefficients normalised by a0.
std::vector<double> sectionResponse(double b0, double b1, double b2, double a0, double a1,
                                    double a2, double multiplier, const ResponseGrid& grid) {
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
    a1 /= a0;
    a2 /= a0;
    std::vector<double> out;
    for (double f : grid.frequenciesHz()) {
        const double omega = 6.28318530717958 * f / 48000.0;
        const double c = std::cos(omega);
        const double s = std::sin(omega);
        const double reN = b0 * (c * c - s * s) + b1 * c + b2;
        const double imN = 2.0 * b0 * c * s + b1 * s;
        const double reD = (c * c - s * s) + a1 * c + a2;
        const double imD = 2.0 * c * s + a1 * s;
        const double magnitude = std::sqrt((reN * reN + imN * imN) / (reD * reD + imD * imD));
        out.push_back(multiplier * std::log10(magnitude));
    }
    return out;
}

}  // namespace

std::vector<double> crossoverResponse(int code, double frequencyHz, const ResponseGrid& grid,
                                      double hpMaxHz, double lpMaxHz) {
    const std::vector<double> off(grid.size(), 0.0);
    if (code < 8 || code > 63) return off;
    const bool highPass = code % 2 == 0;
    if (!(frequencyHz >= 19.7)) return off;
    if (highPass && frequencyHz > hpMaxHz) return off;
    if (!highPass && frequencyHz >= lpMaxHz) return off;

    for (const Block& block : BLOCKS) {
        const int offset = code - block.firstCode;
        if (offset < 0 || offset > 5) continue;
        const bool bessel = offset / 2 == 1;  // Link uses Butter's section
        const double omega0 = 6.28318530717958 * frequencyHz / 48000.0;
        const double cosOmega0 = std::cos(omega0);
        const double alpha = bessel ? std::sin(omega0) / (2.0 / std::sqrt(3.0))
                                    : std::sin(omega0) / (2.0 / std::sqrt(2.0));
        const double b0 = highPass ? (1.0 + cosOmega0) / 2.0 : (1.0 - cosOmega0) / 2.0;
        const double b1 = highPass ? -(1.0 + cosOmega0) : 1.0 - cosOmega0;
        return sectionResponse(b0, b1, b0, 1.0 + alpha, -2.0 * cosOmega0, 1.0 - alpha,
                               block.multiplier, grid);
    }
    return off;  // 32..39 belong to no block
}

std::vector<double> peakingResponse(double frequencyHz, double q, double gainDb,
                                    const ResponseGrid& grid) {
    if (!std::isfinite(frequencyHz) || !std::isfinite(q) || !std::isfinite(gainDb) || !(q > 0.0))
        return std::vector<double>(grid.size(), 0.0);
    const double a = std::pow(10.0, gainDb / 40.0);
    const double omega0 = 6.28318530717958 * frequencyHz / 48000.0;
    const double cosOmega0 = std::cos(omega0);
    const double alpha = std::sin(omega0) * 3.1666666666666665 / (2.0 * q);
    return sectionResponse(1.0 + alpha * a, -2.0 * cosOmega0, 1.0 - alpha * a, 1.0 + alpha / a,
                           -2.0 * cosOmega0, 1.0 - alpha / a, 20.0, grid);
}

std::vector<double> curveResponse(const CurveParams& curve, int hpCode, int lpCode,
                                  const ResponseGrid& grid) {
    std::vector<double> sum(grid.size(), 0.0);
    for (int band = 0; band < BAND_COUNT; ++band) {
        std::vector<double> values;
        if (band == HP_BAND)
            values = crossoverResponse(hpCode, curve.frequencyHz[0], grid);
        else if (band == LP_BAND)
            values = crossoverResponse(lpCode, curve.frequencyHz[1], grid);
        else
            values =
                peakingResponse(curve.frequencyHz[band], curve.q[band], curve.gainDb[band], grid);
        for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += values[i];
    }
    return sum;
}

}  // namespace tq370::response::reference
