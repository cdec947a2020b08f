#include <algorithm>
#include <array>

#include "controls/value_format.h"
#include "params/param_tables.h"

namespace tq370 {

namespace {

// The box's frequency table is the grid with its top entry once more, so that a position
// one past the grid still shows 20600 Hz.
std::array<double, FREQ_GRID_SIZE + 1> boxFrequencies() {
    std::array<double, FREQ_GRID_SIZE + 1> table{};
    std::copy(FREQ_GRID.begin(), FREQ_GRID.end(), table.begin());
    table.back() = FREQ_GRID.back();
    return table;
}

std::array<double, MS_TABLE_SIZE> msAsReal() {
    std::array<double, MS_TABLE_SIZE> table{};
    std::copy(MS_TABLE.begin(), MS_TABLE.end(), table.begin());
    return table;
}

}  // namespace

const ValueTables& defaultValueTables() {
    static const auto frequencies = boxFrequencies();
    static const auto ms = msAsReal();
    static const ValueTables tables{frequencies, Q_TABLE, ATTACK_TABLE, ms};
    return tables;
}

}  // namespace tq370
