#include "response/math/filter_response.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "response/math/biquad.h"
#include "response/math/filter_code.h"

namespace tq370::response {

namespace {

constexpr int PEAKING_MULTIPLIER = 20;
// Points evaluated together, so the running products stay in the first-level cache.
constexpr std::size_t BLOCK_POINTS = 128;
// Products of the squared magnitudes stay within 10^±PRODUCT_LIMIT_DECADES, well inside
// the range of normal doubles, or the curve is summed band by band.
constexpr double PRODUCT_LIMIT_DECADES = 250.0;
// Below this a band's squared magnitude is too close to its rounding error for a bound.
constexpr double SMALLEST_BOUNDED_MAGNITUDE_SQUARED = 1e-24;

// A normalised section ready to be evaluated at grid points.
struct Section {
    double b0 = 1.0;
    double twoB0 = 2.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

struct Crossover {
    Section section;
    int multiplier = 0;  // E of the code's slope
};

Section prepare(const BiquadCoefficients& k) {
    const BiquadCoefficients n = normalized(k);
    return {n.b0, 2.0 * n.b0, n.b1, n.b2, n.a1, n.a2};
}

std::optional<Crossover> activeCrossover(int code, double frequencyHz, double hpMaxHz,
                                         double lpMaxHz) {
    const std::optional<FilterCodeInfo> info = decodeFilterCode(code);
    if (!info || info->isOff()) return std::nullopt;
    if (!(frequencyHz >= CROSSOVER_OFF_BELOW)) return std::nullopt;  // NaN is off too
    const bool highPass = info->direction == FilterDirection::HighPass;
    if (highPass ? frequencyHz > hpMaxHz : frequencyHz >= lpMaxHz) return std::nullopt;
    return Crossover{prepare(crossoverCoefficients(info->family, info->direction, frequencyHz)),
                     info->decibelMultiplier()};
}

std::optional<Section> activePeaking(double frequencyHz, double q, double gainDb) {
    // With gain 0 numerator and denominator are the same polynomial: exactly 0 dB.
    if (gainDb == 0.0) return std::nullopt;
    if (!std::isfinite(frequencyHz) || !std::isfinite(q) || !std::isfinite(gainDb) || !(q > 0.0))
        return std::nullopt;
    return prepare(peakingCoefficients(frequencyHz, q, gainDb));
}

// |H|² at grid point i, in the same operations and order as the per-point formula, so
// the cached trigonometry changes nothing in the result.
double magnitudeSquared(const Section& k, const ResponseGrid& grid, std::size_t i) {
    const double c = grid.cosOmega()[i];
    const double s = grid.sinOmega()[i];
    const double reN = k.b0 * grid.cos2Omega()[i] + k.b1 * c + k.b2;
    const double imN = k.twoB0 * c * s + k.b1 * s;
    const double reD = grid.cos2Omega()[i] + k.a1 * c + k.a2;
    const double imD = grid.sin2Omega()[i] + k.a1 * s;
    return (reN * reN + imN * imN) / (reD * reD + imD * imD);
}

double decibels(int multiplier, double magnitudeSquared) {
    return multiplier * std::log10(std::sqrt(magnitudeSquared));
}

void writeSection(const std::optional<Section>& section, int multiplier, const ResponseGrid& grid,
                  std::span<double> outDb) {
    if (!section) {
        std::fill(outDb.begin(), outDb.end(), 0.0);
        return;
    }
    for (std::size_t i = 0; i < outDb.size(); ++i)
        outDb[i] = decibels(multiplier, magnitudeSquared(*section, grid, i));
}

// The active sections of a curve; switched-off crossovers and flat EQ bands add nothing.
struct CurveSections {
    std::optional<Crossover> hp;
    std::optional<Crossover> lp;
    std::array<Section, EQ_BAND_COUNT> peaks{};
    std::size_t peakCount = 0;

