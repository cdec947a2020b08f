#pragma once

#include <QImage>

#include <array>

#include "response/scope_geometry.h"

namespace tq370::response {

// One vertical grid line; a line without a label is drawn bare.
struct AxisLine {
    double frequencyHz;
    const char* label;
};

// The frequency axis: its first and last frequency and its grid lines. "20" stands at
// 19 Hz and "20K" at 20600 Hz, the plot's edges.
struct AxisTable {
    double startHz;
    double endHz;
    std::array<AxisLine, 28> lines;
};
extern const AxisTable AXIS_TABLE;

// Nine value lines of which every other one is labelled "+20" … "-20".
inline constexpr int VALUE_LINE_PARTS = 8;

// Draws the background, the grid lines and the axis labels for the geometry into an
// image of the client's size.
void drawScopeGrid(QImage& image, const ScopeGeometry& g);

}  // namespace tq370::response
