#include "params/param_encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "params/param_tables.h"

namespace tq370 {
namespace {

TEST(VolumeEncoding, LevelAndPhaseFlag) {
    struct Case {
        double levelDb;
        bool phaseFirst;
        int value;
    } cases[] = {{0, true, 600},   {-12, false, 88}, {-60, true, 500}, {-60, false, 0},
                 {-40, true, 560}, {-40, false, 60}, {-75, false, 0},  {3, true, 600}};
    for (const auto& c : cases) {
        EXPECT_EQ(encodeChannelVolume(c.levelDb, c.phaseFirst), c.value)
            << c.levelDb << " dB, phase first " << c.phaseFirst;
    }
    EXPECT_EQ(encodeMasterVolume(-60), 500);
    EXPECT_EQ(encodeMasterVolume(-12), 588);
}

TEST(VolumeEncoding, DecodesLevelLimitedToTheRangeAndPhaseFromTheFlag) {
    struct Case {
        int value;
        int levelDb;
        bool phaseFirst;
    } cases[] = {{600, 0, true},    {560, -40, true}, {60, -40, false}, {0, -60, false},
                 {500, -60, true},  {88, -12, false}, {40, -60, false}, {650, 0, true},
                 {1000, -60, true}, {499, 0, false}};
    for (const auto& c : cases) {
        const ChannelVolume v = decodeChannelVolume(c.value);
        EXPECT_EQ(v.levelDb, c.levelDb) << c.value;
        EXPECT_EQ(v.phaseFirst, c.phaseFirst) << c.value;
    }
}

TEST(DelayEncoding, SamplesToMicrosecondsAndBack) {
    struct Case {
        int samples;
        int microseconds;
    } cases[] = {{0, 0}, {1, 21}, {24, 500}, {48, 1000}, {480, 10000}, {960, 20000}, {2000, 20000}};
    for (const auto& c : cases) EXPECT_EQ(encodeDelay(c.samples), c.microseconds) << c.samples;
    for (int n = 0; n <= DELAY_MAX_SAMPLES; ++n) EXPECT_EQ(decodeDelay(encodeDelay(n)), n) << n;
    EXPECT_EQ(decodeDelay(65535), DELAY_MAX_SAMPLES);
    EXPECT_EQ(delaySamplesToMs(48), 1.0005);
}

TEST(DelayEncoding, DistancesAndWhatTheFieldShows) {
    EXPECT_EQ(delaySamplesFromCm(12), 17);
    EXPECT_EQ(delaySamplesFromCm(346), 480);
    EXPECT_EQ(delaySamplesFromInches(136.22), 480);
    EXPECT_EQ(delaySamplesFromCm(-5), 0);
    EXPECT_EQ(delaySamplesFromCm(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(delaySamplesFromInches(1e9), DELAY_MAX_SAMPLES);
    EXPECT_DOUBLE_EQ(delayDisplayMs(48), 1.0);
    EXPECT_DOUBLE_EQ(delayDisplayCm(48), 34.6);
    EXPECT_NEAR(delayDisplayInches(48), 13.62, 0.005);
    EXPECT_NEAR(delaySamplesToMs(480) * SOUND_CM_PER_MS, 346.0, 0.05);
}

TEST(FrequencyEncoding, TenthsBelow100WholeHertzAbove) {
    struct Case {
        double hz;
        int value;
    } cases[] = {{19.7, 32965},  {20.1, 32969}, {25.3, 33021}, {63.7, 33405},
                 {99, 33758},    {99.9, 33767}, {100, 100},    {101, 101},
                 {20600, 20600}, {0, 32768},    {-3, 32768},   {40000, 20600}};
    for (const auto& c : cases) EXPECT_EQ(encodeFrequency(c.hz), c.value) << c.hz;
    EXPECT_EQ(decodeFrequency(33758), 99.0);
    EXPECT_EQ(decodeFrequency(32768), 0.0);
    EXPECT_EQ(decodeFrequency(32965), 19.7);
    EXPECT_EQ(decodeFrequency(20600), 20600.0);
}

TEST(FrequencyEncoding, EveryGridValueSurvivesTheRegister) {
    for (int k = 0; k < FREQ_GRID_SIZE; ++k) {
        EXPECT_EQ(decodeFrequency(encodeFrequency(FREQ_GRID[k])), FREQ_GRID[k]) << "index " << k;
    }
}

TEST(GainEncoding, TenthsPlus500) {
    struct Case {
        double db;
        int value;
    } cases[] = {{-20, 300}, {0, 500},    {20, 700}, {-0.1, 499}, {-3.5, 465},
                 {0.3, 503}, {-0.7, 493}, {25, 700}, {-25, 300}};
    for (const auto& c : cases) EXPECT_EQ(encodeGain(c.db), c.value) << c.db;
    for (int v = 300; v <= 700; ++v) EXPECT_EQ(encodeGain(decodeGain(v)), v) << v;
}

TEST(QEncoding, ScaledByTheDisplayScale) {
    struct Case {
        double q;
        int value;
    } cases[] = {{0.4, 12}, {1, 31}, {7.6, 240}, {128, 4042}, {0.1, 12}, {1000, 4042}};
    for (const auto& c : cases) EXPECT_EQ(encodeQ(c.q), c.value) << c.q;
    EXPECT_NEAR(decodeQ(4042), 127.9966, 1e-4);
    EXPECT_EQ(Q_TABLE[snapQIndex(decodeQ(4042))], 128);
    EXPECT_NEAR(decodeQ(31), 0.9817, 1e-4);
    EXPECT_EQ(Q_TABLE[snapQIndex(decodeQ(31))], 1);
    // Every table value comes back to itself through the register and the snap, except
    // 0.47: the register's steps are too coarse there, and 0.45 and 0.47 share 14.
    EXPECT_EQ(encodeQ(0.45), 14);
    EXPECT_EQ(encodeQ(0.47), 14);
    for (int i = 0; i < Q_TABLE_DISTINCT; ++i) {
        const int expected = Q_TABLE[i] == 0.47 ? i - 1 : i;
        EXPECT_EQ(snapQIndex(decodeQ(encodeQ(Q_TABLE[i]))), expected) << Q_TABLE[i];
    }
}

TEST(FilterCodeEncoding, SlopeAndFamilyToCode) {
    struct Case {
        int slope;
        int family;
        bool lowPass;
        int code;
    } cases[] = {{3, 1, false, 22}, {8, 2, true, 69}, {5, 0, false, 52}, {5, 0, true, 53},
                 {0, 0, false, 40}, {1, 0, false, 8}, {7, 2, true, 31},  {6, 1, true, 61}};
    for (const auto& c : cases) {
        EXPECT_EQ(encodeFilterCode({c.slope, c.family}, c.lowPass), c.code) << c.code;
        const auto decoded = decodeFilterCode(c.code);
        ASSERT_TRUE(decoded) << c.code;
        EXPECT_EQ(decoded->slopeIndex, c.slope) << c.code;
        EXPECT_EQ(decoded->familyIndex, c.family) << c.code;
        EXPECT_EQ(isLowPassCode(c.code), c.lowPass) << c.code;
    }
    EXPECT_FALSE(encodeFilterCode({9, 0}, false));
    EXPECT_FALSE(encodeFilterCode({0, 3}, false));
    EXPECT_FALSE(encodeFilterCode({-1, 0}, false));
}

TEST(FilterCodeEncoding, OnlyTableCodesDecode) {
    for (int code = -2; code < 80; ++code) {
        const bool valid = (code >= 8 && code <= 31) || (code >= 40 && code <= 69);
        EXPECT_EQ(decodeFilterCode(code).has_value(), valid) << code;
    }
}

TEST(FilterCodeEncoding, ApplyMovesOnlyTheCodesDirection) {
    const CrossoverChoice start{{2, 1}, {4, 2}};
    struct Case {
        int code;
        CrossoverChoice after;
    } cases[] = {
        {22, {{3, 1}, {4, 2}}},  // even: high-pass
        {69, {{2, 1}, {8, 2}}},  // odd: low-pass
        {33, start},             // not a crossover code: nothing changes
        {7, start},
        {70, start},
    };
    for (const auto& c : cases) {
        CrossoverChoice choice = start;
        EXPECT_EQ(applyFilterCode(choice, c.code), decodeFilterCode(c.code).has_value());
        EXPECT_EQ(choice.highPass.slopeIndex, c.after.highPass.slopeIndex) << c.code;
        EXPECT_EQ(choice.highPass.familyIndex, c.after.highPass.familyIndex) << c.code;
        EXPECT_EQ(choice.lowPass.slopeIndex, c.after.lowPass.slopeIndex) << c.code;
        EXPECT_EQ(choice.lowPass.familyIndex, c.after.lowPass.familyIndex) << c.code;
    }
}

TEST(LimiterEncoding, LevelAttackRelease) {
    struct LevelCase {
        double dbu;
        int value;
    } levels[] = {{-30, 200}, {6, 560}, {2.5, 525}, {0, 500}, {-0.1, 499}, {-40, 200}, {9, 560}};
    for (const auto& c : levels) EXPECT_EQ(encodeLimiterLevel(c.dbu), c.value) << c.dbu;
    EXPECT_EQ(decodeLimiterLevel(525), 2.5);

    struct AttackCase {
        double ms;
        int value;
    } attacks[] = {{0.3, 3}, {45, 450}, {100, 1000}, {0.1, 3}, {250, 1000}};
    for (const auto& c : attacks) EXPECT_EQ(encodeAttack(c.ms), c.value) << c.ms;
    // Each attack value is a whole number of tenths and must not lose one on the way.
    for (double ms : ATTACK_TABLE) {
        EXPECT_EQ(encodeAttack(ms), std::lround(ms * 10)) << ms;
        EXPECT_EQ(ATTACK_TABLE[snapAttackIndex(decodeAttack(encodeAttack(ms)))], ms) << ms;
    }

    struct ReleaseCase {
        int code;
        int index;
    } releases[] = {{2, 0}, {4, 1}, {6, 2}, {8, 3}, {16, 4}, {32, 5}, {12, 0}, {0, 0}, {64, 0}};
    for (const auto& c : releases) EXPECT_EQ(releaseIndexFromCode(c.code), c.index) << c.code;
    for (int i = 0; i < RELEASE_CHOICE_COUNT; ++i) {
        EXPECT_EQ(releaseIndexFromCode(releaseCodeFromIndex(i)), i);
    }
    EXPECT_STREQ(RELEASE_TEXTS[releaseIndexFromCode(12)], "Atk*2");
}

TEST(RoutingEncoding, LevelInTheHighByteOnInTheLow) {
    struct Case {
        int value;
        int level;
        bool on;
    } cases[] = {{0x6401, 100, true}, {0x6400, 100, false}, {0x0001, 0, true}, {0x3200, 50, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(mixLevel(c.value), c.level) << c.value;
        EXPECT_EQ(mixOn(c.value), c.on) << c.value;
        EXPECT_EQ(makeMixValue(c.level, c.on), c.value) << c.value;
    }
    EXPECT_EQ(withMixOn(0x6400, true), 0x6401);
    EXPECT_EQ(withMixOn(0x6401, false), 0x6400);
    EXPECT_EQ(makeMixValue(56.7, true), 0x3801);
    EXPECT_EQ(makeMixValue(300, true), 0x6401);
}

TEST(InputSourceEncoding, ValueIsTheComboIndexPlusOne) {
    EXPECT_EQ(inputSourceIndex(1), 0);
    EXPECT_EQ(inputSourceIndex(2), 1);
    EXPECT_FALSE(inputSourceIndex(0));
    EXPECT_FALSE(inputSourceIndex(3));
    EXPECT_EQ(encodeInputSource(0), 1);
    EXPECT_EQ(encodeInputSource(1), 2);
}

}  // namespace
}  // namespace tq370
