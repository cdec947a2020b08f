#include <gtest/gtest.h>

#include <random>

#include "engine_fixture.h"
#include "link/frame.h"

namespace tq370::test {
namespace {

using Kind = RecordingLinkHost::Kind;

class EngineFlush : public EngineFixture {};

// A slower clock than the other tests, so that a busy machine's scheduling delays stay well
// inside the link's silence limit (300 real ms here).
class EngineIdleLink : public EngineFixture {
protected:
    EngineIdleLink() : EngineFixture(0.2) {}
};

TEST_F(EngineFlush, AnEditReachesTheProcessorAndIsAcknowledged) {
    start();
    ASSERT_TRUE(waitRunning());
    link->registers.setRegister(1000, 4321);
    ASSERT_TRUE(sim->waitForWrite(1000, 4321, 5000));
    ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(1000); }, 5000));
    EXPECT_EQ(sim->writesReceived(1000), 1);
}

// A companion register edited all along keeps acknowledgements coming, as a user's other
// edits would; alone, eleven unanswered waits would take the link down by misses first. The
// link must stay up throughout, hence the slower clock.
TEST_F(EngineIdleLink, ARegisterNeverAcknowledgedIsSentElevenTimesAndGivenUpOnce) {
    SimulatorFaults faults;
    faults.neverAcknowledge = {300};
    sim->setFaults(faults);
    start();
    ASSERT_TRUE(waitRunning());
    link->registers.setRegister(300, 1234);
    int companion = 0;
    ASSERT_TRUE(waitUntil(
        [&] {
            link->registers.setRegister(301, ++companion);
            waitMs(20);
            return !link->registers.isWritePending(300);
        },
        20'000));
    waitIterations(20);
    EXPECT_EQ(sim->writesReceived(300), 11);
    EXPECT_EQ(link->registers.retryCount(300), 0);
    EXPECT_EQ(sim->registerValue(300), 1234) << "stored, only never acknowledged";
    EXPECT_EQ(host->count(Kind::Status, static_cast<int>(LinkStatus::Connected)), 1);
    EXPECT_EQ(host->count(Kind::WriteGivenUp, 300), 1) << "told once, after the last send";
    EXPECT_EQ(host->count(Kind::WriteGivenUp, 301), 0);
}

TEST_F(EngineFlush, AnEditDuringTheReadBackIsFlushedAfterIt) {
    start();
    ASSERT_TRUE(host->waitFor(
        [](const auto& events) {
            for (const auto& e : events) {
                if (e.kind == Kind::ShowProgress && e.task == ProgressTask::ReadDeviceData) {
                    return true;
                }
            }
            return false;
        },
        realMs(20'000)));
    // Once the processor has reported it, the register is not read again in this read-back.
    ASSERT_TRUE(waitUntil([&] { return link->registers.isDeviceUpdated(400); }, 5000));
    ASSERT_NE(engine->state(), EngineState::Running);
    const std::uint16_t edited = sim->registerValue(400) + 5;
    link->registers.setRegister(400, edited);
    EXPECT_EQ(sim->writesReceived(400), 0);

    ASSERT_TRUE(waitRunning());
    ASSERT_TRUE(sim->waitForWrite(400, edited, 5000));
    ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(400); }, 5000));
}

// The keep-alives alone keep an idle link up: no reconnect, and the processor hears them.
// (A keep-alive sent into a quiet link counts one miss until its reply arrives, so the miss
// count itself is not a steady zero.)
TEST_F(EngineIdleLink, KeepAlivesKeepAnIdleLinkUp) {
    start();
    ASSERT_TRUE(waitRunning());
    const int keepAlives = sim->writesReceived(REG_HOST_LINK);
    waitMs(5000);
    EXPECT_TRUE(link->linkUp.load());
    EXPECT_EQ(host->count(Kind::Status, static_cast<int>(LinkStatus::Connected)), 1)
        << "the link never went down";
    // About one every 0.7 s once the link has been idle for a while.
    EXPECT_GE(sim->writesReceived(REG_HOST_LINK) - keepAlives, 4);
}

struct TextCase {
    std::vector<std::pair<int, std::string>> slots;  // slot and its command
    std::string confirmation;
};

TEST_F(EngineFlush, TextCommandsAreConfirmedOnceEverySlotOfTheirGroupIsAnswered) {
    const TextCase cases[] = {
        {{{11, "Set_RouteSSID:Garage"}, {12, "Set_RoutePW:abcdefgh"}}, "Set RouteS:OK"},
        {{{13, "Set_HotSSID:Car"}, {14, "Set_HotPW:87654321"}}, "Set Hot:OK"},
        {{{10, "Set_WiFiMode:2"}}, "WiFiMode:OK"},
        {{{16, "Set_Restart:"}}, "Restart:OK"},
        {{{15, "Set_Restore:"}}, "Restore:OK"},
    };
    start();
    ASSERT_TRUE(waitRunning());
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.confirmation);
        for (const auto& [slot, command] : c.slots) {
            link->textSlots[slot].setText(command);
            link->textSlots[slot].pending.store(1);
        }
        ASSERT_TRUE(host->waitForMessage(c.confirmation, realMs(10'000)));
        auto events = host->events();
        for (const auto& e : events) {
            if (e.kind == Kind::Message && e.text == c.confirmation) {
                EXPECT_EQ(e.caption, "WiFi");
            }
        }
        for (const auto& [slot, command] : c.slots) {
            EXPECT_EQ(link->textSlots[slot].answered.load(), 0);
            EXPECT_EQ(link->textSlots[slot].pending.load(), 0);
        }
    }
    WifiModuleState wifi = sim->wifiState();
    EXPECT_EQ(wifi.restarts, 1);
    EXPECT_EQ(wifi.restores, 1);
    EXPECT_EQ(wifi.hotspotSsid, WifiModuleState().hotspotSsid) << "restored last";
}

TEST_F(EngineFlush, AnUnansweredTextCommandIsGivenUpAfterNineSends) {
    start();
    ASSERT_TRUE(waitRunning());
    link->textSlots[12].setText("Set_Unknown:");
    link->textSlots[12].pending.store(1);
    ASSERT_TRUE(waitUntil([&] { return link->textSlots[12].pending.load() == 0; }, 20'000));
    waitIterations(5);
    EXPECT_EQ(sim->framesReceived(CMD_TEXT), 9);
    EXPECT_EQ(link->textSlots[12].retry.load(), 0);
    EXPECT_TRUE(host->messages().empty());
    EXPECT_EQ(host->count(Kind::TextGivenUp, 12), 1);
}

// Lossy, noisy line: every value the processor acknowledged is the value it holds.
class EngineLossyLine : public EngineFixture {
protected:
    EngineLossyLine() : EngineFixture(TIME_SCALE, 1234) {}
};

TEST_F(EngineLossyLine, FiveHundredRandomEditsEndWithEveryAcknowledgedValueHeld) {
    SimulatorFaults faults;
    faults.dropIncoming = 0.10;
    faults.dropOutgoing = 0.10;
    faults.maxChunk = 7;
    faults.maxGarbage = 5;
    sim->setFaults(faults);
    start();
    ASSERT_TRUE(waitRunning(60'000));

    std::mt19937 random(42);
    std::uniform_int_distribution<int> pickRegister(30, 1875);
    std::uniform_int_distribution<int> pickValue(0, 0xFFFF);
    std::uniform_int_distribution<int> pickPause(0, 30);
    std::set<int> edited;
    for (int edit = 0; edit < 500; ++edit) {
        int reg = pickRegister(random);
        link->registers.setRegister(reg, pickValue(random));
        edited.insert(reg);
        waitMs(pickPause(random));
    }
    ASSERT_TRUE(waitUntil(
        [&] {
            for (int reg : edited) {
                if (link->registers.isWritePending(reg)) return false;
            }
            return true;
        },
        60'000));

    int acknowledged = 0;
    for (int reg : edited) {
        SCOPED_TRACE(reg);
        auto hostValue = static_cast<std::uint16_t>(link->registers.getRegister(reg));
        if (sim->lastDeliveredAck(reg) != hostValue) continue;  // given up after 11 sends
        ++acknowledged;
        EXPECT_EQ(sim->registerValue(reg), hostValue);
    }
    // Giving up needs 11 losses in a row, so nearly every edit ends acknowledged.
    EXPECT_GE(acknowledged, static_cast<int>(edited.size()) - 2);
}

}  // namespace
}  // namespace tq370::test

namespace tq370::test {
namespace {

// The real timings: the connect sequence's own waits add up to about three seconds.
class EngineFullTime : public EngineFixture {
protected:
    EngineFullTime() : EngineFixture(1.0) {}
};

TEST_F(EngineFullTime, ConnectsAndFlushesAnEditAtFullTimeScale) {
    start();
    ASSERT_TRUE(waitRunning(10'000));
    EXPECT_LT(engine->stats().firstIterationUs.load(), 6'000'000);
    link->registers.setRegister(1000, 777);
    ASSERT_TRUE(sim->waitForWrite(1000, 777, 1000));
    ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(1000); }, 1000));
}

}  // namespace
}  // namespace tq370::test
