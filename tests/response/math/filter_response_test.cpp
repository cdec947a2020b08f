#include "response/math/filter_response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "response/math/filter_code.h"
#include "response/math/reference_response.h"

namespace tq370::response {
namespace {

constexpr double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();
const double BUTTER_AT_CORNER = 20.0 * std::log10(1.0 / std::sqrt(2.0));  // −3.0103
const double BESSEL_AT_CORNER = 20.0 * std::log10(1.0 / std::sqrt(3.0));  // −4.7712

// One band as the tests describe it: a crossover (code, frequency) or a peaking band.
struct Band {
    bool crossover = true;
    int code = 0;
    double frequencyHz = 0.0;
    double q = 0.0;
    double gainDb = 0.0;
};
Band xo(int code, double frequencyHz) {
    return {true, code, frequencyHz, 0.0, 0.0};
}
Band peq(double frequencyHz, double q, double gainDb) {
    return {false, 0, frequencyHz, q, gainDb};
}

std::vector<double> fast(const Band& b, const ResponseGrid& grid) {
    return b.crossover ? crossoverResponse(b.code, b.frequencyHz, grid)
                       : peakingResponse(b.frequencyHz, b.q, b.gainDb, grid);
}
std::vector<double> slow(const Band& b, const ResponseGrid& grid) {
    return b.crossover ? reference::crossoverResponse(b.code, b.frequencyHz, grid)
                       : reference::peakingResponse(b.frequencyHz, b.q, b.gainDb, grid);
}

double maxDifference(const std::vector<double>& a, const std::vector<double>& b) {
    EXPECT_EQ(a.size(), b.size());
    double worst = 0.0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] == b[i]) continue;  // equal infinities too
        worst = std::max(worst, std::isnan(a[i] - b[i]) ? INFINITY : std::fabs(a[i] - b[i]));
    }
    return worst;
}

struct BandCase {
    const char* name;
    Band band;
    double atHz;  // NaN: the band must be flat (exactly 0 dB) over the whole plot grid
    double expectedDb;
    double toleranceDb;
};

TEST(FilterResponse, BandValuesAndSwitchOffRules) {
    const BandCase cases[] = {
        {"Butter 12 dB/oct HP at F", xo(8, 1000), 1000, BUTTER_AT_CORNER, 1e-9},
        {"Butter 12 dB/oct LP at F", xo(9, 2500), 2500, BUTTER_AT_CORNER, 1e-9},
        {"Link 12 dB/oct HP at F", xo(12, 1000), 1000, BUTTER_AT_CORNER, 1e-9},
        {"Link 12 dB/oct LP at F", xo(13, 80), 80, BUTTER_AT_CORNER, 1e-9},
        {"Bessel 12 dB/oct HP at F", xo(10, 1000), 1000, BESSEL_AT_CORNER, 1e-9},
        {"Bessel 12 dB/oct LP at F", xo(11, 5000), 5000, BESSEL_AT_CORNER, 1e-9},
        {"Bessel 24 dB/oct HP at F", xo(22, 300), 300, 2 * BESSEL_AT_CORNER, 1e-9},
        {"Butter 6 dB/oct HP at F", xo(40, 1000), 1000, BUTTER_AT_CORNER / 2, 1e-9},
        {"Butter 48 dB/oct LP at F", xo(27, 1000), 1000, 4 * BUTTER_AT_CORNER, 1e-9},
        {"Butter 12 dB/oct HP 1000 Hz an octave below", xo(8, 1000), 500, -12.32, 0.005},
        {"HP at 19 Hz is off", xo(8, 19), NAN_VALUE, 0, 0},
        {"HP at 19.7 Hz is a curve", xo(8, 19.7), 19.7, BUTTER_AT_CORNER, 1e-9},
        {"HP at exactly 20600 Hz is a curve", xo(8, 20600), 20600, BUTTER_AT_CORNER, 1e-9},
        {"HP above 20600 Hz is off", xo(8, 20600.5), NAN_VALUE, 0, 0},
        {"LP at 20600 Hz is off", xo(9, 20600), NAN_VALUE, 0, 0},
        {"LP below 20600 Hz is a curve", xo(9, 20599), 20599, BUTTER_AT_CORNER, 1e-9},
        {"LP below 19.7 Hz is off", xo(9, 19.6), NAN_VALUE, 0, 0},
        {"OFF code 64", xo(64, 1000), NAN_VALUE, 0, 0},
        {"OFF code 65", xo(65, 1000), NAN_VALUE, 0, 0},
        {"OFF code 66", xo(66, 1000), NAN_VALUE, 0, 0},
        {"OFF code 67", xo(67, 1000), NAN_VALUE, 0, 0},
        {"OFF code 68", xo(68, 19.7), NAN_VALUE, 0, 0},
        {"OFF code 69", xo(69, 20000), NAN_VALUE, 0, 0},
        {"code 35 is in no block", xo(35, 1000), NAN_VALUE, 0, 0},
        {"code 7 is in no block", xo(7, 1000), NAN_VALUE, 0, 0},
        {"code 70 is in no block", xo(70, 1000), NAN_VALUE, 0, 0},
        {"crossover at NaN Hz is off", xo(8, NAN_VALUE), NAN_VALUE, 0, 0},
        {"peaking +6 dB at F", peq(1000, 7.6, 6), 1000, 6.0, 1e-9},
        {"peaking +6 dB at 1200 Hz", peq(1000, 7.6, 6), 1200, 3.36, 0.005},
        {"peaking -12.5 dB at F", peq(63, 1, -12.5), 63, -12.5, 1e-9},
        {"peaking with gain 0", peq(1000, 7.6, 0), NAN_VALUE, 0, 0},
        {"peaking with Q 0", peq(1000, 0, 6), NAN_VALUE, 0, 0},
        {"peaking with NaN frequency", peq(NAN_VALUE, 7.6, 6), NAN_VALUE, 0, 0},
    };
    const ResponseGrid plot(1000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto* evaluate : {&fast, &slow}) {
            SCOPED_TRACE(evaluate == &fast ? "fast" : "reference");
            if (std::isnan(c.atHz)) {
                const auto values = evaluate(c.band, plot);
                ASSERT_EQ(values.size(), plot.size());
                EXPECT_TRUE(
                    std::all_of(values.begin(), values.end(), [](double v) { return v == 0.0; }));
            } else {
                const auto values = evaluate(c.band, ResponseGrid(std::vector<double>{c.atHz}));
                ASSERT_EQ(values.size(), 1u);
                EXPECT_NEAR(values[0], c.expectedDb, c.toleranceDb);
            }
        }
    }
}

