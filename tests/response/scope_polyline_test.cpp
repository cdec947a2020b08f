#include "response/scope_polyline.h"

#include <gtest/gtest.h>

#include <vector>

#include "response/math/curve_params.h"

namespace tq370::response {
namespace {

using Points = std::vector<QPoint>;

// A small scope: client 0..60 × 0..50, plot 10..30 × 5..45, so the 0 dB line is y = 25.
class SmallScope : public ::testing::Test {
protected:
    const ScopeGeometry g = scopeGeometry({0, 0, 60, 50}, {10, 5, 30, 45}, 1.0);
    Points out{{99, 99}};  // left-overs of an earlier curve must go
};

TEST_F(SmallScope, AFlatCurveIsTheZeroLine) {
    buildCurvePolyline(g, std::vector<double>(8, 0.0), out);
    EXPECT_EQ(out, (Points{{9, 25}, {60, 25}}));
    buildHighlightOutline(g, FIRST_EQ_BAND, std::vector<double>(8, 0.0), out);
    EXPECT_EQ(out, (Points{{9, 25}, {60, 25}}));
}

TEST_F(SmallScope, ACurveKeepsOnlyPointsWhereItsHeightChanges) {
    // Pixels above the 0 dB line; fractions are truncated.
    buildCurvePolyline(g, std::vector<double>{0, 0.5, 5.2, 5.9, 5, 3, 3}, out);
    EXPECT_EQ(out, (Points{{0, 25}, {12, 20}, {15, 22}, {16, 22}, {60, 25}}));
}

TEST_F(SmallScope, ACurveThatEndsOnARunReachesTheEndAtItsHeight) {
    // Without the last point the line would fall from x 11 straight to the right edge.
    buildCurvePolyline(g, std::vector<double>{0, 4, 4, 4, 4}, out);
    EXPECT_EQ(out, (Points{{0, 25}, {11, 21}, {14, 21}, {60, 25}}));
}

TEST_F(SmallScope, HighPassOutlineStartsWhereTheSlopeComesIntoView) {
    // −40 and −30 px lie below the client's bottom (y 65 and 55); −20 px is y 45.
    buildHighlightOutline(g, HP_BAND, std::vector<double>{-40, -30, -20, -3, 0, 0}, out);
    EXPECT_EQ(
        out,
        (Points{{9, 50}, {12, 45}, {13, 28}, {14, 25}, {15, 25}, {45, 25}, {60, 25}, {60, 50}}));
}

TEST_F(SmallScope, LowPassOutlineEndsWhereTheSlopeLeavesTheView) {
    buildHighlightOutline(g, LP_BAND, std::vector<double>{0, 0, -5, -30, -60}, out);
    EXPECT_EQ(out, (Points{{0, 50}, {0, 25}, {5, 25}, {12, 30}, {13, 55}}));
    // A slope that stays in view is closed at the bottom right.
    buildHighlightOutline(g, LP_BAND, std::vector<double>{0, -2, -5}, out);
    EXPECT_EQ(out, (Points{{0, 50}, {0, 25}, {5, 25}, {11, 27}, {12, 30}, {45, 50}}));
}

TEST_F(SmallScope, EqOutlineReturnsAlongTheZeroLine) {
    buildHighlightOutline(g, FIRST_EQ_BAND + 4, std::vector<double>{0, 2, 6, 2, 0}, out);
    EXPECT_EQ(out, (Points{{0, 25},
                           {11, 23},
                           {12, 19},
                           {13, 23},
                           {14, 25},
                           {60, 25},
                           {30, 25},
                           {26, 25},
                           {22, 25},
                           {18, 25},
                           {14, 25},
                           {10, 25}}));
}

}  // namespace
}  // namespace tq370::response
