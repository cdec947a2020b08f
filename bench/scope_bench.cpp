#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include "params/param_tables.h"
#include "response/response_scope.h"

// The response scope as the EQ panel shows it: 1037 × 302, all twelve curves visible,
// each with both crossovers on and all 31 EQ bands away from 0 dB, one EQ band
// selected (its outline, Q handles and readout drawn). One iteration composes one
// picture, as one paint does.

namespace {

using namespace tq370::response;

constexpr int SCOPE_WIDTH = 1037;
constexpr int SCOPE_HEIGHT = 302;
constexpr int HP_CODE = 20;  // 24 dB/oct Butter
constexpr int LP_CODE = 27;  // 48 dB/oct Butter
constexpr int SELECTED_EQ_BAND = 17;

double benchGain(int row, int eqBand) {
    return ((eqBand * 7 + row * 3) % 41 - 20) * 0.5 + 0.1;  // never 0
}

void sendMouse(QWidget& widget, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// One scope for all benchmarks, filled the way the EQ panel loads twelve channels.
ResponseScope& benchScope() {
    static ResponseScope* scope = [] {
        auto* s = new ResponseScope(nullptr, 6024);
        s->resize(SCOPE_WIDTH, SCOPE_HEIGHT);
        s->initialise();
        s->initCurves();
        QApplication::processEvents();
        static const double QS[] = {0.4, 1.0, 2.4, 7.6, 12.7, 40.0, 128.0};
        for (int row = 0; row < CHANNEL_CURVES; ++row) {
            s->selectCurve(row);
            s->setCrossoverFrequency(row, HP_BAND, 40.0 + row);
            s->setCrossoverFrequency(row, LP_BAND, 12000.0 - 100.0 * row);
            for (int e = 0; e < tq370::EQ_BAND_COUNT; ++e) {
                s->setBandFrequency(row, e,
                                    tq370::ISO_BAND_FREQUENCIES[static_cast<std::size_t>(e)]);
                s->setBandGain(row, e, benchGain(row, e));
                s->setBandQ(e, QS[(e + row) % 7]);
            }
            s->setCurveVisible(row, true);
        }
        s->setCrossoverCode(HP_CODE);
        s->setCrossoverCode(LP_CODE);
        s->selectCurve(0);
        const QPoint band = s->handleCentre(FIRST_EQ_BAND + SELECTED_EQ_BAND);
        sendMouse(*s, QEvent::MouseButtonPress, band);
        sendMouse(*s, QEvent::MouseButtonRelease, band);
        s->composePicture();
        return s;
    }();
    return *scope;
}

// After a preset load or a channel change: every curve changed.
void BM_ScopeRepaintAllCurves(benchmark::State& state) {
    ResponseScope& scope = benchScope();
    for (auto _ : state) {
        for (int row = 0; row < CHANNEL_CURVES; ++row) scope.setCurveVisible(row, true);
        benchmark::DoNotOptimize(scope.composePicture().constBits());
    }
    if (scope.lastRecomputedCurves().size() != CHANNEL_CURVES) state.SkipWithError("not all");
}
BENCHMARK(BM_ScopeRepaintAllCurves)->Unit(benchmark::kMicrosecond);

// During a drag: only the current curve changed, the other eleven come from the cache.
void BM_ScopeRepaintCurrentCurve(benchmark::State& state) {
    ResponseScope& scope = benchScope();
    scope.composePicture();
    bool up = false;
    for (auto _ : state) {
        up = !up;
        scope.setBandGain(SELECTED_EQ_BAND, up ? 6.0 : 5.0);
        benchmark::DoNotOptimize(scope.composePicture().constBits());
    }
    if (scope.lastRecomputedCurves().size() != 1) state.SkipWithError("more than one");
}
BENCHMARK(BM_ScopeRepaintCurrentCurve)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