// Link draws Butter's section, and every slope scales one section's decibels by E / 20.
TEST(FilterResponse, LinkEqualsButterAndSlopesScaleOneSection) {
    const ResponseGrid grid(1000);
    for (auto direction : {FilterDirection::HighPass, FilterDirection::LowPass}) {
        for (double f : {19.7, 1000.0, 20000.0}) {
            const auto twelve =
                crossoverResponse(*encodeFilterCode(1, FilterFamily::Butter, direction), f, grid);
            for (int slope = 0; slope < SLOPE_OFF; ++slope) {
                SCOPED_TRACE("slope " + std::to_string(slope) + " at " + std::to_string(f));
                const int butter = *encodeFilterCode(slope, FilterFamily::Butter, direction);
                const int link = *encodeFilterCode(slope, FilterFamily::Link, direction);
                const auto butterDb = crossoverResponse(butter, f, grid);
                EXPECT_EQ(butterDb, crossoverResponse(link, f, grid));
                EXPECT_EQ(reference::crossoverResponse(butter, f, grid),
                          reference::crossoverResponse(link, f, grid));
                const double scale = (slope + 1) / 2.0;
                for (std::size_t i = 0; i < grid.size(); ++i)
                    ASSERT_NEAR(butterDb[i], scale * twelve[i],
                                1e-12 * (1 + std::fabs(butterDb[i])));
            }
        }
    }
}

CurveParams randomCurve(std::mt19937& rng, int& hpCode, int& lpCode) {
    std::uniform_real_distribution<double> logF(std::log(19.7), std::log(20600.0));
    std::uniform_real_distribution<double> logCrossoverF(std::log(15.0), std::log(25000.0));
    std::uniform_real_distribution<double> logQ(std::log(0.4), std::log(128.0));
    std::uniform_int_distribution<int> gainTenths(-200, 200);
    std::uniform_int_distribution<int> slope(0, SLOPE_OFF);
    std::uniform_int_distribution<int> family(0, 2);
    hpCode = *encodeFilterCode(slope(rng), FilterFamily(family(rng)), FilterDirection::HighPass);
    lpCode = *encodeFilterCode(slope(rng), FilterFamily(family(rng)), FilterDirection::LowPass);
    CurveParams curve;
    curve.frequencyHz[HP_BAND] = std::exp(logCrossoverF(rng));
    curve.frequencyHz[LP_BAND] = std::exp(logCrossoverF(rng));
    for (int band = FIRST_EQ_BAND; band < BAND_COUNT; ++band) {
        curve.frequencyHz[band] = std::exp(logF(rng));
        curve.q[band] = std::exp(logQ(rng));
        curve.gainDb[band] = gainTenths(rng) / 10.0;
        curve.type[band] = PEAKING_TYPE;
    }
    return curve;
}

