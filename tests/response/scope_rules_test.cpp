#include "response/scope_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "params/param_tables.h"
#include "response/scope_readout.h"

namespace tq370::response {
namespace {

struct SnapCase {
    double inHz;
    double scopeHz;  // snapScopeFrequency
    double eqHz;     // eqFrequency
    double crossoverHz;
};

void PrintTo(const SnapCase& c, std::ostream* out) {
    *out << c.inHz << " Hz";
}

class FrequencySnapping : public ::testing::TestWithParam<SnapCase> {};

TEST_P(FrequencySnapping, SnapsUpToTheTableAfterTheBandsLimits) {
    const SnapCase& c = GetParam();
    EXPECT_EQ(snapScopeFrequency(c.inHz), c.scopeHz);
    EXPECT_EQ(eqFrequency(c.inHz), c.eqHz);
    EXPECT_EQ(crossoverFrequency(c.inHz), c.crossoverHz);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencySnapping,
    ::testing::Values(SnapCase{5, 19, 19.7, 19}, SnapCase{19, 19, 19.7, 19},
                      SnapCase{19.2, 19.7, 19.7, 19.7}, SnapCase{25, 25.3, 25.3, 25.3},
                      SnapCase{999.9, 1000, 1000, 1000}, SnapCase{1000, 1000, 1000, 1000},
                      SnapCase{20600, 20600, 20600, 20600}, SnapCase{30000, 20600, 20600, 20600}));

struct CrossoverStepCase {
    double fromHz;
    bool higher;
    double toHz;
};

void PrintTo(const CrossoverStepCase& c, std::ostream* out) {
    *out << c.fromHz << (c.higher ? " up" : " down");
}

class CrossoverStep : public ::testing::TestWithParam<CrossoverStepCase> {};

TEST_P(CrossoverStep, MovesOneTableEntry) {
    const CrossoverStepCase& c = GetParam();
    EXPECT_EQ(steppedCrossoverFrequency(c.fromHz, c.higher), c.toHz);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CrossoverStep,
    ::testing::Values(CrossoverStepCase{20600, true, 20600}, CrossoverStepCase{20600, false, 20200},
                      CrossoverStepCase{19, false, 19}, CrossoverStepCase{19, true, 19.7},
                      CrossoverStepCase{1000, true, 1020}, CrossoverStepCase{1000, false, 981},
                      CrossoverStepCase{25000, true, 25000}));

TEST(GainStep, TenthsOfADecibelWithinTwentyDecibels) {
    EXPECT_EQ(steppedGain(0, true), 0.1);
    EXPECT_EQ(steppedGain(6.5, false), 6.4);
    EXPECT_EQ(steppedGain(20, true), 20);
    EXPECT_EQ(steppedGain(-20, false), -20);
    EXPECT_FALSE(std::signbit(steppedGain(-0.1, true))) << "-0 would read G:-0.0";
    // Stepping never drifts off the tenths the processor stores.
    double gain = 0;
    for (int i = 0; i < 7; ++i) gain = steppedGain(gain, true);
    EXPECT_EQ(gain, 0.7);
    for (int i = 0; i < 30; ++i) gain = steppedGain(gain, false);
    EXPECT_EQ(gain, -2.3);
}

struct QDragCase {
    bool right;
    int bandX;
    int mouseX;
    int index;
};

void PrintTo(const QDragCase& c, std::ostream* out) {
    *out << (c.right ? "right" : "left") << " band " << c.bandX << " mouse " << c.mouseX;
}

class QDrag : public ::testing::TestWithParam<QDragCase> {};

TEST_P(QDrag, IndexFromTheDistanceToTheBand) {
    const QDragCase& c = GetParam();
    EXPECT_EQ(c.right ? rightQDragIndex(c.bandX, c.mouseX) : leftQDragIndex(c.bandX, c.mouseX),
              c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QDrag,
    ::testing::Values(QDragCase{false, 500, 500, 101}, QDragCase{false, 500, 450, 50},
                      QDragCase{false, 500, 449, 49}, QDragCase{false, 500, 380, 0},
                      QDragCase{false, 500, 600, 101},  // past the band: clamped
                      QDragCase{true, 500, 548, 101}, QDragCase{true, 500, 598, 50},
                      QDragCase{true, 500, 700, 0}, QDragCase{true, 500, 400, 101}));

TEST(QDrag, TheHighestIndicesAreTheLastQ) {
    EXPECT_EQ(Q_TABLE[Q_DRAG_INDEX_MAX], 128);
    EXPECT_EQ(Q_TABLE[Q_DRAG_INDEX_MAX - 1], 128);
}

TEST(BandNotifications, CrossoversByWParamEqBandsByLParam) {
    EXPECT_EQ(bandNotification(HP_BAND).wParam, 1);
    EXPECT_EQ(bandNotification(HP_BAND).lParam, 0);
    EXPECT_EQ(bandNotification(LP_BAND).wParam, 2);
    EXPECT_EQ(bandNotification(LP_BAND).lParam, 0);
    EXPECT_EQ(bandNotification(FIRST_EQ_BAND).wParam, 0);
    EXPECT_EQ(bandNotification(FIRST_EQ_BAND).lParam, 0);
    EXPECT_EQ(bandNotification(BAND_COUNT - 1).lParam, 30);
}

struct ReadoutCase {
    int band;
    double frequencyHz;
    double q;
    double gainDb;
    const char* text;
};

void PrintTo(const ReadoutCase& c, std::ostream* out) {
    *out << "band " << c.band << " at " << c.frequencyHz << " Hz";
}

class ReadoutText : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(ReadoutText, FormatsByBandAndFrequency) {
    const ReadoutCase& c = GetParam();
    CurveParams curve;
    const auto slot = static_cast<std::size_t>(c.band);
    curve.frequencyHz[slot] = c.frequencyHz;
    curve.q[slot] = c.q;
    curve.gainDb[slot] = c.gainDb;
    EXPECT_EQ(readoutText(curve, c.band).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadoutText,
    ::testing::Values(ReadoutCase{HP_BAND, 19, 7.6, -10, "F:OFF"},
                      ReadoutCase{HP_BAND, 19.7, 7.6, -10, "F:19.7"},
                      ReadoutCase{HP_BAND, 80.3, 7.6, -10, "F:80.3"},
                      ReadoutCase{HP_BAND, 20600, 7.6, -10, "F:20600"},  // still filtering
                      ReadoutCase{LP_BAND, 20600, 7.6, -10, "F:OFF"},
                      ReadoutCase{LP_BAND, 20200, 7.6, -10, "F:20200"},
                      ReadoutCase{FIRST_EQ_BAND + 5, 63, 7.6, -3.5, "F:63.0 Q:7.60 G:-3.5"},
                      ReadoutCase{FIRST_EQ_BAND + 7, 100, 0.4, 0, "F:100 Q:0.40 G:0.0"},
                      ReadoutCase{FIRST_EQ_BAND + 30, 20200, 128, 20, "F:20200 Q:128.00 G:20.0"}));

TEST(ReadoutPlacement, BelowTheHandleInsideThePlotOrAboveNearTheBottom) {
    const ScopeRect client{0, 0, 1037, 302};
    const ScopeGeometry g = scopeGeometry(client, plotRect(client, 1.0, true), 1.0);
    const QSize text(150, 14);
    // The left edge is the handle's plot-relative x read as a client x.
    EXPECT_EQ(readoutRect(g, QPoint(400, 0), text), QRect(400, 159, 150, 14));
    EXPECT_EQ(readoutRect(g, QPoint(5, 0), text).left(), 42);
    EXPECT_EQ(readoutRect(g, QPoint(g.plotWidth(), 0), text).left(), 977 - 150 - 12);
    // A handle near the bottom gets its readout above it.
    EXPECT_EQ(readoutRect(g, QPoint(400, 120), text).top(), 147 + 120 - 14 - 12);
}

}  // namespace
}  // namespace tq370::response
