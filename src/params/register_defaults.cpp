#include "params/register_defaults.h"

#include "params/channel_register_map.h"
#include "params/param_encoding.h"
#include "params/param_tables.h"

namespace tq370 {
namespace {

using Defaults = std::array<std::int32_t, REGISTER_COUNT>;

// What a fresh channel holds, by ChannelRegisterMap entry.
constexpr std::int32_t BAND_KIND_PEAKING = 7;
constexpr double LIMITER_ATTACK_MS = 45;
constexpr std::int32_t LIMITER_RELEASE_CODE = 8;
constexpr double LIMITER_LEVEL_DBU = 2.5;
constexpr FilterChoice CROSSOVER_CHOICE = {5, 0};  // Butterworth, filter off
constexpr std::int32_t CROSSOVER_AUX = 500;
// The unused fourth register of the limiter and crossover groups.
constexpr std::int32_t LIMITER_SPARE = 100;
constexpr std::int32_t CROSSOVER_SPARE = 40;
constexpr int ROUTED_LEVEL = 100;

// Speaker positions of CH1..CH12, and the two inputs each output takes.
constexpr std::int32_t DEFAULT_POSITIONS[CHANNEL_COUNT] = {1,  7,  3,  9, 13, 16,
                                                           14, 17, 19, 0, 22, 23};
constexpr int DEFAULT_INPUTS[CHANNEL_COUNT][2] = {{1, 11}, {2, 12},  {3, 11}, {4, 12},
                                                  {5, 11}, {6, 12},  {7, 11}, {8, 12},
                                                  {9, 11}, {10, 12}, {8, 11}, {9, 12}};

void fill(Defaults& d, int first, int last, std::int32_t v) {
    for (int r = first; r <= last; ++r) d[static_cast<std::size_t>(r)] = v;
}

void set(Defaults& d, int reg, std::int32_t v) {
    d[static_cast<std::size_t>(reg)] = v;
}

void fillChannel(Defaults& d, int c) {
    const ChannelRegisterRow& row = CHANNEL_REGISTER_MAP[static_cast<std::size_t>(c)];
    auto entry = [&](int e, std::int32_t v) { set(d, row[static_cast<std::size_t>(e)], v); };
    for (int band = 0; band < EQ_BAND_COUNT; ++band) {
        entry(bandEntry(band, BandField::Kind), BAND_KIND_PEAKING);
        entry(bandEntry(band, BandField::Frequency),
              encodeFrequency(ISO_BAND_FREQUENCIES[static_cast<std::size_t>(band)]));
        entry(bandEntry(band, BandField::Gain), encodeGain(0));
        entry(bandEntry(band, BandField::Q), encodeQ(Q_TABLE[Q_INDEX_DEFAULT]));
    }
    entry(ENTRY_VOLUME, encodeChannelVolume(0, true));
    entry(ENTRY_HIGH_PASS_CODE, encodeFilterCode(CROSSOVER_CHOICE, false).value_or(0));
    entry(ENTRY_HIGH_PASS_FREQUENCY, encodeFrequency(FREQ_GRID[0]));
    entry(ENTRY_HIGH_PASS_AUX, CROSSOVER_AUX);
    entry(ENTRY_LOW_PASS_CODE, encodeFilterCode(CROSSOVER_CHOICE, true).value_or(0));
    entry(ENTRY_LOW_PASS_FREQUENCY, encodeFrequency(FREQUENCY_MAX_HZ));
    entry(ENTRY_LOW_PASS_AUX, CROSSOVER_AUX);
    entry(ENTRY_LIMITER_ATTACK, encodeAttack(LIMITER_ATTACK_MS));
    entry(ENTRY_LIMITER_RELEASE, LIMITER_RELEASE_CODE);
    entry(ENTRY_LIMITER_LEVEL, encodeLimiterLevel(LIMITER_LEVEL_DBU));
    set(d, REG_LIMITER_ATTACK - 1 + 4 * c, LIMITER_SPARE);
    set(d, REG_HIGH_PASS_AUX + 1 + 4 * c, CROSSOVER_SPARE);
    set(d, REG_LOW_PASS_AUX + 1 + 4 * c, CROSSOVER_SPARE);

    for (int input = 1; input <= INPUT_COUNT; ++input) {
        const bool on = input == DEFAULT_INPUTS[c][0] || input == DEFAULT_INPUTS[c][1];
        set(d, routingRegister(c, input), makeMixValue(ROUTED_LEVEL, on));
    }
    set(d, REG_SPEAKER_POSITION + c, DEFAULT_POSITIONS[c]);
}

Defaults makeDefaults() {
    Defaults d{};
    for (int c = 0; c < CHANNEL_COUNT; ++c) fillChannel(d, c);
    set(d, REG_MASTER_VOLUME, encodeMasterVolume(0));
    set(d, REG_INPUT_SOURCE, INPUT_SOURCE_HIGH_LEVEL);
    set(d, REG_MODE_CURRENT, 8);
    set(d, REG_MODE_COMMAND, (MODE_COMMAND_RECALL << 8) | 8);
    set(d, REG_HOST_LINK, HOST_LINK_ALIVE);
    set(d, REG_NOISE_GATE, 8);

    // Registers the program does not interpret, with the processor's factory values.
    set(d, REG_PROBE, 10006);
    fill(d, 1, 3, 8);
    fill(d, 5, 16, 100);
    fill(d, 177, 180, 600);
    fill(d, 231, 242, 1);
    set(d, 1877, 16);
    set(d, 1879, 100);
    set(d, 1880, 600);
    set(d, 1881, 100);
    set(d, 1882, 40);
    set(d, 1885, 1);
    set(d, 1889, 18);
    set(d, 1890, 13398);
    set(d, 1896, 6);
    set(d, 1897, 1);
    set(d, 1899, 0xFF00);
    return d;
}

}  // namespace

const std::array<std::int32_t, REGISTER_COUNT>& registerDefaults() {
    static const Defaults defaults = makeDefaults();
    return defaults;
}

}  // namespace tq370
