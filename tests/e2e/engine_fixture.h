#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "link/link_engine.h"
#include "sim/in_process_transport.h"
#include "sim/processor_simulator.h"
#include "storage/data_folders.h"
#include "support/mirror_check.h"
#include "support/recording_link_host.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace tq370::test {

// The engine against the simulated processor over the in-process link, with every
// protocol wait scaled down. Waits in the tests are in protocol milliseconds too.
class EngineFixture : public ::testing::Test {
protected:
    static constexpr double TIME_SCALE = 0.05;

    explicit EngineFixture(double timeScale = TIME_SCALE, std::uint32_t seed = 1)
        : scale(timeScale),
          link(std::make_unique<LinkContext>(timeScale)),
          sim(std::make_unique<ProcessorSimulator>(
              SimulatorOptions{SIMULATED_MODEL, timeScale, seed})) {}

    void SetUp() override { setCurrentLanguage(Language::English); }
    void TearDown() override {
        if (engine) {
            EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        }
    }

    void start() {
        start([this](LinkContext& context) {
            return std::make_unique<InProcessTransport>(context, *sim, kind);
        });
    }
    void start(TransportFactory makeTransport) {
        std::filesystem::create_directories(folders.dataFolder());
        EngineSetup setup{folders, std::move(makeTransport)};
        engine = std::make_unique<LinkEngine>(*link, *host, setup);
        ASSERT_TRUE(engine->startEngine());
    }

    // Polls until done() holds or ms protocol milliseconds have passed.
    bool waitUntil(const std::function<bool()>& done, double ms) {
        auto deadline = std::chrono::steady_clock::now() + link->clock.toReal(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }
    void waitMs(double ms) { link->clock.sleepMs(ms); }

    // Until the engine has finished a connect sequence and runs its main loop.
    bool waitRunning(double ms = 20'000) {
        return waitUntil(
            [this] {
                return engine->state() == EngineState::Running &&
                       engine->stats().mainLoopIterations.load() > 0;
            },
            ms);
    }
    // Until the main loop has run n more iterations.
    bool waitIterations(int n, double ms = 20'000) {
        auto target = engine->stats().mainLoopIterations.load() + n;
        return waitUntil([&] { return engine->stats().mainLoopIterations.load() >= target; }, ms);
    }
    std::chrono::milliseconds realMs(double ms) const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(link->clock.toReal(ms)) +
               std::chrono::milliseconds(1);
    }

    // The register table's values, for mirrorEqualsSimulator.
    std::function<std::int32_t(int)> tableValues() const {
        return [this](int reg) { return link->registers.getRegister(reg); };
    }

    // Gives every register of the simulator a value unlike its default.
    void scrambleSimulator(int salt) {
        for (int r = 1; r <= LAST_REGISTER; ++r) {
            if (r == REG_MODE_CURRENT || r == REG_MODE_COMMAND || r == REG_HOST_LINK) continue;
            sim->setRegisterValue(r, static_cast<std::uint16_t>((r * 7 + salt) & 0x7FFF));
        }
    }

    double scale;
    TransportKind kind = TransportKind::Usb;  // of the in-process link start() makes
    TempFolder folder;
    DataFolders folders{folder.path() + "program/", folder.path() + "fallback/",
                        folder.path() + "current/"};
    std::unique_ptr<LinkContext> link;
    std::unique_ptr<ProcessorSimulator> sim;
    std::unique_ptr<RecordingLinkHost> host = std::make_unique<RecordingLinkHost>();
    std::unique_ptr<LinkEngine> engine;
};

}  // namespace tq370::test
