#include <algorithm>

#include "link/register_table.h"

namespace tq370 {
namespace {

using Defaults = std::array<std::int32_t, REGISTER_COUNT>;

constexpr void fill(Defaults& d, int first, int last, std::int32_t v) {
    for (int r = first; r <= last; ++r) d[static_cast<std::size_t>(r)] = v;
}

// Twelve consecutive groups, one per channel slot, each repeating the same pattern.
template <std::size_t N>
constexpr void fillGroups(Defaults& d, int first, const std::int32_t (&pattern)[N]) {
    for (int slot = 0; slot < 12; ++slot) {
        for (std::size_t i = 0; i < N; ++i) {
            d[static_cast<std::size_t>(first + slot * static_cast<int>(N)) + i] = pattern[i];
        }
    }
}

constexpr Defaults makeDefaults() {
    Defaults d{};
    d[0] = 10006;
    fill(d, 1, 3, 8);
    fill(d, 5, 16, 100);

    // Routing rows: every input off at level 100, except each output's own default input.
    fill(d, 30, 173, 0x6400);
    constexpr int routedOn[] = {32,  40,  42,  53,  57,  64,  67,  77,  84,  88,  94,  101,
                                109, 112, 119, 125, 134, 136, 147, 149, 155, 160, 170, 173};
    for (int r : routedOn) d[static_cast<std::size_t>(r)] = 0x6401;

    fill(d, 176, 192, 600);
    constexpr std::int32_t sources[] = {1, 7, 3, 9, 13, 16, 14, 17, 19};
    for (int i = 0; i < 9; ++i) d[static_cast<std::size_t>(217 + i)] = sources[i];
    d[227] = 22;
    d[228] = 23;
    fill(d, 231, 242, 1);

    constexpr std::int32_t limiter[] = {100, 450, 8, 525};
    fillGroups(d, 243, limiter);
    constexpr std::int32_t highPass[] = {52, 0x80C5, 500, 40};
    fillGroups(d, 291, highPass);
    constexpr std::int32_t lowPass[] = {53, 20600, 500, 40};
    fillGroups(d, 339, lowPass);

    constexpr std::int32_t bandFrequency[31] = {
        32969, 33021, 33093, 33169, 33274, 33405, 33571, 101,  125,  161,  202,
        250,   315,   405,   500,   630,   809,   1000,  1260, 1620, 2000, 2520,
        3170,  4000,  5040,  6350,  8000,  10100, 12500, 16000, 20200};
    for (int slot = 0; slot < 12; ++slot) {
        for (int band = 0; band < 31; ++band) {
            std::size_t r = static_cast<std::size_t>(387 + slot * 124 + band * 4);
            d[r] = 7;
            d[r + 1] = bandFrequency[band];
            d[r + 2] = 500;
            d[r + 3] = 240;
        }
    }

    d[1877] = 16;
    d[1879] = 100;
    d[1880] = 600;
    d[1881] = 100;
    d[1882] = 40;
    d[1884] = 1;
    d[1885] = 1;
    d[1889] = 18;
    d[1890] = 13398;
    d[1892] = 8;
    d[1893] = 0x0608;
    d[1894] = 1;
    d[1895] = 8;
    d[1896] = 6;
    d[1897] = 1;
    d[1899] = 0xFF00;
    return d;
}

constexpr Defaults REGISTER_DEFAULTS = makeDefaults();

}  // namespace

const std::array<std::int32_t, REGISTER_COUNT>& registerDefaults() { return REGISTER_DEFAULTS; }

}  // namespace tq370
