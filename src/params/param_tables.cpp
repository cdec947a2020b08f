#include "params/param_tables.h"

#include <cstdint>

namespace tq370 {
namespace {

// 2^(r/36) for r = 0..35 by Newton's method on x^36 = 2^r, so that the grid can be
// built at compile time; the tests compare it with std::pow.
constexpr double twoToThe36th(int r) {
    if (r == 0) return 1.0;
    const double target = static_cast<double>(std::int64_t{1} << r);
    double x = 1.0 + r / 36.0;
    for (int i = 0; i < 100; ++i) {
        double power35 = 1.0;
        for (int j = 0; j < 35; ++j) power35 *= x;
        const double next = x * (35.0 / 36.0) + target / (36.0 * power35);
        if (next == x) break;
        x = next;
    }
    return x;
}

constexpr double floorPositive(double x) {
    return static_cast<double>(static_cast<std::int64_t>(x));
}

// Half-up to three significant digits. Values below 100 keep one decimal and are built
// as tenths, so that they equal the decimal literals (19.7, not 19.700000000000003).
constexpr double roundThreeDigits(double v) {
    if (v < 100.0) return floorPositive(v * 10.0 + 0.5) / 10.0;
    double scale = 1.0;
    while (v / scale >= 1000.0) scale *= 10.0;
    return floorPositive(v / scale + 0.5) * scale;
}

constexpr double gridFormula(int k) {
    const int n = k - 204;
    int octaves = n / 36;
    int rest = n % 36;
    if (rest < 0) {
        rest += 36;
        --octaves;
    }
    double v = 1000.0 * twoToThe36th(rest);
    for (; octaves > 0; --octaves) v *= 2.0;
    for (; octaves < 0; ++octaves) v *= 0.5;
    return roundThreeDigits(v);
}

constexpr std::array<double, FREQ_GRID_SIZE> makeFreqGrid() {
    std::array<double, FREQ_GRID_SIZE> grid{};
    for (int k = 0; k < FREQ_GRID_SIZE; ++k) grid[k] = gridFormula(k);
    // Entries the processor's grid sets by hand.
    grid[81] = 94;
    grid[82] = 95;
    grid[83] = 97;
    grid[84] = 99;
    grid[315] = 8460;
    grid[362] = 20600;
    return grid;
}

constexpr std::array<double, FREQ_TABLE_SIZE> makeFreqTable(
    const std::array<double, FREQ_GRID_SIZE>& grid) {
    std::array<double, FREQ_TABLE_SIZE> table{};
    table[0] = 19;
    for (int k = 0; k < FREQ_GRID_SIZE; ++k) table[k + 1] = grid[k];
    return table;
}

constexpr std::array<double, ATTACK_TABLE_SIZE> makeAttackTable() {
    std::array<double, ATTACK_TABLE_SIZE> table{};
    for (int i = 0; i < 7; ++i) table[i] = (i + 3) / 10.0;
    for (int ms = 1; ms <= 100; ++ms) table[ms + 6] = ms;
    table[ATTACK_TABLE_SIZE - 1] = 100;
    return table;
}

constexpr std::array<int, MS_TABLE_SIZE> makeMsTable() {
    std::array<int, MS_TABLE_SIZE> table{};
    for (int i = 0; i <= 80; ++i) table[i] = static_cast<int>(62.5 * i);
    table[81] = table[82] = 5000;
    return table;
}

constexpr std::array<double, EQ_BAND_COUNT> snapIsoCentres(
    const std::array<double, FREQ_GRID_SIZE>& grid, const std::array<double, EQ_BAND_COUNT>& iso) {
    std::array<double, EQ_BAND_COUNT> snapped{};
    for (int b = 0; b < EQ_BAND_COUNT; ++b) {
        int k = 0;
        while (k < FREQ_GRID_SIZE - 1 && grid[k] < iso[b]) ++k;
        snapped[b] = grid[k];
    }
    return snapped;
}

}  // namespace

constexpr std::array<double, FREQ_GRID_SIZE> FREQ_GRID = makeFreqGrid();
constexpr std::array<double, FREQ_TABLE_SIZE> FREQ_TABLE = makeFreqTable(FREQ_GRID);

constexpr std::array<double, Q_TABLE_SIZE> Q_TABLE = {
    0.4,  0.42, 0.45, 0.47, 0.5,  0.53, 0.56, 0.59, 0.63, 0.67, 0.71, 0.75, 0.79, 0.84, 0.89,
    0.94, 1,    1.06, 1.12, 1.19, 1.26, 1.3,  1.4,  1.5,  1.6,  1.7,  1.8,  1.9,  2,    2.1,
    2.2,  2.4,  2.5,  2.7,  2.8,  3,    3.2,  3.4,  3.6,  3.8,  4,    4.2,  4.5,  4.8,  5,
    5.3,  5.7,  6,    6.3,  6.7,  7.1,  7.6,  8,    8.5,  9,    9.5,  10.1, 10.7, 11.3, 12,
    12.7, 13.5, 14,   15,   16,   17,   18,   19,   20,   21,   23,   24,   25,   27,   29,
    30,   32,   34,   36,   38,   40,   43,   45,   48,   51,   54,   57,   60,   64,   68,
    72,   76,   81,   85,   91,   96,   102,  108,  114,  121,  128,  128,  128,  128};

constexpr std::array<double, ATTACK_TABLE_SIZE> ATTACK_TABLE = makeAttackTable();
constexpr std::array<int, MS_TABLE_SIZE> MS_TABLE = makeMsTable();

constexpr std::array<double, EQ_BAND_COUNT> ISO_BAND_CENTRES = {
    20,  25,   32,   40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,  630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
constexpr std::array<double, EQ_BAND_COUNT> ISO_BAND_FREQUENCIES =
    snapIsoCentres(FREQ_GRID, ISO_BAND_CENTRES);

int snapUpIndex(std::span<const double> table, int count, double x) {
    if (count <= 0 || table.empty()) return 0;
    if (count > static_cast<int>(table.size())) count = static_cast<int>(table.size());
    if (x <= table[0]) return 0;
    for (int i = 1; i < count; ++i) {
        if (x <= table[static_cast<std::size_t>(i)]) return i;
    }
    return count - 1;
}

int snapFrequencyIndex(double hz) {
    return snapUpIndex(FREQ_GRID, FREQ_GRID_SIZE, hz);
}

int snapQIndex(double q) {
    return snapUpIndex(Q_TABLE, Q_TABLE_DISTINCT, q);
}

int snapAttackIndex(double ms) {
    return snapUpIndex(ATTACK_TABLE, ATTACK_TABLE_SIZE - 1, ms);
}

int snapMsIndex(double ms) {
    constexpr int COUNT = 81;
    if (ms <= 0) return 0;
    for (int i = 1; i < COUNT; ++i) {
        if (ms <= MS_TABLE[static_cast<std::size_t>(i)]) return i;
    }
    return COUNT - 1;
}

int freqTableIndex(double hz) {
    if (hz < FREQ_TABLE[0]) return 0;
    for (int i = 0; i < FREQ_GRID_SIZE; ++i) {
        if (FREQ_TABLE[static_cast<std::size_t>(i)] >= hz) return i;
    }
    return FREQ_GRID_SIZE - 1;
}

}  // namespace tq370
