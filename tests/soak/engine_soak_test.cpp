// The engine against a simulated processor on a bad line for minutes: frames dropped both
// ways, corrupted CRCs, replies in random pieces behind garbage, delayed replies and
// hang-ups, with random edits and jobs all along. At every checkpoint the line is made
// clean and hung up once; after the reconnect and its read-back the register table must
// equal the processor, and every last edit must be on the processor unless the engine told
// the host it gave that write up. Memory and threads must stay flat, and stopEngine must
// always return within its bound.
//
// TQ370_SOAK_SECONDS sets the length (default 180); TQ370_SOAK_SEED the random seed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>

#include "link/link_engine.h"
#include "params/register_numbers.h"
#include "sim/in_process_transport.h"
#include "sim/processor_simulator.h"
#include "storage/data_folders.h"
#include "support/mirror_check.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace tq370::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double TIME_SCALE = 0.05;

// A host that keeps counts, not a log: a recording host would grow with every register
// report and hide a leak of the engine's own.
class CountingHost : public LinkHost {
public:
    void registerChanged(int) override {}
    void linkStatus(LinkStatus status, std::stop_token) override {
        if (status == LinkStatus::Connected) connects_.fetch_add(1);
    }
    void chooseWifiProcessor(int, std::stop_token) override {}
    MessageAnswer messageBox(const MessageRequest&, std::stop_token) override {
        return MessageAnswer::Ok;
    }
    void showProgress(ProgressTask, int) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
    void setCaption(const std::string&) override {}
    void jobFinished(const JobOutcome&) override {}
    void writeGivenUp(int reg, std::int32_t value) override {
        std::lock_guard lock(mutex_);
        givenUp_[reg].insert(value);
        ++givenUpCount_;
    }
    void textCommandGivenUp(int) override {}
    void readBackFinished(const ReadBackReport& report) override {
        if (report.complete()) completeReads_.fetch_add(1);
    }

    int connects() const { return connects_.load(); }
    int completeReads() const { return completeReads_.load(); }
    long givenUpCount() const {
        std::lock_guard lock(mutex_);
        return givenUpCount_;
    }
    bool wasGivenUp(int reg, std::int32_t value) const {
        std::lock_guard lock(mutex_);
        auto found = givenUp_.find(reg);
        return found != givenUp_.end() && found->second.count(value) != 0;
    }
    void forgetGivenUp() {
        std::lock_guard lock(mutex_);
        givenUp_.clear();
    }

private:
    std::atomic<int> connects_{0};
    std::atomic<int> completeReads_{0};
    mutable std::mutex mutex_;  // guards givenUp_
    std::map<int, std::set<std::int32_t>> givenUp_;
    long givenUpCount_ = 0;
};

struct ProcessFigures {
    long rssKb = 0;
    int threads = 0;
};

ProcessFigures processFigures() {
    ProcessFigures figures;
    std::ifstream status("/proc/self/status");
    std::string field;
    while (status >> field) {
        if (field == "VmRSS:") status >> figures.rssKb;
        if (field == "Threads:") status >> figures.threads;
    }
    return figures;
}

double envNumber(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atof(text) : fallback;
}

class EngineSoak : public ::testing::Test {
protected:
    void SetUp() override {
        setCurrentLanguage(Language::English);
        std::filesystem::create_directories(folders.dataFolder());
    }
    void TearDown() override {
        if (engine) {
            EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        }
    }

    void startEngine() {
        EngineSetup setup{folders, [this](LinkContext& context) {
                              return std::make_unique<InProcessTransport>(context, sim,
                                                                          TransportKind::Usb);
                          }};
        engine = std::make_unique<LinkEngine>(link, host, setup);
        ASSERT_TRUE(engine->startEngine());
    }
    // stopEngine within its bound, then a fresh engine on the same link.
    void restartEngine() {
        const auto before = Clock::now();
        EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        EXPECT_LE(Clock::now() - before,
                  link.clock.toReal(STOP_WAIT_MS) + std::chrono::milliseconds(200));
        engine.reset();
        ++restarts;
        startEngine();
    }

