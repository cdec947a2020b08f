#include "params/eq_band_states.h"

#include <gmock/gmock.h>

namespace tq370 {
namespace {

using ::testing::ElementsAre;

BandGains gains(std::initializer_list<std::pair<int, int>> bands) {
    BandGains g{};
    for (auto [band, tenths] : bands) g[static_cast<std::size_t>(band)] = tenths;
    return g;
}

TEST(EqBandStates, ABandWithAGainIsOnAndTurnsPassOff) {
    EqGainStore store;
    BandStates flat = store.refresh(BandGains{});
    EXPECT_FALSE(flat.eqActive);
    EXPECT_THAT(flat.bandOn, ::testing::Each(false));

    BandStates one = store.refresh(gains({{5, -30}}));
    EXPECT_TRUE(one.eqActive);
    for (int k = 0; k < EQ_BAND_COUNT; ++k) EXPECT_EQ(one.bandOn[k], k == 5) << k;
    EXPECT_EQ(store.kept(5), -30);
}

TEST(EqBandStates, ABandButtonSwitchesTheBandOffAndBack) {
    EqGainStore store;
    store.refresh(gains({{5, -30}}));
    EXPECT_EQ(store.toggleBand(5, false, -30), 0);
    store.refresh(BandGains{});  // zero gains never overwrite what is kept
    EXPECT_EQ(store.toggleBand(5, true, 0), -30);
    EXPECT_EQ(store.toggleBand(7, true, 0), 0) << "a band that never had a gain stays flat";
    EXPECT_EQ(store.toggleBand(31, true, 12), 12) << "no such band";
}

TEST(EqBandStates, PassKeepsEveryGainAndBringsThemBack) {
    EqGainStore store;
    // Band 1 had a gain once and is flat when Pass is pressed: it stays flat after Pass.
    store.refresh(gains({{1, 45}}));
    const BandGains before = gains({{0, -30}, {1, 0}, {2, 20}});
    store.refresh(before);
    EXPECT_THAT(store.pass(true, before), ::testing::Each(0));
    const BandGains after = store.pass(false, BandGains{});
    EXPECT_THAT((std::vector<int>{after[0], after[1], after[2], after[3]}),
                ElementsAre(-30, 0, 20, 0));
}

TEST(EqBandStates, ResetForgetsTheKeptGains) {
    EqGainStore store;
    store.refresh(gains({{3, 60}}));
    store.clear();
    EXPECT_EQ(store.toggleBand(3, true, 0), 0);
}

}  // namespace
}  // namespace tq370