TEST(FilterResponse, FastCurveEqualsReferenceOnRandomCurves) {
    std::mt19937 rng(370);
    double worstCurve = 0.0, worstBand = 0.0, worstBandSum = 0.0;
    for (int width : {1000, 333}) {
        const ResponseGrid grid(width);
        std::vector<double> band(grid.size());
        for (int n = 0; n < 100; ++n) {
            int hpCode = 0, lpCode = 0;
            const CurveParams curve = randomCurve(rng, hpCode, lpCode);
            const auto sum = curveResponse(curve, hpCode, lpCode, grid);
            worstCurve =
                std::max(worstCurve,
                         maxDifference(sum, reference::curveResponse(curve, hpCode, lpCode, grid)));
            std::vector<double> bandSum(grid.size(), 0.0);
            for (int b = 0; b < BAND_COUNT; ++b) {
                ASSERT_TRUE(bandResponse(curve, b, hpCode, lpCode, grid, band));
                const Band described = b == HP_BAND ? xo(hpCode, curve.frequencyHz[0])
                                       : b == LP_BAND
                                           ? xo(lpCode, curve.frequencyHz[1])
                                           : peq(curve.frequencyHz[b], curve.q[b], curve.gainDb[b]);
                worstBand = std::max(worstBand, maxDifference(band, slow(described, grid)));
                for (std::size_t i = 0; i < grid.size(); ++i) bandSum[i] += band[i];
            }
            worstBandSum = std::max(worstBandSum, maxDifference(sum, bandSum));
        }
    }
    EXPECT_LT(worstCurve, 1e-9);
    EXPECT_LT(worstBandSum, 1e-9);
    EXPECT_EQ(worstBand, 0.0) << "a band's own array is the reference's to the last bit";
}

// Curves whose magnitude products leave the range of normal numbers are summed band by
// band instead, and still match the reference.
TEST(FilterResponse, ExtremeCurvesMatchTheReference) {
    CurveParams deepCuts;  // 31 narrow −20 dB cuts at the bottom of the range
    for (int b = FIRST_EQ_BAND; b < BAND_COUNT; ++b) {
        deepCuts.frequencyHz[b] = 19.7 + 0.01 * b;
        deepCuts.q[b] = 128;
        deepCuts.gainDb[b] = -20;
    }
    CurveParams steep;  // 48 dB/oct HP at the top, LP at the bottom, a few boosts
    steep.frequencyHz[HP_BAND] = 20600;
    steep.frequencyHz[LP_BAND] = 19.7;
    for (int b = FIRST_EQ_BAND; b < 6; ++b) {
        steep.frequencyHz[b] = 1000.0 * b;
        steep.q[b] = 2;
        steep.gainDb[b] = 12;
    }
    const ResponseGrid plot(1000);
    // Far below the audible range, at and beyond the Nyquist frequency.
    const ResponseGrid outside(std::vector<double>{1e-30, 1e-3, 1, 19, 23999.9, 24000, 30000});
    const struct {
        const char* name;
        const CurveParams& curve;
        const ResponseGrid& grid;
    } cases[] = {
        {"deep cuts, plot grid", deepCuts, plot},
        {"deep cuts, outside frequencies", deepCuts, outside},
        {"steep crossovers, plot grid", steep, plot},
        {"steep crossovers, outside frequencies", steep, outside},
    };
    const int hp48 = *encodeFilterCode(7, FilterFamily::Butter, FilterDirection::HighPass);
    const int lp48 = *encodeFilterCode(7, FilterFamily::Bessel, FilterDirection::LowPass);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto expected = reference::curveResponse(c.curve, hp48, lp48, c.grid);
        const auto actual = curveResponse(c.curve, hp48, lp48, c.grid);
        EXPECT_LT(maxDifference(actual, expected), 1e-9);
        EXPECT_TRUE(
            std::none_of(actual.begin(), actual.end(), [](double v) { return std::isnan(v); }));
    }
}

TEST(FilterResponse, OutputOfTheWrongSizeOrAnUnknownBandIsRefused) {
    const ResponseGrid grid(100);
    std::vector<double> shortOut(grid.size() - 1, 7.0);
    CurveParams curve;
    EXPECT_FALSE(crossoverResponse(8, 1000, grid, 20600, 20600, shortOut));
    EXPECT_FALSE(peakingResponse(1000, 7.6, 6, grid, shortOut));
    EXPECT_FALSE(curveResponse(curve, 8, 9, grid, shortOut));
    EXPECT_FALSE(bandResponse(curve, 0, 8, 9, grid, shortOut));
    EXPECT_TRUE(std::all_of(shortOut.begin(), shortOut.end(), [](double v) { return v == 7.0; }));
    std::vector<double> out(grid.size());
    EXPECT_FALSE(bandResponse(curve, -1, 8, 9, grid, out));
    EXPECT_FALSE(bandResponse(curve, BAND_COUNT, 8, 9, grid, out));
    EXPECT_TRUE(bandResponse(curve, BAND_COUNT - 1, 8, 9, grid, out));
}

}  // namespace
}  // namespace tq370::response
