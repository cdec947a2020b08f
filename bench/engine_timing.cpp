// Engine timings against the simulated processor at full time scale, over the in-process
// link (no real device, no network):
//   1. engine start to the first main-loop iteration, split into the fixed sleeps the
//      engine asked for, the time they took, the reply waits, the transport's connect
//      routine and what remains (the engine's own work);
//   2. on an idle link, the delay from setRegister to the write frame reaching the
//      simulator, median and 99th percentile.
// Usage: engine_timing [edits=200] [seed=1]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "link/link_engine.h"
#include "sim/in_process_transport.h"
#include "sim/processor_simulator.h"
#include "storage/data_folders.h"
#include "support/recording_link_host.h"

using namespace tq370;

namespace {

double ms(std::int64_t us) {
    return static_cast<double>(us) / 1000.0;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    const int edits = argc > 1 ? std::atoi(argv[1]) : 200;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::atoi(argv[2]) : 1);

    auto base = std::filesystem::temp_directory_path() / "tq370-engine-timing";
    std::filesystem::create_directories(base / "program" / "FileData");
    DataFolders folders((base / "program/").string(), (base / "fallback/").string());

    auto link = std::make_unique<LinkContext>(1.0);
    ProcessorSimulator sim({SIMULATED_MODEL, 1.0, seed});
    RecordingLinkHost host;
    EngineSetup setup{folders, [&](LinkContext& context) {
                          return std::make_unique<InProcessTransport>(context, sim);
                      }};
    LinkEngine engine(*link, host, setup);

    auto started = std::chrono::steady_clock::now();
    engine.startEngine();
    const EngineStats& stats = engine.stats();
    while (stats.firstIterationUs.load() < 0) {
        if (std::chrono::steady_clock::now() - started > std::chrono::seconds(30)) {
            std::fprintf(stderr, "no main-loop iteration within 30 s\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::int64_t total = stats.firstIterationUs.load();
    const std::int64_t asked = stats.sleepAskedAtFirstIterationUs.load();
    const std::int64_t slept = stats.sleptAtFirstIterationUs.load();
    const std::int64_t waited = stats.replyWaitAtFirstIterationUs.load();
    const std::int64_t connect = stats.connectAtFirstIterationUs.load();
    std::printf("start to first main-loop iteration: %.1f ms\n", ms(total));
    std::printf("  fixed sleeps asked for:  %.1f ms (slept %.1f ms)\n", ms(asked), ms(slept));
    std::printf("  reply waits:             %.1f ms\n", ms(waited));
    std::printf("  transport connect:       %.1f ms (two 100 ms pauses and the probe)\n",
                ms(connect));
    std::printf("  remainder (engine work): %.1f ms\n", ms(total - slept - waited - connect));

    // Idle link: the gaps let the idle pacing settle into its slow rhythm between edits.
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> gapMs(400, 1200);
    std::vector<double> delays;
    for (int i = 0; i < edits; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(gapMs(random)));
        const int reg = 1000 + i % 50;
        const auto value = static_cast<std::uint16_t>(20000 + i);
        auto before = std::chrono::steady_clock::now();
        link->registers.setRegister(reg, value);
        auto arrived = sim.waitForWrite(reg, value, 5000);
        if (!arrived) {
            std::fprintf(stderr, "edit %d did not arrive\n", i);
            return 1;
        }
        delays.push_back(std::chrono::duration<double, std::milli>(*arrived - before).count());
    }
    std::printf(
        "setRegister to write frame at the processor, %d edits: median %.1f ms, "
        "99th percentile %.1f ms, max %.1f ms\n",
        edits, percentile(delays, 0.5), percentile(delays, 0.99),
        *std::max_element(delays.begin(), delays.end()));
    engine.stopEngine();
    std::filesystem::remove_all(base);
    return 0;
}
