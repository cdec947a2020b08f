#pragma once

#include <cstdint>
#include <optional>

// Conversions between what a control shows and the 16-bit register value. Every
// product and sum is computed in double precision and then truncated toward zero.
// Encoders clamp their input to the parameter's range first, so they always return a
// register value of that parameter.
namespace tq370 {

// --- Volume: level −60..0 dB (−60 is "OFF"), plus PHASE_FLAG for the first phase state.
constexpr int PHASE_FLAG = 500;
constexpr int VOLUME_MIN_DB = -60;
constexpr int VOLUME_MAX_DB = 0;

struct ChannelVolume {
    int levelDb = 0;         // −60 means "OFF"
    bool phaseFirst = true;  // the phase button's first state, caption "180'"
};

int encodeChannelVolume(double levelDb, bool phaseFirst);
ChannelVolume decodeChannelVolume(int value);
// The master volume always carries PHASE_FLAG.
int encodeMasterVolume(double levelDb);
int decodeVolumeLevel(int value);
// The register's level part (value mod 500), which linked channels share.
int volumeLevelPart(int value);

// --- Delay: whole samples at 48 kHz, 0..960 (20 ms); the register holds microseconds.
constexpr int SAMPLES_PER_MS = 48;
constexpr int DELAY_MAX_SAMPLES = 960;
constexpr double SOUND_CM_PER_MS = 34.6;
constexpr double CM_PER_INCH = 2.54;

double delaySamplesToMs(int samples);
int encodeDelay(int samples);
int decodeDelay(int microseconds);
int delaySamplesFromCm(double cm);
int delaySamplesFromInches(double inches);
// What a delay field shows for a sample count: milliseconds ("%0.3f"), centimetres and
// inches ("%0.2f").
double delayDisplayMs(int samples);
double delayDisplayCm(int samples);
double delayDisplayInches(int samples);

// --- Frequency: below 100 Hz tenths plus 0x8000, from 100 Hz whole hertz.
constexpr int LOW_FREQUENCY_FLAG = 0x8000;
constexpr double FREQUENCY_MAX_HZ = 20600;

int encodeFrequency(double hz);
double decodeFrequency(int value);

// --- EQ band gain: −20.0 .. +20.0 dB in tenths plus 500.
constexpr double GAIN_MIN_DB = -20;
constexpr double GAIN_MAX_DB = 20;

int encodeGain(double db);
double decodeGain(int value);

// --- Q: the stored Q scaled by Q_DISPLAY_SCALE.
constexpr double Q_DISPLAY_SCALE = 3.1666666666666665;
constexpr double Q_MIN = 0.4;
constexpr double Q_MAX = 128;

int encodeQ(double q);
double decodeQ(int value);

// --- FilterCode: slope and family of a crossover in one number; high-pass codes even,
// low-pass codes odd.
constexpr int FILTER_SLOPE_COUNT = 9;   // 6 .. 48 dB/Oct and "OFF"
constexpr int FILTER_FAMILY_COUNT = 3;  // Butterworth, Bessel, Linkwitz
// The slope combo's texts, in combo order.
extern const char* const FILTER_SLOPE_TEXTS[FILTER_SLOPE_COUNT];

struct FilterChoice {
    int slopeIndex = 0;
    int familyIndex = 0;
};

struct CrossoverChoice {
    FilterChoice highPass;
    FilterChoice lowPass;
};

// Out-of-range indices give nullopt.
std::optional<int> encodeFilterCode(FilterChoice choice, bool lowPass);
// nullopt for a code outside the table (0..7, 32..39, above 69).
std::optional<FilterChoice> decodeFilterCode(int code);
constexpr bool isLowPassCode(int code) {
    return code % 2 != 0;
}
// Moves the high-pass (even code) or low-pass (odd code) choice to the code's slope and
// family; a code outside the table leaves both as they were. True when applied.
bool applyFilterCode(CrossoverChoice& choice, int code);

// --- Limiter.
constexpr double LIMITER_LEVEL_MIN_DBU = -30;
constexpr double LIMITER_LEVEL_MAX_DBU = 6;
constexpr double ATTACK_MIN_MS = 0.3;
constexpr double ATTACK_MAX_MS = 100;
constexpr int RELEASE_CHOICE_COUNT = 6;
extern const int RELEASE_CODES[RELEASE_CHOICE_COUNT];          // 2, 4, 6, 8, 16, 32
extern const char* const RELEASE_TEXTS[RELEASE_CHOICE_COUNT];  // "Atk*2" ...

int encodeLimiterLevel(double dbu);
double decodeLimiterLevel(int value);
int encodeAttack(double ms);
double decodeAttack(int value);
// Index 0..5 → ReleaseCode; an index out of range gives the first code.
int releaseCodeFromIndex(int index);
// Every code other than 4, 6, 8, 16, 32 shows as index 0.
int releaseIndexFromCode(int code);

// --- Routing register: mixLevel in the high byte, mixOn in the low byte.
int mixLevel(int value);
bool mixOn(int value);
int makeMixValue(double level, bool on);
// Switches an input on or off and keeps its level.
int withMixOn(int oldValue, bool on);

// --- Input source (REG_INPUT_SOURCE): stored as the combo index + 1.
constexpr int INPUT_SOURCE_HIGH_LEVEL = 1;
constexpr int INPUT_SOURCE_LOW_LEVEL = 2;

// The combo selection for a register value; nullopt selects no entry.
std::optional<int> inputSourceIndex(int value);
int encodeInputSource(int index);

}  // namespace tq370
