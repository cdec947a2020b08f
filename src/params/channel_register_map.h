#pragma once

#include <array>

// Where each output channel's parameters live in the register table.
namespace tq370 {

constexpr int CHANNEL_COUNT = 12;         // slots 0..11, shown as CH1..CH12
constexpr int CHANNEL_ENTRY_COUNT = 136;  // entries of one ChannelRegisterMap row

// Per-channel registers: the register of slot c is the first register + c, or + 4c for
// the groups of four.
constexpr int REG_ROUTING_FIRST = 30;  // 12 rows of 12 input slots
constexpr int REG_ROUTING_LAST = 173;
constexpr int ROUTING_ROW_SIZE = 12;
constexpr int REG_MASTER_VOLUME = 176;
constexpr int REG_CHANNEL_VOLUME = 181;
constexpr int REG_CHANNEL_DELAY = 193;
constexpr int REG_CHANNEL_MUTE = 205;
constexpr int REG_SPEAKER_POSITION = 217;
constexpr int REG_LIMITER_ATTACK = 244;  // + 4c; 243 + 4c is not used
constexpr int REG_LIMITER_RELEASE = 245;
constexpr int REG_LIMITER_LEVEL = 246;
constexpr int REG_HIGH_PASS_CODE = 291;  // + 4c; 294 + 4c is not used
constexpr int REG_HIGH_PASS_FREQUENCY = 292;
constexpr int REG_HIGH_PASS_AUX = 293;
constexpr int REG_LOW_PASS_CODE = 339;  // + 4c; 342 + 4c is not used
constexpr int REG_LOW_PASS_FREQUENCY = 340;
constexpr int REG_LOW_PASS_AUX = 341;
constexpr int REG_EQ_FIRST = 387;  // 124 registers per slot: 31 bands of four
constexpr int EQ_REGISTERS_PER_CHANNEL = 124;
constexpr int REG_EQ_LAST = REG_EQ_FIRST + CHANNEL_COUNT * EQ_REGISTERS_PER_CHANNEL - 1;

// The four registers of an EQ band, in register order.
enum class BandField { Kind = 0, Frequency = 1, Gain = 2, Q = 3 };

// ChannelRegisterMap entries. Entries 0..123 are the EQ bands: 4k + BandField.
constexpr int ENTRY_VOLUME = 124;
constexpr int ENTRY_MUTE = 125;
constexpr int ENTRY_LOW_PASS_FREQUENCY = 126;
constexpr int ENTRY_LOW_PASS_CODE = 127;
constexpr int ENTRY_LOW_PASS_AUX = 128;
constexpr int ENTRY_HIGH_PASS_FREQUENCY = 129;
constexpr int ENTRY_HIGH_PASS_CODE = 130;
constexpr int ENTRY_HIGH_PASS_AUX = 131;
constexpr int ENTRY_DELAY = 132;
constexpr int ENTRY_LIMITER_LEVEL = 133;
constexpr int ENTRY_LIMITER_ATTACK = 134;
constexpr int ENTRY_LIMITER_RELEASE = 135;

constexpr int bandEntry(int band, BandField field) {
    return 4 * band + static_cast<int>(field);
}

using ChannelRegisterRow = std::array<int, CHANNEL_ENTRY_COUNT>;
using ChannelRegisterMap = std::array<ChannelRegisterRow, CHANNEL_COUNT>;

constexpr ChannelRegisterMap makeChannelRegisterMap() {
    ChannelRegisterMap map{};
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        ChannelRegisterRow& row = map[c];
        for (int e = 0; e < 4 * 31; ++e) row[e] = REG_EQ_FIRST + EQ_REGISTERS_PER_CHANNEL * c + e;
        row[ENTRY_VOLUME] = REG_CHANNEL_VOLUME + c;
        row[ENTRY_MUTE] = REG_CHANNEL_MUTE + c;
        row[ENTRY_LOW_PASS_FREQUENCY] = REG_LOW_PASS_FREQUENCY + 4 * c;
        row[ENTRY_LOW_PASS_CODE] = REG_LOW_PASS_CODE + 4 * c;
        row[ENTRY_LOW_PASS_AUX] = REG_LOW_PASS_AUX + 4 * c;
        row[ENTRY_HIGH_PASS_FREQUENCY] = REG_HIGH_PASS_FREQUENCY + 4 * c;
        row[ENTRY_HIGH_PASS_CODE] = REG_HIGH_PASS_CODE + 4 * c;
        row[ENTRY_HIGH_PASS_AUX] = REG_HIGH_PASS_AUX + 4 * c;
        row[ENTRY_DELAY] = REG_CHANNEL_DELAY + c;
        row[ENTRY_LIMITER_LEVEL] = REG_LIMITER_LEVEL + 4 * c;
        row[ENTRY_LIMITER_ATTACK] = REG_LIMITER_ATTACK + 4 * c;
        row[ENTRY_LIMITER_RELEASE] = REG_LIMITER_RELEASE + 4 * c;
    }
    return map;
}

// The register of entry e of slot c is CHANNEL_REGISTER_MAP[c][e].
inline constexpr ChannelRegisterMap CHANNEL_REGISTER_MAP = makeChannelRegisterMap();

// Input i (1..12) of an output sits at offset INPUT_TO_SLOT[i - 1] of the output's
// routing row; SLOT_TO_INPUT is the inverse (offset → i - 1).
constexpr int INPUT_COUNT = 12;
constexpr int OFFERED_INPUT_COUNT = 10;  // inputs 11 and 12 have no control
inline constexpr std::array<int, INPUT_COUNT> INPUT_TO_SLOT = {2, 0, 3, 1, 6,  4,
                                                               7, 5, 8, 9, 10, 11};
inline constexpr std::array<int, INPUT_COUNT> SLOT_TO_INPUT = {1, 3, 0, 2, 5,  7,
                                                               4, 6, 8, 9, 10, 11};

// Register of output slot o (0..11) and input i (1..12).
constexpr int routingRegister(int output, int input) {
    return REG_ROUTING_FIRST + ROUTING_ROW_SIZE * output + INPUT_TO_SLOT[input - 1];
}

constexpr bool isSlot(int slot) {
    return slot >= 0 && slot < CHANNEL_COUNT;
}

}  // namespace tq370
