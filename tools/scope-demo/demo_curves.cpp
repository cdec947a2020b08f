#include "demo_curves.h"

#include <array>

#include "params/param_tables.h"
#include "response/response_scope.h"

namespace tq370::scope_demo {

namespace {

struct BandSetting {
    int eqBand;
    double q;
    double gainDb;
};

struct ChannelTuning {
    double highPassHz;
    double lowPassHz;
    std::array<BandSetting, 5> bands;
};

// Four channels of a car: front woofers, front tweeters, rear fill, subwoofer.
const std::array<ChannelTuning, 4> TUNINGS{{
    {40,
     20600,
     {{{3, 2.4, 4.0},
       {9, 7.6, -3.5},
       {DEMO_SELECTED_EQ_BAND, 4.2, 5.0},
       {18, 12.7, -6.0},
       {24, 1.4, 2.5}}}},
    {63,
     16000,
     {{{6, 3.0, -2.0}, {11, 2.0, 1.5}, {16, 7.6, -4.0}, {21, 5.0, 3.0}, {27, 1.0, -1.5}}}},
    {100,
     12500,
     {{{8, 1.2, 2.0}, {13, 4.0, -2.5}, {19, 2.2, 1.0}, {23, 6.0, -3.0}, {26, 1.5, 2.0}}}},
    {19, 8000, {{{1, 1.6, 6.0}, {4, 5.0, -3.0}, {7, 2.5, 2.0}, {10, 7.6, -5.0}, {14, 3.0, 1.0}}}},
}};

// High-pass 24 dB/oct Butter, low-pass 48 dB/oct Butter.
constexpr int DEMO_HP_CODE = 20;
constexpr int DEMO_LP_CODE = 27;

}  // namespace

void loadDemoCurves(response::ResponseScope& scope) {
    for (int row = 0; row < response::CHANNEL_CURVES; ++row) {
        for (int e = 0; e < tq370::EQ_BAND_COUNT; ++e) {
            scope.setBandFrequency(row, e, ISO_BAND_FREQUENCIES[static_cast<std::size_t>(e)]);
            scope.setBandGain(row, e, 0);
        }
        const ChannelTuning& tuning = TUNINGS[static_cast<std::size_t>(row) % TUNINGS.size()];
        scope.setCrossoverFrequency(row, response::HP_BAND, tuning.highPassHz);
        scope.setCrossoverFrequency(row, response::LP_BAND, tuning.lowPassHz);
        scope.selectCurve(row);
        for (const BandSetting& band : tuning.bands) {
            scope.setBandQ(band.eqBand, band.q);
            scope.setBandGain(row, band.eqBand, band.gainDb);
        }
    }
    scope.setCrossoverCode(DEMO_HP_CODE);
    scope.setCrossoverCode(DEMO_LP_CODE);
    scope.selectCurve(0);
    for (int row = 1; row < static_cast<int>(TUNINGS.size()); ++row)
        scope.setCurveVisible(row, true);
}

}  // namespace tq370::scope_demo
