#pragma once

namespace tq370::response {
class ResponseScope;
}

namespace tq370::scope_demo {

// The EQ band the demo selects for its picture.
inline constexpr int DEMO_SELECTED_EQ_BAND = 12;

// Fills the twelve curves with example tunings the way the EQ panel loads channels:
// every band at its ISO centre, a few gains and Qs, crossovers per channel; shows
// curves 1 to 3 beside the current curve 0.
void loadDemoCurves(response::ResponseScope& scope);

}  // namespace tq370::scope_demo
