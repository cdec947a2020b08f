#pragma once

#include "params/param_encoding.h"

namespace tq370::response {

// The processor runs at this rate; every filter is drawn as a section at this rate.
inline constexpr double SAMPLE_RATE_HZ = 48000.0;
// 2π exactly as the drawing has always used it, not the full-precision value, so that
// curves match the established picture to the last digit.
inline constexpr double TWO_PI = 6.28318530717958;
// A stored (display) Q is this many times the section's quality factor; the register
// encoding of Q uses the same constant.
inline constexpr double Q_DISPLAY_SCALE = tq370::Q_DISPLAY_SCALE;
// A crossover below this corner frequency is off.
inline constexpr double CROSSOVER_OFF_BELOW = 19.7;
// Upper corner limit of both crossovers: an HP above it and an LP at or above it is off.
inline constexpr double CROSSOVER_LIMIT_HZ = 20600.0;

// The plotted frequency range: grid point 0 and grid point W of a plot W pixels wide.
inline constexpr double GRID_START_HZ = 19.0;
inline constexpr double GRID_END_HZ = 20600.0;
// Points computed beyond the plot width, so a curve runs past the right edge.
inline constexpr int GRID_EXTRA_POINTS = 10;

}  // namespace tq370::response
