#pragma once

#include <QSize>
#include <QString>

#include "response/math/curve_params.h"
#include "response/scope_geometry.h"

// The text line that shows one band's values under its handle.
namespace tq370::response {

// "F:OFF" for a crossover whose corner switches it off (below 19.7 Hz; an HP above
// 20600 Hz, an LP from 20600 Hz), else its corner
// ("F:%0.1f" below 100 Hz, "F:%0.0f" from there); for an EQ band frequency, Q and gain
// ("F:%0.1f Q:%0.2f G:%0.1f", the frequency whole from 100 Hz).
QString readoutText(const CurveParams& curve, int band);

// The readout's box of the given size for a handle at handlePos (x relative to the
// plot's left edge, y relative to zeroY): below the handle, starting at the handle's
// plot-relative x taken as a client x, kept inside the plot sideways and moved above
// the handle when it would reach below the plot.
QRect readoutRect(const ScopeGeometry& g, QPoint handlePos, QSize textSize);

}  // namespace tq370::response
