#include "response/scope_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace tq370::response {
namespace {

const ScopeRect EQ_PANEL_CLIENT{0, 0, 1037, 302};

TEST(ScopePlotRect, MarginsFollowTheScaleAndTheBoxColumn) {
    EXPECT_EQ(provisionalPlotRect(EQ_PANEL_CLIENT), (ScopeRect{30, 10, 1019, 284}));
    EXPECT_EQ(plotRect(EQ_PANEL_CLIENT, 1.0, false), (ScopeRect{30, 10, 1021, 284}));
    EXPECT_EQ(plotRect(EQ_PANEL_CLIENT, 1.0, true), (ScopeRect{30, 10, 977, 284}));
    // 30 × 1.55 = 46.5, 10 × 1.55 = 15.5, 60 × 1.55 = 93, 18 × 1.55 = 27.9: truncated.
    EXPECT_EQ(plotRect(EQ_PANEL_CLIENT, 1.55, true), (ScopeRect{46, 15, 944, 275}));
}

TEST(ScopeValueAxis, AFourHundredPixelPlot) {
    const ScopeRect client{0, 0, 1037, 428};
    const ScopeGeometry g = scopeGeometry(client, plotRect(client, 1.0, true), 1.0);
    ASSERT_EQ(g.plotHeight(), 400);
    EXPECT_EQ(g.zeroY, 210);
    EXPECT_EQ(g.crossoverHandleOffset, 100);
    EXPECT_EQ(yOfGain(g, 6), -60);
    EXPECT_EQ(yOfGain(g, -10), 100);
    EXPECT_EQ(yOfGain(g, 20), -200);  // the top line
}

TEST(ScopeValueAxis, TheEqPanelPlotTruncates) {
    const ScopeGeometry g =
        scopeGeometry(EQ_PANEL_CLIENT, plotRect(EQ_PANEL_CLIENT, 1.0, true), 1.0);
    EXPECT_EQ(g.zeroY, 147);                 // 10 + 274 / 2
    EXPECT_EQ(g.crossoverHandleOffset, 68);  // 274 / 4 = 68.5
    EXPECT_EQ(yOfGain(g, 6), -41);           // 41.1
    EXPECT_EQ(yOfGain(g, -6), 41);
}

TEST(ScopeValueAxis, ADraggedHandleGivesWholeDecibelsWithinTheAxis) {
    const ScopeGeometry g =
        scopeGeometry(EQ_PANEL_CLIENT, plotRect(EQ_PANEL_CLIENT, 1.0, true), 1.0);
    const int toTop = g.plot.top - g.zeroY;
    const int toBottom = g.plot.bottom - g.zeroY;
    EXPECT_EQ(gainOfDraggedY(g, toTop), 20);
    EXPECT_EQ(gainOfDraggedY(g, toBottom), -20);
    EXPECT_EQ(gainOfDraggedY(g, -41), 6);  // 41 × 400 / 273 = 60.07 tenths
    EXPECT_EQ(gainOfDraggedY(g, 40), -5);  // −58.6 tenths
    const double nearZero = gainOfDraggedY(g, 3);
    EXPECT_EQ(nearZero, 0);
    EXPECT_FALSE(std::signbit(nearZero)) << "a gain of -0 would read G:-0.0";
}

TEST(ScopeFrequencyAxis, EndsOfThePlotAndFrequenciesInBetween) {
    const ScopeGeometry g =
        scopeGeometry(EQ_PANEL_CLIENT, plotRect(EQ_PANEL_CLIENT, 1.0, true), 1.0);
    const int w = g.plotWidth();
    EXPECT_EQ(xOfFrequency(g, 19), 0);
    EXPECT_EQ(xOfFrequency(g, 20600), w);
    EXPECT_EQ(xOfFrequency(g, 0), 0) << "a band not set yet stands at the start";
    EXPECT_EQ(xOfFrequency(g, 1000), 537);  // log10(1000/19) / log10(20600/19) × 947
    EXPECT_NEAR(frequencyOfX(g, 537), 1000, 1000 * 0.008);  // within a pixel's width
    EXPECT_DOUBLE_EQ(frequencyOfX(g, w), 20600);
}

struct QDistanceCase {
    double q;
    int distance;
};

void PrintTo(const QDistanceCase& c, std::ostream* out) {
    *out << "Q " << c.q;
}

class QHandleDistance : public ::testing::TestWithParam<QDistanceCase> {};

TEST_P(QHandleDistance, FollowsTheTruncatedQ) {
    EXPECT_EQ(qHandleDistance(GetParam().q), GetParam().distance);
}

INSTANTIATE_TEST_SUITE_P(Table, QHandleDistance,
                         ::testing::Values(QDistanceCase{0.4, 124}, QDistanceCase{0.75, 124},
                                           QDistanceCase{0.99, 124}, QDistanceCase{1.0, 109},
                                           QDistanceCase{7.6, 75}, QDistanceCase{128, 25},
                                           QDistanceCase{500, 24}));

TEST(ScopeChannelBoxes, TwelveBoxesFillTheColumnRightOfThePlot) {
    const ScopeGeometry g =
        scopeGeometry(EQ_PANEL_CLIENT, plotRect(EQ_PANEL_CLIENT, 1.0, true), 1.0);
    const std::vector<ScopeRect> boxes = channelBoxRects(g, 12);
    ASSERT_EQ(boxes.size(), 12u);
    EXPECT_EQ(boxes[0], (ScopeRect{989, 5, 1029, 20}));
    EXPECT_EQ(boxes[1], (ScopeRect{989, 30, 1029, 45}));  // pitch 16 + 100 / 11
    EXPECT_LE(boxes[11].bottom, EQ_PANEL_CLIENT.bottom);
    EXPECT_GT(boxes[11].top, boxes[10].bottom);
    EXPECT_EQ(channelBoxRects(g, 1).size(), 1u) << "one box has no pitch to divide";
    EXPECT_TRUE(channelBoxRects(g, 0).empty());
}

TEST(ScopeHandles, OneSquareServesDrawingAndHitting) {
    const QRect square = handleRect(QPoint(100, 50));
    EXPECT_EQ(square, QRect(88, 38, 24, 24));
    EXPECT_TRUE(square.contains(QPoint(88, 38)));
    EXPECT_TRUE(square.contains(QPoint(111, 61)));
    EXPECT_FALSE(square.contains(QPoint(112, 50)));
}

TEST(ScopePixels, TruncationHoldsValuesBeyondAnyPicture) {
    EXPECT_EQ(truncatePixels(-3.9), -3);
    EXPECT_EQ(truncatePixels(1e300), 1000000);
    EXPECT_EQ(truncatePixels(-INFINITY), -1000000);
    EXPECT_EQ(truncatePixels(NAN), 0);
}

}  // namespace
}  // namespace tq370::response
