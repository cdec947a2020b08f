#pragma once

#include "controls/message_window.h"

// The value rules of the response scope that are not drawing: frequency limits and
// snapping, the steps of the wheel and the Up/Down keys, the Q drags and the
// notification parameters. Pure functions.
namespace tq370::response {

// Corner limits of the crossovers and the EQ bands, in Hz.
inline constexpr double CROSSOVER_MIN_HZ = 19.0;
inline constexpr double CROSSOVER_MAX_HZ = 20600.0;
inline constexpr double EQ_MIN_HZ = 19.7;
inline constexpr double EQ_MAX_HZ = 20600.0;
// Gains are held in dB within ±20.
inline constexpr double GAIN_LIMIT_DB = 20.0;
// One wheel notch or Up/Down press on an EQ band: the processor's gain resolution.
inline constexpr double EQ_GAIN_STEP_DB = 0.1;
// Q handles index the Q table up to here (the last two entries are both 128).
inline constexpr int Q_DRAG_INDEX_MAX = 101;

// Below 19 Hz gives 19 Hz, else the first FREQ_TABLE entry not below the frequency, or
// 20600 Hz above every entry.
double snapScopeFrequency(double frequencyHz);
// Clamped to the band's limits (HP and LP, or EQ), then snapped.
double crossoverFrequency(double frequencyHz);
double eqFrequency(double frequencyHz);

// One wheel notch or key press on a crossover: one FREQ_TABLE entry higher or lower,
// from the first entry not below the frequency. A frequency above every entry stays,
// and so does one at the table's first entry stepping lower.
double steppedCrossoverFrequency(double frequencyHz, bool higher);
// One gain step up or down, kept on tenths of a dB and within ±20 dB.
double steppedGain(double gainDb, bool up);

// The Q-table index a dragged Q handle stands for, from the band handle's x (relative
// to the plot's left edge) and the mouse x (client). Moving away from the band lowers
// the index (wider band), towards it raises it. Clamped to 0..Q_DRAG_INDEX_MAX.
int leftQDragIndex(int bandX, int mouseX);
int rightQDragIndex(int bandX, int mouseX);

// wParam and lParam of the notification for a band: HP (1, 0), LP (2, 0), EQ band b
// (0, b − 2).
struct BandNotification {
    WParam wParam = 0;
    LParam lParam = 0;
};
BandNotification bandNotification(int band);
// wParam of the notification that a CH box changed another curve's visibility.
inline constexpr WParam CURVE_VISIBILITY_CHANGED = 5;

}  // namespace tq370::response
