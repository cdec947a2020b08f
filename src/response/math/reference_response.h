#pragma once

#include <vector>

#include "response/math/curve_params.h"
#include "response/math/response_constants.h"
#include "response/math/response_grid.h"

// The response formulas written out literally, one sine, cosine and logarithm per point
// and band, with nothing cached or combined. Slow; it is the yardstick the fast functions
// of filter_response.h are tested and benchmarked against. It reads only the grid's
// frequencies.
namespace tq370::response::reference {

std::vector<double> crossoverResponse(int code, double frequencyHz, const ResponseGrid& grid,
                                      double hpMaxHz = CROSSOVER_LIMIT_HZ,
                                      double lpMaxHz = CROSSOVER_LIMIT_HZ);

std::vector<double> peakingResponse(double frequencyHz, double q, double gainDb,
                                    const ResponseGrid& grid);

std::vector<double> curveResponse(const CurveParams& curve, int hpCode, int lpCode,
                                  const ResponseGrid& grid);

}  // namespace tq370::response::reference
