#pragma once

#include <array>
#include <span>

// The value domains that frequency, Q, limiter-time and time-table controls can take.
// Shared by the parameter encodings, the value box and the response scope.
namespace tq370 {

constexpr int FREQ_GRID_SIZE = 363;
constexpr int FREQ_TABLE_SIZE = 364;
constexpr int Q_TABLE_SIZE = 104;
constexpr int Q_TABLE_DISTINCT = 101;  // indices 101..103 repeat the highest Q
constexpr int ATTACK_TABLE_SIZE = 108;
constexpr int MS_TABLE_SIZE = 83;
constexpr int EQ_BAND_COUNT = 31;

// Grid indices the controls use: EQ bands skip 19.7 Hz, crossovers stop at the first
// 20600 Hz.
constexpr int EQ_FREQ_INDEX_MIN = 1;
constexpr int EQ_FREQ_INDEX_MAX = 362;
constexpr int CROSSOVER_FREQ_INDEX_MIN = 0;
constexpr int CROSSOVER_FREQ_INDEX_MAX = 361;
constexpr int Q_INDEX_DEFAULT = 51;  // Q 7.6

// 19.7 Hz .. 20600 Hz in 1/36-octave steps, rounded to three significant digits, with
// a few hand-set entries; the last entry repeats 20600.
extern const std::array<double, FREQ_GRID_SIZE> FREQ_GRID;
// The scope's table: 19 Hz followed by FREQ_GRID.
extern const std::array<double, FREQ_TABLE_SIZE> FREQ_TABLE;
// 0.4 .. 128, then 128 three more times.
extern const std::array<double, Q_TABLE_SIZE> Q_TABLE;
// Milliseconds: 0.3 .. 0.9, 1 .. 100, then 100 again.
extern const std::array<double, ATTACK_TABLE_SIZE> ATTACK_TABLE;
// trunc(62.5 × i) for i = 0..80, then 5000 twice.
extern const std::array<int, MS_TABLE_SIZE> MS_TABLE;
// Nominal ISO centres of the 31 EQ bands, and the same snapped up to FREQ_GRID (the
// band defaults and the EQ reset values).
extern const std::array<double, EQ_BAND_COUNT> ISO_BAND_CENTRES;
extern const std::array<double, EQ_BAND_COUNT> ISO_BAND_FREQUENCIES;

// Snaps x up to the first of the first `count` table values at or above it: x at or
// below the first value gives 0, x above every counted value gives count - 1.
int snapUpIndex(std::span<const double> table, int count, double x);

int snapFrequencyIndex(double hz);  // over all of FREQ_GRID
int snapQIndex(double q);           // over the 101 distinct Q values
int snapAttackIndex(double ms);     // over the first 107 attack values
int snapMsIndex(double ms);         // over the first 81 MS_TABLE values
// The scope's rule: below 19 Hz gives index 0 (19 Hz), else the first entry not below
// hz among entries 0..362, and 362 (20600 Hz) when none is.
int freqTableIndex(double hz);

}  // namespace tq370
