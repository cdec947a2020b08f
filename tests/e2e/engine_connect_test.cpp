#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "link/frame.h"

namespace tq370::test {
namespace {

using Kind = RecordingLinkHost::Kind;

int statusCount(const RecordingLinkHost& host, LinkStatus status) {
    return host.count(Kind::Status, static_cast<int>(status));
}

int totalFrames(const ProcessorSimulator& sim) {
    int total = 0;
    for (int command = 0; command < 256; ++command) {
        total += sim.framesReceived(static_cast<std::uint8_t>(command));
    }
    return total;
}

class EngineConnect : public EngineFixture {};

struct IdentityCase {
    const char* name;
    std::uint16_t model;
    bool register0AnyModel;
    int hellosUntilRunning;  // identification attempts plus the read-back's own hello
};

TEST_F(EngineConnect, AcceptsTheModelAtTheFirstHelloOrRegisterZero4095WithoutAsking) {
    const IdentityCase cases[] = {
        {"model 10011", SIMULATED_MODEL, false, 2},
        {"register 0 reads 4095", 12345, true, 1},
    };
    for (const IdentityCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim = std::make_unique<ProcessorSimulator>(SimulatorOptions{c.model, scale, 1});
        SimulatorFaults faults;
        faults.register0AnyModel = c.register0AnyModel;
        sim->setFaults(faults);
        host->setAnswer(MessageAnswer::Ok);
        start();
        ASSERT_TRUE(waitRunning());
        EXPECT_EQ(sim->framesReceived(CMD_HELLO), c.hellosUntilRunning);
        EXPECT_TRUE(host->messages().empty());
        EXPECT_EQ(statusCount(*host, LinkStatus::Connected), 1);
        EXPECT_TRUE(link->linkUp.load());
        EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        engine.reset();
        host = std::make_unique<RecordingLinkHost>();
    }
}

TEST_F(EngineConnect, StartUpReportsSearchingAndTheCaption) {
    start();
    ASSERT_TRUE(waitRunning());
    auto events = host->events();
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[0].kind, Kind::Status);
    EXPECT_EQ(events[0].number, static_cast<int>(LinkStatus::SearchingAtStart));
    EXPECT_EQ(events[1].kind, Kind::Caption);
    EXPECT_EQ(events[1].text, "TQ370-USB");
    EXPECT_EQ(events[2].number, static_cast<int>(LinkStatus::SearchingAtStart));
    EXPECT_EQ(events[3].number, static_cast<int>(LinkStatus::Searching));
    EXPECT_EQ(events[4].number, static_cast<int>(LinkStatus::Connected));
}

TEST_F(EngineConnect, WrongModelIsReportedAfterElevenAttemptsAndReconnects) {
    sim->setModel(12345);
    host->blockMessages();
    start();
    ASSERT_TRUE(waitUntil([&] { return host->blockedCount() == 1; }, 30'000));
    EXPECT_EQ(host->messages(), std::vector<std::string>{"Equipment model is wrong!"});
    EXPECT_EQ(sim->framesReceived(CMD_HELLO), 12);
    const int probesBefore = sim->framesReceived(CMD_READ);
    const int searchingBefore = statusCount(*host, LinkStatus::Searching);

    host->release(false);  // the next message blocks again
    ASSERT_TRUE(waitUntil([&] { return host->messages().size() == 2 && host->blockedCount() == 1; },
                          30'000));
    EXPECT_EQ(sim->framesReceived(CMD_HELLO), 24);
    EXPECT_GT(sim->framesReceived(CMD_READ), probesBefore);
    EXPECT_GT(statusCount(*host, LinkStatus::Searching), searchingBefore) << "a new connect";
    EXPECT_EQ(statusCount(*host, LinkStatus::Connected), 2);
    EXPECT_EQ(engine->stats().mainLoopIterations.load(), 0);
}

struct KindCase {
    int configured;
    const char* caption;
    bool bulkRequest;
};

TEST_F(EngineConnect, ReadBackFillsTheTableByBulkRequestOrOnWiFiByBatchesOnly) {
    const KindCase cases[] = {
        {1, "TQ370-USB", true},
        {2, "TQ370-NET", false},
        {3, "TQ370-BT", true},
        {0, "TQ370-COM", true},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.caption);
        sim = std::make_unique<ProcessorSimulator>(SimulatorOptions{SIMULATED_MODEL, scale, 1});
        scrambleSimulator(c.configured);
        kind = transportKindFromNumber(c.configured);
        start();
        ASSERT_TRUE(waitRunning());
        EXPECT_EQ(sim->framesReceived(CMD_SEND_ALL) > 0, c.bulkRequest);
        ASSERT_TRUE(mirrorEqualsSimulator(tableValues(), *sim));
        auto events = host->events();
        EXPECT_EQ(events[1].text, c.caption);
        EXPECT_GE(host->count(Kind::RegisterChanged, 700), 1) << "the refresh forwards";
        EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        engine.reset();
        host = std::make_unique<RecordingLinkHost>();
    }
}

TEST_F(EngineConnect, PauseStopsAllTrafficAndResumeConnectsAgain) {
    start();
    ASSERT_TRUE(waitRunning());
    engine->setPaused(true);
    waitMs(300);  // what was under way ends
    const int frames = totalFrames(*sim);
    waitMs(3000);  // keep-alives would have gone out several times
    EXPECT_EQ(totalFrames(*sim), frames);
    const int bulkBefore = sim->framesReceived(CMD_SEND_ALL);

    engine->setPaused(false);
    ASSERT_TRUE(waitUntil([&] { return statusCount(*host, LinkStatus::Connected) == 2; }, 20'000));
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Running; }, 20'000));
    EXPECT_GT(sim->framesReceived(CMD_SEND_ALL), bulkBefore) << "a full read-back again";
}

TEST_F(EngineConnect, SilentProcessorTakesTheLinkDownByMissesAndIsReconnected) {
    start();
    ASSERT_TRUE(waitRunning());
    const int searching = statusCount(*host, LinkStatus::Searching);
    sim->goSilent(6000);
    ASSERT_TRUE(
        waitUntil([&] { return statusCount(*host, LinkStatus::Searching) > searching; }, 10'000));
    EXPECT_FALSE(link->linkUp.load());
    ASSERT_TRUE(waitUntil([&] { return statusCount(*host, LinkStatus::Connected) == 2; }, 20'000));
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Running; }, 20'000));
}

TEST_F(EngineConnect, AnEditWhileDisconnectedIsDiscardedAtTheNextConnect) {
    start();
    ASSERT_TRUE(waitRunning());
    const std::uint16_t original = sim->registerValue(600);
    sim->goSilent(5000);
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Connecting; }, 10'000));
    link->registers.setRegister(600, original + 1);
    ASSERT_TRUE(waitUntil([&] { return statusCount(*host, LinkStatus::Connected) == 2; }, 20'000));
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Running; }, 20'000));
    waitIterations(3);
    EXPECT_EQ(sim->writesReceived(600), 0);
    EXPECT_EQ(link->registers.getRegister(600), original);
    EXPECT_FALSE(link->registers.isWritePending(600));
    EXPECT_EQ(host->count(Kind::WriteGivenUp, 600), 1) << "the dropped edit is told";
}

TEST_F(EngineConnect, HangUpIsNoticedAndTheLineIsReopened) {
    start();
    ASSERT_TRUE(waitRunning());
    sim->hangUp();
    ASSERT_TRUE(waitUntil([&] { return statusCount(*host, LinkStatus::Connected) == 2; }, 20'000));
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Running; }, 20'000));
    EXPECT_TRUE(engine->isConnected());
}

struct StopCase {
    const char* name;
    bool hostHonoursStop;
    StopResult expected;
};

// The engine sits in a message box (the wrong-model report) when it is stopped.
TEST_F(EngineConnect, StopNeverHangsInABlockingMessageBox) {
    const StopCase cases[] = {
        {"host gives up on stop", true, StopResult::Stopped},
        {"host ignores stop", false, StopResult::TimedOut},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim = std::make_unique<ProcessorSimulator>(SimulatorOptions{12345, scale, 1});
        host = std::make_unique<RecordingLinkHost>();
        host->blockMessages(c.hostHonoursStop);
        start();
        ASSERT_TRUE(waitUntil([&] { return host->blockedCount() == 1; }, 30'000));
        auto before = std::chrono::steady_clock::now();
        EXPECT_EQ(engine->stopEngine(), c.expected);
        auto took = std::chrono::steady_clock::now() - before;
        EXPECT_LE(took, link->clock.toReal(STOP_WAIT_MS) + std::chrono::milliseconds(200));
        host->release();
        engine.reset();  // joins a thread that outlived the bound
    }
}

TEST_F(EngineConnect, ARegisterTheProcessorNeverSendsIsNamedNotInvented) {
    SimulatorFaults faults;
    faults.neverReport = {1500};
    sim->setFaults(faults);
    sim->setRegisterValue(1500, 1234);
    start();
    ASSERT_TRUE(waitRunning());
    const ReadBackReport report = link->lastReadBack();
    EXPECT_EQ(report.outcome, ReadBackOutcome::Incomplete);
    EXPECT_EQ(report.missing, std::vector<int>{1500});
    EXPECT_EQ(host->count(Kind::ReadBackFinished, 1), 1) << "the host hears how many";
}

}  // namespace
}  // namespace tq370::test
