#include "response/math/response_grid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tq370::response {
namespace {

TEST(ResponseGrid, WidthPlusTenLogarithmicPointsFrom19HzWithPointWAt20600Hz) {
    for (int width : {1, 7, 1000, 1037}) {
        const ResponseGrid grid(width);
        const auto f = grid.frequenciesHz();
        ASSERT_EQ(grid.size(), static_cast<std::size_t>(width) + 10) << width;
        EXPECT_EQ(f[0], 19.0);
        EXPECT_NEAR(f[static_cast<std::size_t>(width)], 20600.0, 20600.0 * 1e-12) << width;
        const double step = f[1] / f[0];
        for (std::size_t i = 1; i < f.size(); ++i)
            EXPECT_NEAR(f[i] / f[i - 1], step, step * 1e-12) << width << " point " << i;
    }
}

TEST(ResponseGrid, CachesTheTrigonometryOfEachPoint) {
    const ResponseGrid grid(std::vector<double>{19.0, 1000.0, 12000.0, 24000.0});
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const double omega = 6.28318530717958 * grid.frequenciesHz()[i] / 48000.0;
        EXPECT_EQ(grid.cosOmega()[i], std::cos(omega));
        EXPECT_EQ(grid.sinOmega()[i], std::sin(omega));
        EXPECT_NEAR(grid.cos2Omega()[i], std::cos(2 * omega), 1e-12);
        EXPECT_NEAR(grid.sin2Omega()[i], std::sin(2 * omega), 1e-12);
    }
    EXPECT_EQ(grid.widthPx(), 0);
}

TEST(ResponseGrid, WidthBelowOneGivesAnEmptyGrid) {
    for (int width : {0, -5}) {
        const ResponseGrid grid(width);
        EXPECT_EQ(grid.size(), 0u);
        EXPECT_EQ(grid.widthPx(), 0);
    }
}

}  // namespace
}  // namespace tq370::response
