#include "params/param_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tq370 {
namespace {

// The grid formula evaluated with the library's pow, rounded half-up to three digits.
double gridByPow(int k) {
    const double v = 1000.0 * std::pow(2.0, (k - 204) / 36.0);
    const double scale = std::pow(10.0, std::floor(std::log10(v)) - 2);
    return v < 100 ? std::floor(v * 10 + 0.5) / 10 : std::floor(v / scale + 0.5) * scale;
}

TEST(FreqGrid, HoldsEveryListedValue) {
    struct Case {
        int index;
        double hz;
    } cases[] = {{0, 19.7},   {1, 20.1},    {2, 20.5},    {3, 20.9},    {4, 21.3},   {24, 31.3},
                 {81, 94},    {82, 95},     {83, 97},     {84, 99},     {85, 101},   {204, 1000},
                 {315, 8460}, {359, 19800}, {360, 20200}, {361, 20600}, {362, 20600}};
    for (const auto& c : cases) EXPECT_EQ(FREQ_GRID[c.index], c.hz) << "index " << c.index;
}

TEST(FreqGrid, FollowsTheFormulaOutsideTheHandSetEntries) {
    for (int k = 0; k < FREQ_GRID_SIZE; ++k) {
        if ((k >= 81 && k <= 84) || k == 315 || k == 362) continue;
        EXPECT_EQ(FREQ_GRID[k], gridByPow(k)) << "index " << k;
    }
}

TEST(FreqGrid, AscendsWithOneDecimalBelow100AndWholeHertzAbove) {
    for (int k = 1; k < FREQ_GRID_SIZE - 1; ++k) EXPECT_LT(FREQ_GRID[k - 1], FREQ_GRID[k]) << k;
    for (double f : FREQ_GRID) {
        if (f < 100) {
            EXPECT_EQ(f, std::round(f * 10) / 10) << f;
        } else {
            EXPECT_EQ(f, std::round(f)) << f;
        }
    }
}

TEST(FreqTable, IsTheGridBehind19Hz) {
    EXPECT_EQ(FREQ_TABLE[0], 19);
    for (int k = 0; k < FREQ_GRID_SIZE; ++k) EXPECT_EQ(FREQ_TABLE[k + 1], FREQ_GRID[k]);
    EXPECT_EQ(FREQ_TABLE[205], 1000);
    EXPECT_EQ(FREQ_TABLE[363], 20600);
}

TEST(IsoBands, SnapUpToTheGrid) {
    const double expected[EQ_BAND_COUNT] = {20.1, 25.3, 32.5, 40.1,  50.6,  63.7,  80.3, 101,
                                            125,  161,  202,  250,   315,   405,   500,  630,
                                            809,  1000, 1260, 1620,  2000,  2520,  3170, 4000,
                                            5040, 6350, 8000, 10100, 12500, 16000, 20200};
    for (int b = 0; b < EQ_BAND_COUNT; ++b) {
        EXPECT_EQ(ISO_BAND_FREQUENCIES[b], expected[b]) << "band " << b;
        EXPECT_EQ(FREQ_GRID[snapFrequencyIndex(ISO_BAND_CENTRES[b])], expected[b]) << "band " << b;
    }
}

TEST(ValueTables, ShapesOfQAttackAndMsTables) {
    EXPECT_EQ(Q_TABLE[0], 0.4);
    EXPECT_EQ(Q_TABLE[16], 1);
    EXPECT_EQ(Q_TABLE[Q_INDEX_DEFAULT], 7.6);
    for (int i = 100; i < Q_TABLE_SIZE; ++i) EXPECT_EQ(Q_TABLE[i], 128) << i;
    for (int i = 1; i < Q_TABLE_DISTINCT; ++i) EXPECT_LT(Q_TABLE[i - 1], Q_TABLE[i]) << i;

    EXPECT_EQ(ATTACK_TABLE[0], 0.3);
    EXPECT_EQ(ATTACK_TABLE[6], 0.9);
    EXPECT_EQ(ATTACK_TABLE[7], 1);
    EXPECT_EQ(ATTACK_TABLE[51], 45);
    EXPECT_EQ(ATTACK_TABLE[106], 100);
    EXPECT_EQ(ATTACK_TABLE[107], 100);

    EXPECT_EQ(MS_TABLE[1], 62);
    EXPECT_EQ(MS_TABLE[3], 187);
    EXPECT_EQ(MS_TABLE[80], 5000);
    EXPECT_EQ(MS_TABLE[81], 5000);
    EXPECT_EQ(MS_TABLE[82], 5000);
}

TEST(Snapping, SnapsUpToTheFirstValueAtOrAbove) {
    struct Case {
        const char* what;
        int (*snap)(double);
        double x;
        int index;
    } cases[] = {
        {"frequency below the grid", snapFrequencyIndex, 5, 0},
        {"frequency at 19.7", snapFrequencyIndex, 19.7, 0},
        {"frequency just above 19.7", snapFrequencyIndex, 19.71, 1},
        {"frequency 63", snapFrequencyIndex, 63, 61},
        {"frequency on the grid", snapFrequencyIndex, 1000, 204},
        {"frequency 99.5 to 101", snapFrequencyIndex, 99.5, 85},
        {"frequency above the grid", snapFrequencyIndex, 30000, 362},
        {"Q at or below 0.4", snapQIndex, 0.3, 0},
        {"Q 7.6", snapQIndex, 7.6, 51},
        {"Q 1 decoded from 31", snapQIndex, 0.98166666666666658, 16},
        {"Q 128 decoded from 4042", snapQIndex, 127.99666666666666, 100},
        {"Q above the table", snapQIndex, 500, 100},
        {"attack at 0.3", snapAttackIndex, 0.3, 0},
        {"attack 45", snapAttackIndex, 45, 51},
        {"attack 1.5", snapAttackIndex, 1.5, 8},
        {"attack above", snapAttackIndex, 1000, 106},
        {"ms 0", snapMsIndex, 0, 0},
        {"ms 63", snapMsIndex, 63, 2},
        {"ms above", snapMsIndex, 9999, 80},
        {"scope below 19", freqTableIndex, 10, 0},
        {"scope 19.5", freqTableIndex, 19.5, 1},
        {"scope 25", freqTableIndex, 25, 14},
        {"scope above", freqTableIndex, 30000, 362},
    };
    for (const auto& c : cases) EXPECT_EQ(c.snap(c.x), c.index) << c.what;
    EXPECT_EQ(FREQ_GRID[61], 63.7);
    EXPECT_EQ(FREQ_TABLE[14], 25.3);
}

}  // namespace
}  // namespace tq370
