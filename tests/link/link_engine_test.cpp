#include "link/link_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "../storage/temp_folder.h"
#include "link/recording_link_host.h"
#include "storage/data_folders.h"

namespace tq370 {
namespace {

constexpr double TIME_SCALE = 0.02;

struct StartUpCase {
    const char* file;  // Configuration.ini content, nullptr: no file
    const char* caption;
    TransportKind kind;
    int baudRate;
};

// Without a transport the engine does its start-up and then only waits for the stop.
TEST(LinkEngineStartUp, ChoosesTheTransportAndCaptionFromTheConfiguration) {
    const StartUpCase cases[] = {
        {nullptr, "TQ370-USB", TransportKind::Usb, 128000},
        {"[t]\nm_COM_MdoeIO=2\n", "TQ370-NET", TransportKind::WiFi, 128000},
        {"[t]\nm_COM_MdoeIO=3\nm_COM_m_BoTeLV=57600\n", "TQ370-BT", TransportKind::Bluetooth,
         57600},
        {"[t]\nm_COM_MdoeIO=7\nm_COM_m_BoTeLV=0\n", "TQ370-COM", TransportKind::Serial, 128000},
        {"[t]\nm_COM_MdoeIO=-4\nm_COM_m_BoTeLV=-9\n", "TQ370-USB", TransportKind::Usb, 128000},
    };
    for (const StartUpCase& c : cases) {
        SCOPED_TRACE(c.caption);
        test::TempFolder folder;
        DataFolders folders(folder.path(), folder.path() + "fallback/");
        std::filesystem::create_directories(folders.dataFolder());
        if (c.file) std::ofstream(folders.dataFolder() + "Configuration.ini") << c.file;

        LinkContext link(TIME_SCALE);
        link.registers.setRegister(500, 1);
        link.textSlots[4].pending.store(1);
        RecordingLinkHost host;
        std::atomic<int> madeKind{0};
        std::atomic<int> madeBaud{0};
        LinkEngine engine(link, host,
                          {folders, "t", [&](LinkContext&, TransportKind kind, int baud) {
                               madeKind = static_cast<int>(kind);
                               madeBaud = baud;
                               return std::unique_ptr<Transport>();
                           }});
        ASSERT_TRUE(engine.startEngine());
        EXPECT_FALSE(engine.startEngine()) << "one engine thread at a time";
        ASSERT_TRUE(host.waitFor([](const auto& events) { return events.size() >= 3; },
                                 std::chrono::seconds(5)));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (madeKind == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(madeKind, static_cast<int>(c.kind));
        EXPECT_EQ(madeBaud, c.baudRate);
        auto events = host.events();
        EXPECT_EQ(events[1].text, c.caption);
        EXPECT_FALSE(link.registers.isWritePending(500)) << "defaults loaded";
        EXPECT_EQ(link.textSlots[4].pending.load(), 0) << "text slots cleared";
        EXPECT_EQ(engine.stopEngine(), StopResult::Stopped);
        EXPECT_EQ(engine.state(), EngineState::Stopped);
        EXPECT_EQ(engine.stopEngine(), StopResult::NotRunning);
    }
}

TEST(LinkEngineStartUp, CanBeStartedAgainAfterAStop) {
    test::TempFolder folder;
    DataFolders folders(folder.path(), folder.path() + "fallback/");
    LinkContext link(TIME_SCALE);
    RecordingLinkHost host;
    std::atomic<int> starts{0};
    LinkEngine engine(link, host, {folders, "t", [&](LinkContext&, TransportKind, int) {
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