    bool waitUntil(const std::function<bool()>& done, double protocolMs) {
        const auto deadline = Clock::now() + link.clock.toReal(protocolMs);
        while (!done()) {
            if (Clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        return true;
    }
    bool running() const {
        return engine->state() == EngineState::Running && engine->isConnected();
    }

    SimulatorFaults randomFaults() {
        std::uniform_real_distribution<double> rate(0.0, 0.15);
        std::uniform_int_distribution<int> chunk(0, 48);
        std::uniform_int_distribution<int> garbage(0, 24);
        std::uniform_real_distribution<double> delay(0.0, 6.0);
        SimulatorFaults faults;
        faults.dropIncoming = rate(random);
        faults.dropOutgoing = rate(random);
        faults.corruptCrc = rate(random);
        faults.maxChunk = chunk(random);
        faults.maxGarbage = garbage(random);
        faults.replyDelayMs = delay(random);
        return faults;
    }

    int randomEditableRegister() {
        std::uniform_int_distribution<int> pick(1, LAST_REGISTER);
        for (;;) {
            const int reg = pick(random);
            if (reg != REG_MODE_CURRENT && reg != REG_MODE_COMMAND && reg != REG_HOST_LINK) {
                return reg;
            }
        }
    }

    void edit() {
        const int reg = randomEditableRegister();
        const std::int32_t value = std::uniform_int_distribution<int>(0, 0x7FFF)(random);
        link.registers.setRegister(reg, value);
        lastEdit[reg] = value;
        ++edits;
    }

    // One job, waited for: every request ends with an outcome, whatever the line does. An
    // upload or a recall replaces what earlier edits wrote, so those are forgotten.
    void job() {
        const int which = std::uniform_int_distribution<int>(0, 2)(random);
        JobTicket ticket;
        if (which == 0) {
            ticket = engine->requestSaveToFile("soak");
        } else if (which == 1) {
            ticket = engine->requestUpload("soak");
        } else {
            ticket = engine->requestRecall(std::uniform_int_distribution<int>(1, 16)(random));
        }
        auto outcome = ticket.waitFor(
            std::chrono::duration_cast<std::chrono::milliseconds>(link.clock.toReal(600'000)));
        ASSERT_TRUE(outcome) << "job " << which << " never ended";
        ++jobs;
        if (outcome->succeeded()) ++jobsDone;
        if (which != 0) lastEdit.clear();
    }

    // A clean line, one hang-up, and the checks after the reconnect's read-back.
    void checkpoint() {
        sim.setFaults({});
        const int connects = host.connects();
        const int reads = host.completeReads();
        sim.hangUp();
        ASSERT_TRUE(waitUntil(
            [&] { return host.connects() > connects && host.completeReads() > reads && running(); },
            120'000))
            << "no reconnect with a complete read-back after checkpoint " << checkpoints;
        ++checkpoints;
        EXPECT_TRUE(mirrorEqualsSimulator(
            [this](int reg) { return link.registers.getRegister(reg); }, sim));
        for (const auto& [reg, value] : lastEdit) {
            if (sim.registerValue(reg) != value && !host.wasGivenUp(reg, value)) {
                ADD_FAILURE() << "register " << reg << " edited to " << value
                              << " was lost without a word; the processor holds "
                              << sim.registerValue(reg);
            }
        }
        lastEdit.clear();
        host.forgetGivenUp();
    }

    std::uint32_t seed = static_cast<std::uint32_t>(envNumber("TQ370_SOAK_SEED", 20261211));
    std::mt19937 random{seed};
    LinkContext link{TIME_SCALE};
    ProcessorSimulator sim{SimulatorOptions{SIMULATED_MODEL, TIME_SCALE, seed}};
    CountingHost host;
    TempFolder folder;
    DataFolders folders{folder.path() + "program/", folder.path() + "fallback/",
                        folder.path() + "current/"};
    std::unique_ptr<LinkEngine> engine;

    std::map<int, std::int32_t> lastEdit;  // since the last checkpoint
    long edits = 0;
    int jobs = 0;
    int jobsDone = 0;
    int checkpoints = 0;
    int hangUps = 0;
    int restarts = 0;
};

TEST_F(EngineSoak, NothingIsLostOnABadLine) {
    const auto length = std::chrono::duration<double>(envNumber("TQ370_SOAK_SECONDS", 180));
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(length);
    startEngine();
    ASSERT_TRUE(waitUntil([&] { return host.completeReads() > 0 && running(); }, 60'000));

    std::optional<ProcessFigures> baseline;
    ProcessFigures peak;
    std::uniform_int_distribution<int> action(0, 999);
    int round = 0;
    while (Clock::now() < end && !HasFailure()) {
        sim.setFaults(randomFaults());
        const auto phaseEnd = Clock::now() + std::chrono::seconds(4);
        while (Clock::now() < phaseEnd && !HasFailure()) {
            const int roll = action(random);
            if (roll < 6) {
                // Edits still on their way when the line drops are the ones at risk.
                for (int burst = 0; burst < 8; ++burst) edit();
                sim.hangUp();
                ++hangUps;
            } else if (roll < 14) {
                job();
            } else {
                for (int burst = std::uniform_int_distribution<int>(1, 8)(random); burst > 0;
                     --burst) {
                    edit();
                }
            }
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::uniform_int_distribution<int>(2, 30)(random)));
        }
        if (HasFailure()) break;
        checkpoint();
        if (++round % 5 == 0) {
            restartEngine();
            ASSERT_TRUE(waitUntil([&] { return running(); }, 120'000));
        }
        const ProcessFigures now = processFigures();
        if (!baseline) baseline = now;
        peak.rssKb = std::max(peak.rssKb, now.rssKb);
        peak.threads = std::max(peak.threads, now.threads);
        EXPECT_LE(now.rssKb, baseline->rssKb + 24 * 1024) << "memory grows";
        EXPECT_LE(now.threads, baseline->threads) << "threads pile up";
    }
    const auto reconnects = host.connects() - 1;
    std::printf(
        "soak: seed %u, %.0f s, %ld edits (%ld writes given up and told), %d jobs (%d done), %d "
        "hang-ups, %d reconnects, "
        "%d checkpoints, %d engine restarts, RSS %ld kB at the first checkpoint, peak %ld kB, "
        "threads %d, peak %d\n",
        seed, length.count(), edits, host.givenUpCount(), jobs, jobsDone, hangUps, reconnects,
        checkpoints, restarts, baseline ? baseline->rssKb : 0, peak.rssKb,
        baseline ? baseline->threads : 0, peak.threads);
    EXPECT_GT(checkpoints, 0);
}

}  // namespace
}  // namespace tq370::test
