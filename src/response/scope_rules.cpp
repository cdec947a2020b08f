#include "response/scope_rules.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "params/param_tables.h"
#include "response/math/curve_params.h"

namespace tq370::response {

namespace {

// Q-table steps per pixel of a Q drag, and the right handle's extra reach.
constexpr double Q_STEPS_PER_PIXEL = 1.01;
constexpr int RIGHT_Q_REACH = 48;

int clampedQIndex(double index) {
    return static_cast<int>(std::trunc(std::clamp(index, 0.0, double{Q_DRAG_INDEX_MAX})));
}

}  // namespace

double snapScopeFrequency(double frequencyHz) {
    return FREQ_TABLE[static_cast<std::size_t>(freqTableIndex(frequencyHz))];
}

double crossoverFrequency(double frequencyHz) {
    return snapScopeFrequency(std::clamp(frequencyHz, CROSSOVER_MIN_HZ, CROSSOVER_MAX_HZ));
}

double eqFrequency(double frequencyHz) {
    return snapScopeFrequency(std::clamp(frequencyHz, EQ_MIN_HZ, EQ_MAX_HZ));
}

double steppedCrossoverFrequency(double frequencyHz, bool higher) {
    const auto found = std::lower_bound(FREQ_TABLE.begin(), FREQ_TABLE.end(), frequencyHz);
    if (found == FREQ_TABLE.end()) return frequencyHz;
    if (higher) {
        // The table's last entry repeats 20600 Hz, so a step from the top stays there.
        return std::next(found) == FREQ_TABLE.end() ? *found : *std::next(found);
    }
    return found == FREQ_TABLE.begin() ? frequencyHz : *std::prev(found);
}

double steppedGain(double gainDb, bool up) {
    const double tenths = std::round(gainDb * 10) + (up ? 1 : -1);
    return std::clamp(tenths / 10, -GAIN_LIMIT_DB, GAIN_LIMIT_DB) + 0.0;
}

int leftQDragIndex(int bandX, int mouseX) {
    return clampedQIndex(Q_DRAG_INDEX_MAX - (bandX - mouseX) * Q_STEPS_PER_PIXEL);
}

int rightQDragIndex(int bandX, int mouseX) {
    return clampedQIndex(Q_DRAG_INDEX_MAX - (mouseX - bandX - RIGHT_Q_REACH) * Q_STEPS_PER_PIXEL);
}

BandNotification bandNotification(int band) {
    if (band == HP_BAND) return {1, 0};
    if (band == LP_BAND) return {2, 0};
    return {0, band - FIRST_EQ_BAND};
}

}  // namespace tq370::response
