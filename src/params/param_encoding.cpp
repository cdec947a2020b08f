#include "params/param_encoding.h"

#include <algorithm>
#include <cmath>

namespace tq370 {
namespace {

// Truncation toward zero of an already computed double, as the register encodings use it.
int truncate(double x) {
    return static_cast<int>(std::trunc(x));
}

// Like std::clamp, but a NaN becomes lo, so that no encoder converts a NaN to int.
double limit(double x, double lo, double hi) {
    return x >= lo ? (x <= hi ? x : hi) : lo;
}

constexpr int FILTER_BASE_CODES[FILTER_SLOPE_COUNT] = {40, 8, 14, 20, 46, 52, 58, 26, 64};
// Codes per slope block: high-pass and low-pass for each of the three families.
constexpr int CODES_PER_SLOPE = 2 * FILTER_FAMILY_COUNT;

constexpr int VOLUME_OFFSET = 100;  // level part = dB + 100

int clampSamples(double samples) {
    if (!(samples >= 0)) return 0;  // also NaN
    return samples >= DELAY_MAX_SAMPLES ? DELAY_MAX_SAMPLES : static_cast<int>(samples);
}

}  // namespace

const char* const FILTER_SLOPE_TEXTS[FILTER_SLOPE_COUNT] = {"6dB/Oct",  "12dB/Oct", "18dB/Oct",
                                                            "24dB/Oct", "30dB/Oct", "36dB/Oct",
                                                            "42dB/Oct", "48dB/Oct", "OFF"};
const int RELEASE_CODES[RELEASE_CHOICE_COUNT] = {2, 4, 6, 8, 16, 32};
const char* const RELEASE_TEXTS[RELEASE_CHOICE_COUNT] = {"Atk*2", "Atk*4",  "Atk*6",
                                                         "Atk*8", "Atk*16", "Atk*32"};

int encodeChannelVolume(double levelDb, bool phaseFirst) {
    const double level = limit(levelDb, VOLUME_MIN_DB, VOLUME_MAX_DB);
    const int part = level == VOLUME_MIN_DB ? 0 : truncate(level + VOLUME_OFFSET);
    return part + (phaseFirst ? PHASE_FLAG : 0);
}

ChannelVolume decodeChannelVolume(int value) {
    return {decodeVolumeLevel(value), value >= PHASE_FLAG};
}

int encodeMasterVolume(double levelDb) {
    return encodeChannelVolume(levelDb, true);
}

int volumeLevelPart(int value) {
    return std::max(value, 0) % PHASE_FLAG;
}

int decodeVolumeLevel(int value) {
    // A level part of 0 means −100 dB and reads as "OFF" like −60.
    return std::clamp(volumeLevelPart(value) - VOLUME_OFFSET, VOLUME_MIN_DB, VOLUME_MAX_DB);
}

double delaySamplesToMs(int samples) {
    const int n = std::clamp(samples, 0, DELAY_MAX_SAMPLES);
    return (n * 10000 / SAMPLES_PER_MS + 5) / 10000.0;
}

int encodeDelay(int samples) {
    return truncate(delaySamplesToMs(samples) * 1000);
}

int decodeDelay(int microseconds) {
    const double ms = microseconds / 1000.0;
    return clampSamples(std::floor(ms * SAMPLES_PER_MS + 0.5));
}

int delaySamplesFromCm(double cm) {
    return clampSamples(std::floor(cm * SAMPLES_PER_MS / SOUND_CM_PER_MS + 0.5));
}

int delaySamplesFromInches(double inches) {
    return clampSamples(std::floor(inches * SAMPLES_PER_MS / SOUND_CM_PER_MS * CM_PER_INCH + 0.5));
}

double delayDisplayMs(int samples) {
    return std::clamp(samples, 0, DELAY_MAX_SAMPLES) * 10000 / SAMPLES_PER_MS / 10000.0;
}

double delayDisplayCm(int samples) {
    return std::clamp(samples, 0, DELAY_MAX_SAMPLES) * 34600 / SAMPLES_PER_MS / 1000.0;
}

double delayDisplayInches(int samples) {
    return std::clamp(samples, 0, DELAY_MAX_SAMPLES) * 34600 / SAMPLES_PER_MS / 2540.0;
}

int encodeFrequency(double hz) {
    // Above the grid the whole-hertz form would run into the low-frequency range.
    const double f = limit(hz, 0, FREQUENCY_MAX_HZ);
    return f < 100 ? truncate(f * 10 + LOW_FREQUENCY_FLAG) : truncate(f);
}

double decodeFrequency(int value) {
    return value < LOW_FREQUENCY_FLAG ? value : (value - LOW_FREQUENCY_FLAG) / 10.0;
}

int encodeGain(double db) {
    return truncate(limit(db, GAIN_MIN_DB, GAIN_MAX_DB) * 10 + 500);
}

double decodeGain(int value) {
    return (value - 500) / 10.0;
}

int encodeQ(double q) {
    return truncate(limit(q, Q_MIN, Q_MAX) * 100 / Q_DISPLAY_SCALE);
}

double decodeQ(int value) {
    return value * Q_DISPLAY_SCALE / 100;
}

std::optional<int> encodeFilterCode(FilterChoice choice, bool lowPass) {
    if (choice.slopeIndex < 0 || choice.slopeIndex >= FILTER_SLOPE_COUNT) return std::nullopt;
    if (choice.familyIndex < 0 || choice.familyIndex >= FILTER_FAMILY_COUNT) return std::nullopt;
    return FILTER_BASE_CODES[choice.slopeIndex] + 2 * choice.familyIndex + (lowPass ? 1 : 0);
}

std::optional<FilterChoice> decodeFilterCode(int code) {
    for (int s = 0; s < FILTER_SLOPE_COUNT; ++s) {
        const int offset = code - FILTER_BASE_CODES[s];
        if (offset >= 0 && offset < CODES_PER_SLOPE) return FilterChoice{s, offset / 2};
    }
    return std::nullopt;
}

bool applyFilterCode(CrossoverChoice& choice, int code) {
    const auto decoded = decodeFilterCode(code);
    if (!decoded) return false;
    (isLowPassCode(code) ? choice.lowPass : choice.highPass) = *decoded;
    return true;
}

int encodeLimiterLevel(double dbu) {
    return truncate(limit(dbu, LIMITER_LEVEL_MIN_DBU, LIMITER_LEVEL_MAX_DBU) * 10 + 500);
}

double decodeLimiterLevel(int value) {
    return (value - 500) / 10.0;
}

int encodeAttack(double ms) {
    return truncate(limit(ms, ATTACK_MIN_MS, ATTACK_MAX_MS) * 10);
}

double decodeAttack(int value) {
    return value / 10.0;
}

int releaseCodeFromIndex(int index) {
    return index >= 0 && index < RELEASE_CHOICE_COUNT ? RELEASE_CODES[index] : RELEASE_CODES[0];
}

int releaseIndexFromCode(int code) {
    for (int i = 1; i < RELEASE_CHOICE_COUNT; ++i) {
        if (RELEASE_CODES[i] == code) return i;
    }
    return 0;
}

int mixLevel(int value) {
    return (value >> 8) & 0xFF;
}

bool mixOn(int value) {
    return (value & 0xFF) != 0;
}

int makeMixValue(double level, bool on) {
    // The routing dialog's level box stops at 100; clamping keeps a larger number from
    // wrapping round in the byte.
    const int l = truncate(limit(level, 0, 100));
    return ((l & 0xFF) << 8) | (on ? 1 : 0);
}

int withMixOn(int oldValue, bool on) {
    return (oldValue & 0xFF00) | (on ? 1 : 0);
}

std::optional<int> inputSourceIndex(int value) {
    if (value == INPUT_SOURCE_HIGH_LEVEL || value == INPUT_SOURCE_LOW_LEVEL) return value - 1;
    return std::nullopt;
}

int encodeInputSource(int index) {
    return index == 1 ? INPUT_SOURCE_LOW_LEVEL : INPUT_SOURCE_HIGH_LEVEL;
}

}  // namespace tq370
