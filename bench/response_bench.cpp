#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "response/math/filter_response.h"
#include "response/math/reference_response.h"

// One channel curve as the scope computes it on every paint, W = 1000: both crossovers
// on and all 31 EQ bands away from 0 dB. The fast functions run against the literal
// reference in the same program; the speed-up is printed at the end (both benchmarks use
// the same time unit).

namespace {

using namespace tq370::response;

constexpr int PLOT_WIDTH = 1000;
constexpr int HP_CODE = 52;  // 36 dB/oct Butter
constexpr int LP_CODE = 27;  // 48 dB/oct Butter

CurveParams benchCurve(int channel) {
    static const double ISO_CENTRES[EQ_BAND_COUNT] = {
        20.1, 25.3, 32.5, 40.1, 50.6, 63.7,  80.3,  101,   125,  161,  202,
        250,  315,  405,  500,  630,  809,   1000,  1260,  1620, 2000, 2520,
        3170, 4000, 5040, 6350, 8000, 10100, 12500, 16000, 20200};
    static const double QS[] = {0.4, 1.0, 2.4, 7.6, 12.7, 40.0, 128.0};
    CurveParams curve;
    curve.frequencyHz[HP_BAND] = 40.0 + channel;
    curve.frequencyHz[LP_BAND] = 12000.0 - 100.0 * channel;
    for (int e = 0; e < EQ_BAND_COUNT; ++e) {
        const auto slot = static_cast<std::size_t>(FIRST_EQ_BAND + e);
        curve.frequencyHz[slot] = ISO_CENTRES[e];
        curve.q[slot] = QS[(e + channel) % 7];
        curve.gainDb[slot] = ((e * 7 + channel * 3) % 41 - 20) * 0.5 + 0.1;  // never 0
        curve.type[slot] = PEAKING_TYPE;
    }
    return curve;
}

void BM_CurveFast(benchmark::State& state) {
    const ResponseGrid grid(PLOT_WIDTH);
    const CurveParams curve = benchCurve(0);
    std::vector<double> sum(grid.size());
    for (auto _ : state) {
        curveResponse(curve, HP_CODE, LP_CODE, grid, sum);
        benchmark::DoNotOptimize(sum.data());
    }
}
BENCHMARK(BM_CurveFast)->Unit(benchmark::kMicrosecond);

void BM_CurveReference(benchmark::State& state) {
    const ResponseGrid grid(PLOT_WIDTH);
    const CurveParams curve = benchCurve(0);
    for (auto _ : state) {
        auto sum = reference::curveResponse(curve, HP_CODE, LP_CODE, grid);
        benchmark::DoNotOptimize(sum.data());
    }
}
BENCHMARK(BM_CurveReference)->Unit(benchmark::kMicrosecond);

// The current curve of a paint: its sum and the selected band's own array for the outline.
void BM_CurveFastWithSelectedBand(benchmark::State& state) {
    const ResponseGrid grid(PLOT_WIDTH);
    const CurveParams curve = benchCurve(0);
    std::vector<double> sum(grid.size());
    std::vector<double> band(grid.size());
    for (auto _ : state) {
        curveResponse(curve, HP_CODE, LP_CODE, grid, sum);
        bandResponse(curve, FIRST_EQ_BAND + 17, HP_CODE, LP_CODE, grid, band);
        benchmark::DoNotOptimize(sum.data());
        benchmark::DoNotOptimize(band.data());
    }
}
BENCHMARK(BM_CurveFastWithSelectedBand)->Unit(benchmark::kMicrosecond);

// All twelve channel curves, as after a preset load.
void BM_TwelveCurvesFast(benchmark::State& state) {
    const ResponseGrid grid(PLOT_WIDTH);
    std::vector<CurveParams> curves;
    for (int channel = 0; channel < 12; ++channel) curves.push_back(benchCurve(channel));
    std::vector<std::vector<double>> sums(curves.size(), std::vector<double>(grid.size()));
    for (auto _ : state) {
        for (std::size_t c = 0; c < curves.size(); ++c)
            curveResponse(curves[c], HP_CODE, LP_CODE, grid, sums[c]);
        benchmark::DoNotOptimize(sums.data());
    }
}
BENCHMARK(BM_TwelveCurvesFast)->Unit(benchmark::kMicrosecond);

// Once per resize: the grid and its trigonometry.
void BM_GridBuild(benchmark::State& state) {
    for (auto _ : state) {
        ResponseGrid grid(PLOT_WIDTH);
        benchmark::DoNotOptimize(grid.cosOmega().data());
    }
}
BENCHMARK(BM_GridBuild)->Unit(benchmark::kMicrosecond);

// Prints as usual and remembers each benchmark's real and CPU time per iteration.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0.0;
        double cpu = 0.0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                     run.GetAdjustedCPUTime()};
        }
    }
    std::map<std::string, Times> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.times;
    if (t.count("BM_CurveFast") && t.count("BM_CurveReference")) {
        const auto& fast = t.at("BM_CurveFast");
        const auto& reference = t.at("BM_CurveReference");
        std::printf("reference / fast: %.1fx real time, %.1fx CPU time\n",
                    reference.real / fast.real, reference.cpu / fast.cpu);
    }
    benchmark::Shutdown();
    return 0;
}