    std::span<const Section> activePeaks() const { return {peaks.data(), peakCount}; }
};

CurveSections collectSections(const CurveParams& curve, int hpCode, int lpCode) {
    CurveSections sections;
    sections.hp =
        activeCrossover(hpCode, curve.frequencyHz[HP_BAND], CROSSOVER_LIMIT_HZ, CROSSOVER_LIMIT_HZ);
    sections.lp =
        activeCrossover(lpCode, curve.frequencyHz[LP_BAND], CROSSOVER_LIMIT_HZ, CROSSOVER_LIMIT_HZ);
    for (int band = FIRST_EQ_BAND; band < BAND_COUNT; ++band) {
        if (auto peak = activePeaking(curve.frequencyHz[band], curve.q[band], curve.gainDb[band]))
            sections.peaks[sections.peakCount++] = *peak;
    }
    return sections;
}

// The curve at one point, band by band in band order, as the bands' own arrays add up.
double pointSumDb(const CurveSections& sections, const ResponseGrid& grid, std::size_t i) {
    double sum = 0.0;
    for (const auto* crossover : {&sections.hp, &sections.lp}) {
        if (*crossover)
            sum += decibels((*crossover)->multiplier,
                            magnitudeSquared((*crossover)->section, grid, i));
    }
    for (const Section& peak : sections.activePeaks())
        sum += decibels(PEAKING_MULTIPLIER, magnitudeSquared(peak, grid, i));
    return sum;
}

// Smallest and largest value of (c − c0)² + p (1 − c²) over c in [−1, 1].
std::pair<double, double> quadraticRange(double c0, double p) {
    const double atOne = (1.0 - c0) * (1.0 - c0);
    const double atMinusOne = (1.0 + c0) * (1.0 + c0);
    double lo = std::min(atOne, atMinusOne);
    double hi = std::max(atOne, atMinusOne);
    if (p != 1.0) {
        const double turn = c0 / (1.0 - p);
        if (turn > -1.0 && turn < 1.0) {
            const double v = (turn - c0) * (turn - c0) + p * (1.0 - turn * turn);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    return {lo, hi};
}

// Whether the products of |N|² and of |D|² over the peaking bands stay normal numbers, with
// a wide margin, at every frequency. A peaking section has |N|² = m² ((c − c0)² + (αA)²
// (1 − c²)) and |D|² the same with α/A, m = 2 / a0, which bounds each band in closed form.
bool peakingProductsStayNormal(std::span<const Section> peaks) {
    double numLo = 0.0, numHi = 0.0, denLo = 0.0, denHi = 0.0;  // in decades
    for (const Section& k : peaks) {
        const double m = k.b0 + k.b2;
        const double c0 = -k.a1 / m;
        const double pN = (k.b0 - k.b2) / m;
        const double pD = (1.0 - k.a2) / m;
        const auto [nLo, nHi] = quadraticRange(c0, pN * pN);
        const auto [dLo, dHi] = quadraticRange(c0, pD * pD);
        const double m2 = m * m;
        if (!(m2 * nLo >= SMALLEST_BOUNDED_MAGNITUDE_SQUARED) ||
            !(m2 * dLo >= SMALLEST_BOUNDED_MAGNITUDE_SQUARED) || !std::isfinite(m2 * nHi) ||
            !std::isfinite(m2 * dHi))
            return false;
        numLo += std::min(0.0, std::log10(m2 * nLo));
        numHi += std::max(0.0, std::log10(m2 * nHi));
        denLo += std::min(0.0, std::log10(m2 * dLo));
        denHi += std::max(0.0, std::log10(m2 * dHi));
    }
    return numLo > -PRODUCT_LIMIT_DECADES && denLo > -PRODUCT_LIMIT_DECADES &&
           numHi < PRODUCT_LIMIT_DECADES && denHi < PRODUCT_LIMIT_DECADES;
}

// num *= |N|², den *= |D|² of a peaking band over count points from start. Its b1 equals
// its a1 (both −2 cos ω0 / a0), so one product serves numerator and denominator.
void multiplyPeaking(const Section& k, const ResponseGrid& grid, std::size_t start,
                     std::size_t count, double* num, double* den) {
    const double* c = grid.cosOmega().data() + start;
    const double* s = grid.sinOmega().data() + start;
    const double* c2 = grid.cos2Omega().data() + start;
    const double* s2 = grid.sin2Omega().data() + start;
    for (std::size_t i = 0; i < count; ++i) {
        const double a1c = k.a1 * c[i];
        const double a1s = k.a1 * s[i];
        const double reN = k.b0 * c2[i] + a1c + k.b2;
        const double imN = k.twoB0 * c[i] * s[i] + a1s;
        const double reD = c2[i] + a1c + k.a2;
        const double imD = s2[i] + a1s;
        num[i] *= reN * reN + imN * imN;
        den[i] *= reD * reD + imD * imD;
    }
}

// num *= |H|^(E/10) = (|H|²)^(E/20), so that the crossover's E · log10 |H| comes out of
// the one logarithm of the product. E is a multiple of 10: an integer power of |H|²,
// times |H| when E/10 is odd. Points whose factor is not a normal number lose exact.
void multiplyCrossover(const Crossover& crossover, const ResponseGrid& grid, std::size_t start,
                       std::size_t count, double* num, bool* exact) {
    const int halves = crossover.multiplier / 10;
    for (std::size_t i = 0; i < count; ++i) {
        const double r = magnitudeSquared(crossover.section, grid, start + i);
        double factor = halves % 2 == 1 ? std::sqrt(r) : 1.0;
        for (int n = 0; n < halves / 2; ++n) factor *= r;
        if (!std::isnormal(factor)) exact[i] = false;
        num[i] *= factor;
    }
}

void sumBlock(const CurveSections& sections, const ResponseGrid& grid, std::size_t start,
              std::span<double> sumDb) {
    const std::size_t count = std::min(BLOCK_POINTS, grid.size() - start);
    std::array<double, BLOCK_POINTS> num;
    std::array<double, BLOCK_POINTS> den;
    std::array<bool, BLOCK_POINTS> exact;
    num.fill(1.0);
    den.fill(1.0);
    exact.fill(true);
    for (const Section& peak : sections.activePeaks())
        multiplyPeaking(peak, grid, start, count, num.data(), den.data());
    for (const auto* crossover : {&sections.hp, &sections.lp}) {
        if (*crossover)
            multiplyCrossover(**crossover, grid, start, count, num.data(), exact.data());
    }
    for (std::size_t i = 0; i < count; ++i) {
        const double ratio = num[i] / den[i];
        const bool normal =
            exact[i] && std::isnormal(num[i]) && std::isnormal(den[i]) && std::isnormal(ratio);
        // Where the product left the normal range (a zero at the Nyquist frequency, say)
        // the bands are summed one by one, as the plain formula does.
        sumDb[start + i] =
            normal ? 10.0 * std::log10(ratio) : pointSumDb(sections, grid, start + i);
    }
}

}  // namespace

bool crossoverResponse(int code, double frequencyHz, const ResponseGrid& grid, double hpMaxHz,
                       double lpMaxHz, std::span<double> outDb) {
    if (outDb.size() != grid.size()) return false;
    const auto crossover = activeCrossover(code, frequencyHz, hpMaxHz, lpMaxHz);
    writeSection(crossover ? std::optional(crossover->section) : std::nullopt,
                 crossover ? crossover->multiplier : 0, grid, outDb);
    return true;
}

std::vector<double> crossoverResponse(int code, double frequencyHz, const ResponseGrid& grid,
                                      double hpMaxHz, double lpMaxHz) {
    std::vector<double> out(grid.size());
    crossoverResponse(code, frequencyHz, grid, hpMaxHz, lpMaxHz, out);
    return out;
}

bool peakingResponse(double frequencyHz, double q, double gainDb, const ResponseGrid& grid,
                     std::span<double> outDb) {
    if (outDb.size() != grid.size()) return false;
    writeSection(activePeaking(frequencyHz, q, gainDb), PEAKING_MULTIPLIER, grid, outDb);
    return true;
}

std::vector<double> peakingResponse(double frequencyHz, double q, double gainDb,
                                    const ResponseGrid& grid) {
    std::vector<double> out(grid.size());
    peakingResponse(frequencyHz, q, gainDb, grid, out);
    return out;
}

bool bandResponse(const CurveParams& curve, int band, int hpCode, int lpCode,
                  const ResponseGrid& grid, std::span<double> outDb) {
    if (band < 0 || band >= BAND_COUNT) return false;
    const auto slot = static_cast<std::size_t>(band);
    if (band == HP_BAND || band == LP_BAND) {
        return crossoverResponse(band == HP_BAND ? hpCode : lpCode, curve.frequencyHz[slot], grid,
                                 CROSSOVER_LIMIT_HZ, CROSSOVER_LIMIT_HZ, outDb);
    }
    return peakingResponse(curve.frequencyHz[slot], curve.q[slot], curve.gainDb[slot], grid, outDb);
}

bool curveResponse(const CurveParams& curve, int hpCode, int lpCode, const ResponseGrid& grid,
                   std::span<double> sumDb) {
    if (sumDb.size() != grid.size()) return false;
    const CurveSections sections = collectSections(curve, hpCode, lpCode);
    if (!peakingProductsStayNormal(sections.activePeaks())) {
        for (std::size_t i = 0; i < grid.size(); ++i) sumDb[i] = pointSumDb(sections, grid, i);
        return true;
    }
    for (std::size_t start = 0; start < grid.size(); start += BLOCK_POINTS)
        sumBlock(sections, grid, start, sumDb);
    return true;
}

std::vector<double> curveResponse(const CurveParams& curve, int hpCode, int lpCode,
                                  const ResponseGrid& grid) {
    std::vector<double> out(grid.size());
    curveResponse(curve, hpCode, lpCode, grid, out);
    return out;
}

}  // namespace tq370::response
