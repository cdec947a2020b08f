#include "response/math/filter_response.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>

#include "response/math/biquad.h"
#include "response/math/filter_code.h"

// The block loops also get a copy for processors with 256-bit vectors, chosen at load
// time. They are the same operations without fused multiply-add, so the same results.
// ThreadSanitizer crashes in the load-time resolver that picks the copy, so its builds
// keep the default one.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(__SANITIZE_THREAD__)
#define VECTOR_CLONES __attribute__((target_clones("avx", "default")))
#else
#define VECTOR_CLONES
#endif

namespace tq370::response {

namespace {

constexpr int PEAKING_MULTIPLIER = 20;
// Points evaluated together, so the running products stay in the first-level cache.
constexpr std::size_t BLOCK_POINTS = 128;
// 10 · log10 x written as a multiple of ln x, the much cheaper function.
constexpr double DB_PER_NATURAL_LOG_OF_POWER = 10.0 / std::numbers::ln10;
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

// Grid values of one block of points, and the running products of the block.
struct Block {
    std::size_t count = 0;
    const double* c = nullptr;   // cos ω
    const double* s = nullptr;   // sin ω
    const double* c2 = nullptr;  // cos² ω − sin² ω
    const double* s2 = nullptr;  // 2 cos ω sin ω
    alignas(16) std::array<double, BLOCK_POINTS> num;
    alignas(16) std::array<double, BLOCK_POINTS> den;
    // The smallest crossover factor multiplied into each point: below the normal range
    // it carried no precision into the product. The factors never exceed a few units.
    alignas(16) std::array<double, BLOCK_POINTS> smallestFactor;
};

// num *= |N|², den *= |D|² of two peaking bands (one pass over the block serves both,
// which halves the loads and stores). A peaking band's b1 equals its a1 (both −2 cos ω0
// / a0), so one product serves its numerator and denominator.
VECTOR_CLONES void multiplyPeakingPair(Section k, Section m, Block& block) {
    // k and m are copies: the compiler need not reload them after every store.
    const double* __restrict c = block.c;
    const double* __restrict s = block.s;
    const double* __restrict c2 = block.c2;
    const double* __restrict s2 = block.s2;
    double* __restrict num = block.num.data();
    double* __restrict den = block.den.data();
    for (std::size_t i = 0; i < block.count; ++i) {
        const double kc = k.a1 * c[i];
        const double ks = k.a1 * s[i];
        const double kReN = k.b0 * c2[i] + kc + k.b2;
        const double kImN = k.twoB0 * c[i] * s[i] + ks;
        const double kReD = c2[i] + kc + k.a2;
        const double kImD = s2[i] + ks;
        const double mc = m.a1 * c[i];
        const double ms = m.a1 * s[i];
        const double mReN = m.b0 * c2[i] + mc + m.b2;
        const double mImN = m.twoB0 * c[i] * s[i] + ms;
        const double mReD = c2[i] + mc + m.a2;
        const double mImD = s2[i] + ms;
        num[i] *= (kReN * kReN + kImN * kImN) * (mReN * mReN + mImN * mImN);
        den[i] *= (kReD * kReD + kImD * kImD) * (mReD * mReD + mImD * mImD);
    }
}

// Whether x carries full precision into a product: not zero, subnormal, infinite or NaN.
bool isNormalPositive(double x) {
    return x >= std::numeric_limits<double>::min() && x <= std::numeric_limits<double>::max();
}

// Multiplies the block's |H|² product by |H|^(E/10) = (|H|²)^(E/20) of a crossover, so
// that its E · log10 |H| comes out of the one logarithm of the product. E is a multiple of
// 10: for E/10 even, num and den take the powers |N|^(E/10) and |D|^(E/10) (no division,
// no root); for E/10 odd, num takes (|H|²)^((E/10 − 1)/2) · |H|.
VECTOR_CLONES void multiplyCrossover(const Crossover& crossover, Block& block) {
    const Section k = crossover.section;  // a copy, as in multiplyPeakingPair
    const std::size_t count = block.count;
    const double* __restrict c = block.c;
    const double* __restrict s = block.s;
    const double* __restrict c2 = block.c2;
    const double* __restrict s2 = block.s2;
    alignas(16) std::array<double, BLOCK_POINTS> numBase;
    alignas(16) std::array<double, BLOCK_POINTS> denBase;
    alignas(16) std::array<double, BLOCK_POINTS> numFactor;
    alignas(16) std::array<double, BLOCK_POINTS> denFactor;
    for (std::size_t i = 0; i < count; ++i) {
        const double reN = k.b0 * c2[i] + k.b1 * c[i] + k.b2;
        const double imN = k.twoB0 * c[i] * s[i] + k.b1 * s[i];
        const double reD = c2[i] + k.a1 * c[i] + k.a2;
        const double imD = s2[i] + k.a1 * s[i];
        numBase[i] = reN * reN + imN * imN;
        denBase[i] = reD * reD + imD * imD;
    }
    const int tenths = crossover.multiplier / 10;
    if (tenths % 2 == 1) {
        for (std::size_t i = 0; i < count; ++i) {
            numBase[i] /= denBase[i];
            numFactor[i] = std::sqrt(numBase[i]);
            denBase[i] = 1.0;
            denFactor[i] = 1.0;
        }
    } else {
        numFactor = numBase;
        denFactor = denBase;
    }
    for (int n = 1; n <= (tenths - 1) / 2; ++n) {
        for (std::size_t i = 0; i < count; ++i) {
            numFactor[i] *= numBase[i];
            denFactor[i] *= denBase[i];
        }
    }
    double* __restrict smallest = block.smallestFactor.data();
    double* __restrict num = block.num.data();
    double* __restrict den = block.den.data();
    for (std::size_t i = 0; i < count; ++i) {
        const double f = numFactor[i] < denFactor[i] ? numFactor[i] : denFactor[i];
        smallest[i] = f < smallest[i] ? f : smallest[i];
        num[i] *= numFactor[i];
        den[i] *= denFactor[i];
    }
}

void sumBlock(const CurveSections& sections, const ResponseGrid& grid, std::size_t start,
              std::span<double> sumDb) {
    Block block;
    block.count = std::min(BLOCK_POINTS, grid.size() - start);
    block.c = grid.cosOmega().data() + start;
    block.s = grid.sinOmega().data() + start;
    block.c2 = grid.cos2Omega().data() + start;
    block.s2 = grid.sin2Omega().data() + start;
    block.num.fill(1.0);
    block.den.fill(1.0);
    block.smallestFactor.fill(1.0);
    const std::span<const Section> peaks = sections.activePeaks();
    std::size_t p = 0;
    for (; p + 1 < peaks.size(); p += 2) multiplyPeakingPair(peaks[p], peaks[p + 1], block);
    // An odd band pairs with the unit section z²/z², whose |N|² and |D|² are one number.
    if (p < peaks.size()) multiplyPeakingPair(peaks[p], Section{}, block);
    for (const auto* crossover : {&sections.hp, &sections.lp}) {
        if (*crossover) multiplyCrossover(**crossover, block);
    }
    for (std::size_t i = 0; i < block.count; ++i) {
        const double ratio = block.num[i] / block.den[i];
        const bool normal = isNormalPositive(block.smallestFactor[i]) &&
                            isNormalPositive(block.num[i]) && isNormalPositive(block.den[i]) &&
                            isNormalPositive(ratio);
        // Where the product left the normal range (a zero at the Nyquist frequency, say)
        // the bands are summed one by one, as the plain formula does.
        sumDb[start + i] = normal ? DB_PER_NATURAL_LOG_OF_POWER * std::log(ratio)
                                  : pointSumDb(sections, grid, start + i);
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
