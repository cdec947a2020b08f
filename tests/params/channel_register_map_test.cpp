#include "params/channel_register_map.h"

#include <gtest/gtest.h>

#include <set>

#include "params/param_encoding.h"
#include "params/param_tables.h"
#include "params/register_defaults.h"

namespace tq370 {
namespace {

TEST(ChannelRegisterMap, RowsNameTheRegistersOfEachSlot) {
    struct Case {
        int slot;
        int entry;
        int reg;
    } cases[] = {{0, 0, 387},     {0, 1, 388},   {0, 3, 390},   {0, 123, 510},  {1, 0, 511},
                 {11, 123, 1874}, {2, 124, 183}, {2, 125, 207}, {2, 126, 348},  {2, 127, 347},
                 {2, 128, 349},   {2, 129, 300}, {2, 130, 299}, {2, 131, 301},  {2, 132, 195},
                 {2, 133, 254},   {2, 134, 252}, {2, 135, 253}, {11, 129, 336}, {11, 135, 289}};
    for (const auto& c : cases) {
        EXPECT_EQ(CHANNEL_REGISTER_MAP[c.slot][c.entry], c.reg)
            << "slot " << c.slot << " entry " << c.entry;
    }
}

TEST(ChannelRegisterMap, NoRegisterBelongsToTwoEntries) {
    std::set<int> seen;
    for (const auto& row : CHANNEL_REGISTER_MAP) {
        for (int reg : row) {
            EXPECT_TRUE(isRegister(reg)) << reg;
            EXPECT_TRUE(seen.insert(reg).second) << "register " << reg << " twice";
        }
    }
}

// The factory defaults and the encodings must agree on what a fresh channel holds.
TEST(ChannelRegisterMap, DefaultsDecodeToTheDocumentedValues) {
    const auto& defaults = registerDefaults();
    auto at = [&](int slot, int entry) { return defaults[CHANNEL_REGISTER_MAP[slot][entry]]; };
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        for (int k = 0; k < EQ_BAND_COUNT; ++k) {
            EXPECT_EQ(at(c, bandEntry(k, BandField::Frequency)),
                      encodeFrequency(ISO_BAND_FREQUENCIES[k]))
                << "slot " << c << " band " << k;
            EXPECT_EQ(at(c, bandEntry(k, BandField::Q)), encodeQ(7.6));
            EXPECT_EQ(at(c, bandEntry(k, BandField::Gain)), encodeGain(0));
        }
        EXPECT_EQ(at(c, ENTRY_HIGH_PASS_FREQUENCY), encodeFrequency(FREQ_GRID[0]));
        EXPECT_EQ(at(c, ENTRY_LOW_PASS_FREQUENCY), encodeFrequency(20600));
        EXPECT_EQ(at(c, ENTRY_HIGH_PASS_CODE), encodeFilterCode({5, 0}, false));
        EXPECT_EQ(at(c, ENTRY_LOW_PASS_CODE), encodeFilterCode({5, 0}, true));
        EXPECT_EQ(at(c, ENTRY_LIMITER_ATTACK), encodeAttack(45));
        EXPECT_EQ(at(c, ENTRY_LIMITER_LEVEL), encodeLimiterLevel(2.5));
        EXPECT_EQ(at(c, ENTRY_LIMITER_RELEASE), 8);
        EXPECT_EQ(at(c, ENTRY_VOLUME), encodeChannelVolume(0, true));
    }
}

TEST(InputRouting, SlotTablesAreInversesAndNameTheRegisters) {
    for (int i = 0; i < INPUT_COUNT; ++i) EXPECT_EQ(SLOT_TO_INPUT[INPUT_TO_SLOT[i]], i);
    EXPECT_EQ(routingRegister(0, 1), 32);
    EXPECT_EQ(routingRegister(1, 4), 43);
    EXPECT_EQ(routingRegister(3, 7), 73);
    EXPECT_EQ(routingRegister(11, 12), 173);
}

TEST(InputRouting, DefaultRoutingMatchesTheFactoryTable) {
    // Outputs 1..10 take their own input and input 11 (odd) or 12 (even); output 11
    // takes inputs 8 and 11, output 12 inputs 9 and 12.
    const auto& defaults = registerDefaults();
    for (int o = 0; o < CHANNEL_COUNT; ++o) {
        std::set<int> routed;
        if (o < 10) routed = {o + 1, o % 2 == 0 ? 11 : 12};
        if (o == 10) routed = {8, 11};
        if (o == 11) routed = {9, 12};
        for (int input = 1; input <= INPUT_COUNT; ++input) {
            const int value = defaults[routingRegister(o, input)];
            EXPECT_EQ(mixOn(value), routed.count(input) == 1)
                << "output " << o + 1 << " input " << input;
            EXPECT_EQ(mixLevel(value), 100);
        }
    }
}

}  // namespace
}  // namespace tq370
