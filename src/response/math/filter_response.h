#pragma once

#include <span>
#include <vector>

#include "response/math/curve_params.h"
#include "response/math/response_constants.h"
#include "response/math/response_grid.h"

namespace tq370::response {

// Magnitude responses in dB, one value per grid point. Pure functions: nothing is kept
// between calls. The forms taking an output span write into it and return false, writing
// nothing, when its size differs from the grid's.

// One crossover: all zeros when the code is in no block or in the OFF block, when
// frequencyHz is below CROSSOVER_OFF_BELOW, for a high-pass above hpMaxHz and for a
// low-pass at or above lpMaxHz. Otherwise E · log10 |H| of the family's section, E the
// code's slope multiplier.
std::vector<double> crossoverResponse(int code, double frequencyHz, const ResponseGrid& grid,
                                      double hpMaxHz = CROSSOVER_LIMIT_HZ,
                                      double lpMaxHz = CROSSOVER_LIMIT_HZ);
bool crossoverResponse(int code, double frequencyHz, const ResponseGrid& grid, double hpMaxHz,
                       double lpMaxHz, std::span<double> outDb);

// One peaking EQ band, 20 · log10 |H|; q is the stored (display) Q. A gain of 0 dB is
// exactly 0 everywhere. A band that cannot be computed (a value not finite, q not
// above 0) is flat rather than a curve of NaNs.
std::vector<double> peakingResponse(double frequencyHz, double q, double gainDb,
                                    const ResponseGrid& grid);
bool peakingResponse(double frequencyHz, double q, double gainDb, const ResponseGrid& grid,
                     std::span<double> outDb);

// The curve's own contribution of one band: HP_BAND and LP_BAND through crossoverResponse
// with hpCode / lpCode and the limits CROSSOVER_LIMIT_HZ, the EQ bands through
// peakingResponse. False, writing nothing, for a band outside 0..BAND_COUNT − 1.
bool bandResponse(const CurveParams& curve, int band, int hpCode, int lpCode,
                  const ResponseGrid& grid, std::span<double> outDb);

// The sum of all BAND_COUNT bands of a curve, equal to adding the bandResponse arrays
// in band order up to rounding. Computed without a logarithm per band: the magnitudes of
// all bands are multiplied and one logarithm is taken per point.
std::vector<double> curveResponse(const CurveParams& curve, int hpCode, int lpCode,
                                  const ResponseGrid& grid);
bool curveResponse(const CurveParams& curve, int hpCode, int lpCode, const ResponseGrid& grid,
                   std::span<double> sumDb);

}  // namespace tq370::response
