#include "link/link_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

#include "link/configured_link.h"
#include "storage/data_folders.h"
#include "support/recording_link_host.h"
#include "support/recording_transport.h"
#include "support/temp_folder.h"

namespace tq370 {
namespace {

constexpr double TIME_SCALE = 0.02;

struct ConfiguredCase {
    const char* file;  // Configuration.ini content, nullptr: no file
    TransportKind kind;
    int baudRate;
};

TEST(ConfiguredLink, KindAndLineSpeedFromTheConfiguration) {
    const ConfiguredCase cases[] = {
        {nullptr, TransportKind::Usb, 128000},
        {"[t]\nm_COM_MdoeIO=2\n", TransportKind::WiFi, 128000},
        {"[t]\nm_COM_MdoeIO=3\nm_COM_m_BoTeLV=57600\n", TransportKind::Bluetooth, 57600},
        {"[t]\nm_COM_MdoeIO=7\nm_COM_m_BoTeLV=0\n", TransportKind::Serial, 128000},
        {"[t]\nm_COM_MdoeIO=-4\nm_COM_m_BoTeLV=-9\n", TransportKind::Usb, 128000},
        {"[other]\nm_COM_MdoeIO=2\n", TransportKind::Usb, 128000},
    };
    for (const ConfiguredCase& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        test::TempFolder folder;
        DataFolders folders(folder.path(), folder.path() + "fallback/");
        std::filesystem::create_directories(folders.dataFolder());
        if (c.file) std::ofstream(folders.dataFolder() + "Configuration.ini") << c.file;
        LinkChoice choice = configuredLink(folders, "t");
        EXPECT_EQ(choice.kind, c.kind);
        EXPECT_EQ(choice.baudRate, c.baudRate);
    }
}

// The engine titles the session after the transport it was given, whatever that is.
TEST(LinkEngineStartUp, TakesTheCaptionFromTheTransport) {
    const std::pair<TransportKind, const char*> cases[] = {
        {TransportKind::Usb, "TQ370-USB"},
        {TransportKind::WiFi, "TQ370-NET"},
        {TransportKind::Bluetooth, "TQ370-BT"},
        {TransportKind::Serial, "TQ370-COM"},
    };
    for (auto [kind, caption] : cases) {
        SCOPED_TRACE(caption);
        test::TempFolder folder;
        DataFolders folders(folder.path(), folder.path() + "fallback/");
        LinkContext link(TIME_SCALE);
        link.registers.setRegister(500, 1);
        link.textSlots[4].pending.store(1);
        RecordingLinkHost host;
        LinkEngine engine(link, host, {folders, [kind](LinkContext&) {
                                           return std::make_unique<RecordingTransport>(kind);
                                       }});
        ASSERT_TRUE(engine.startEngine());
        EXPECT_FALSE(engine.startEngine()) << "one engine thread at a time";
        ASSERT_TRUE(host.waitFor([](const auto& events) { return events.size() >= 3; },
                                 std::chrono::seconds(5)));
        auto events = host.events();
        EXPECT_EQ(events[1].text, caption);
        EXPECT_FALSE(link.registers.isWritePending(500)) << "defaults loaded";
        EXPECT_EQ(link.textSlots[4].pending.load(), 0) << "text slots cleared";
        EXPECT_EQ(engine.stopEngine(), StopResult::Stopped);
        EXPECT_EQ(engine.state(), EngineState::Stopped);
        EXPECT_EQ(engine.stopEngine(), StopResult::NotRunning);
    }
}

TEST(LinkEngineStartUp, AJobStillWaitingWhenTheEngineStopsEndsAsStopped) {
    test::TempFolder folder;
    DataFolders folders(folder.path(), folder.path() + "fallback/");
    LinkContext link(TIME_SCALE);
    RecordingLinkHost host;
    // Without a transport the engine never reaches its main loop.
    LinkEngine engine(link, host, {folders, [](LinkContext&) { return nullptr; }});
    ASSERT_TRUE(engine.startEngine());
    JobTicket ticket = engine.requestRecall(3);
    EXPECT_FALSE(ticket.waitFor(std::chrono::milliseconds(20)));
    EXPECT_EQ(engine.stopEngine(), StopResult::Stopped);
    auto outcome = ticket.waitFor(std::chrono::seconds(1));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->job, JobKind::RecallMode);
    EXPECT_EQ(outcome->result, JobResult::Stopped);
    EXPECT_EQ(outcome->mode, 3);
    ASSERT_EQ(host.outcomes().size(), 1u);
    EXPECT_EQ(host.outcomes()[0].result, JobResult::Stopped);
}

TEST(LinkEngineStartUp, CanBeStartedAgainAfterAStop) {
    test::TempFolder folder;
    DataFolders folders(folder.path(), folder.path() + "fallback/");
    LinkContext link(TIME_SCALE);
    RecordingLinkHost host;
    std::atomic<int> starts{0};
    LinkEngine engine(link, host, {folders, [&](LinkContext&) {
                                       ++starts;
                                       return std::unique_ptr<Transport>();
                                   }});
    for (int run = 1; run <= 2; ++run) {
        ASSERT_TRUE(engine.startEngine());
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (starts < run && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(starts, run);
        EXPECT_EQ(engine.stopEngine(), StopResult::Stopped);
    }
}

}  // namespace
}  // namespace tq370
