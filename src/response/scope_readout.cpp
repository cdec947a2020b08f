#include "response/scope_readout.h"

#include "response/math/response_constants.h"

namespace tq370::response {

namespace {

// From here frequencies are shown without a decimal.
constexpr double WHOLE_HERTZ_FROM = 100.0;
// Space between the handle and the readout, and between the readout and the plot's
// sides.
constexpr int READOUT_GAP = 12;

}  // namespace

QString readoutText(const CurveParams& curve, int band) {
    if (band < 0 || band >= BAND_COUNT) return {};
    const auto slot = static_cast<std::size_t>(band);
    const double f = curve.frequencyHz[slot];
    const bool low = f < WHOLE_HERTZ_FROM;
    if (band == HP_BAND || band == LP_BAND) {
        // Off exactly where the response is flat: an HP only above the limit.
        const bool off = f < CROSSOVER_OFF_BELOW ||
                         (band == HP_BAND ? f > CROSSOVER_LIMIT_HZ : f >= CROSSOVER_LIMIT_HZ);
        if (off) return QStringLiteral("F:OFF");
        return QString::asprintf(low ? "F:%0.1f" : "F:%0.0f", f);
    }
    return QString::asprintf(low ? "F:%0.1f Q:%0.2f G:%0.1f" : "F:%0.0f Q:%0.2f G:%0.1f", f,
                             curve.q[slot], curve.gainDb[slot]);
}

QRect readoutRect(const ScopeGeometry& g, QPoint handlePos, QSize textSize) {
    const int w = textSize.width();
    const int h = textSize.height();
    int x = handlePos.x();
    int y = g.zeroY + handlePos.y() + READOUT_GAP;
    if (x < g.plot.left) x = g.plot.left + READOUT_GAP;
    if (x + w > g.plot.right) x = g.plot.right - w - READOUT_GAP;
    if (y + h > g.plot.bottom) y = g.zeroY + handlePos.y() - h - READOUT_GAP;
    return {x, y, w, h};
}

}  // namespace tq370::response
