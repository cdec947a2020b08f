#pragma once

#include <QPoint>

#include <span>
#include <vector>

#include "response/scope_geometry.h"

// The lines the scope strokes, built from values in pixels above the 0 dB line, one per
// grid point (grid point k lies at plot left + k).
namespace tq370::response {

// A curve: from the client's left edge on the 0 dB line through every grid point whose
// y differs from the point before (and the last grid point) to the client's right edge
// on the 0 dB line. A curve that is exactly 0 everywhere is the plain 0 dB line.
void buildCurvePolyline(const ScopeGeometry& g, std::span<const double> sumPx,
                        std::vector<QPoint>& out);

// The outline of one band's own contribution: the HP band closed towards the bottom
// right, the LP band towards the bottom left, an EQ band back along the 0 dB line. A
// band that contributes nothing is the plain 0 dB line.
void buildHighlightOutline(const ScopeGeometry& g, int band, std::span<const double> bandPx,
                           std::vector<QPoint>& out);

}  // namespace tq370::response
