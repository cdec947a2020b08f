#include "update/online_update.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <thread>

#include "fake_update_server.h"
#include "recording_update_host.h"
#include "support/temp_folder.h"
#include "update/update_messages.h"
#include "update/update_texts.h"

namespace tq370 {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::FakeDownload;
namespace fs = std::filesystem;

const MachineIdentifier OURS{1, 2, 3, 4, 5, 6, 7, 8};
const MachineIdentifier OTHER{9, 9, 9, 9, 9, 9, 9, 9};
constexpr std::uint32_t VERSION = 0x00010002;

Bytes answer(bool newer, const MachineIdentifier& id, Bytes token = {}) {
    return buildUpdateAnswer({newer, id, std::move(token)});
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes fileBytes(std::size_t size) {
    return test::programBytes(size);
}

FakeDownload goodDownload(const Bytes& file) {
    return {test::headerBlock(file.size()), file};
}

// The update loop on its own thread, as the program runs it.
class RunningUpdate {
public:
    RunningUpdate(UpdateSettings settings, UpdateHost& host, const Clock& clock)
        : update_(std::move(settings), host, clock),
          thread_([this](std::stop_token stop) { result_.set_value(update_.run(stop)); }) {}

    // The loop's end; nullopt while it still runs after realTimeout.
    std::optional<CheckReport> finish(std::chrono::milliseconds realTimeout) {
        if (future_.wait_for(realTimeout) != std::future_status::ready) return std::nullopt;
        return future_.get();
    }
    void stop() { thread_.request_stop(); }

private:
    OnlineUpdate update_;
    std::promise<CheckReport> result_;
    std::future<CheckReport> future_ = result_.get_future();
    std::jthread thread_;
};

// Every test runs at a hundredth of real time: ten protocol seconds are 100 ms.
class OnlineUpdateTest : public ::testing::Test {
protected:
    UpdateSettings settings() const {
        UpdateSettings s;
        s.server = {"127.0.0.1", server.port(), server.port()};
        s.programFolder = folder.dir();
        s.programFileName = "tq370";
        s.programVersion = VERSION;
        s.machineId = OURS;
        s.language = [] { return Language::English; };
        return s;
    }
    fs::path downloadPath() const { return folder.dir() / "ServerUpDataxsxsxs.exe"; }

    Clock clock{0.01};
    test::FakeUpdateServer server{clock};
    test::TempFolder folder;
};

// Timing is checked on a slower clock than the other tests (ten protocol seconds are
// 300 ms), so that a busy machine's delays stay well inside the bounds. The server
// stamps a query when it reads it, a few real milliseconds late, hence the margins.
TEST_F(OnlineUpdateTest, FirstQueryAfterTenSecondsThenAgainAfterEachCheck) {
    struct Case {
        const char* name;
        Bytes datagram;  // empty: no answer
        std::int64_t minGapMs;
        std::int64_t maxGapMs;
    } cases[] = {
        // Ten seconds of waiting for an answer, then the ten between checks.
        {"no answer", {}, 19'500, 24'000},
        // An ignored answer is taken at once: only the wait between checks remains.
        {"answer without newer version", answer(false, OTHER), 9'500, 14'000},
    };
    for (const auto& c : cases) {
        Clock slow(0.03);
        test::FakeUpdateServer srv(slow);
        if (!c.datagram.empty()) srv.queueAnswer(c.datagram);
        auto s = settings();
        s.server.udpPort = s.server.tcpPort = srv.port();
        test::RecordingUpdateHost host(true);
        const std::int64_t startMs = slow.nowMs();
        RunningUpdate update(s, host, slow);
        ASSERT_TRUE(srv.waitForQueries(2, 5s)) << c.name;
        update.stop();
        ASSERT_EQ(update.finish(2s)->result, CheckResult::Stopped) << c.name;

        auto queries = srv.queries();
        EXPECT_EQ(queries[0].bytes, buildUpdateQuery(VERSION, OURS)) << c.name;
        EXPECT_GE(queries[0].atMs - startMs, 10'000) << c.name;
        EXPECT_LT(queries[0].atMs - startMs, 14'000) << c.name;
        EXPECT_GE(queries[1].atMs - queries[0].atMs, c.minGapMs) << c.name;
        EXPECT_LT(queries[1].atMs - queries[0].atMs, c.maxGapMs) << c.name;
        EXPECT_TRUE(host.questions().empty()) << c.name;
        EXPECT_EQ(srv.connections(), 0) << c.name;
    }
}

TEST_F(OnlineUpdateTest, OwnIdentifierEndsCheckingWhateverItSays) {
    struct Case {
        const char* name;
        Bytes datagram;
    } cases[] = {
        {"newer", answer(true, OURS)},
        {"not newer", answer(false, OURS)},
        {"garbage first", concat({{0x4B, 0x6F, 0x00, 0x16, 0x4B}, answer(true, OURS)})},
        {"after an ignored answer", concat({answer(false, OTHER), answer(true, OURS)})},
    };
    for (const auto& c : cases) {
        test::FakeUpdateServer own(clock);
        own.queueAnswer(c.datagram);
        auto s = settings();
        s.server.udpPort = s.server.tcpPort = own.port();
        test::RecordingUpdateHost host(true);
        RunningUpdate update(s, host, clock);
        auto report = update.finish(5s);
        ASSERT_TRUE(report) << c.name;
        EXPECT_EQ(report->result, CheckResult::ChecksEnded) << c.name;
        EXPECT_EQ(own.queries().size(), 1u) << c.name;
        EXPECT_TRUE(host.questions().empty()) << c.name;
        EXPECT_EQ(own.connections(), 0) << c.name;
    }
}

TEST_F(OnlineUpdateTest, DecliningEndsCheckingWithoutDownload) {
    server.queueAnswer(answer(true, OTHER));
    test::RecordingUpdateHost host(false);
    auto s = settings();
    s.language = [] { return Language::SimplifiedChinese; };
    RunningUpdate update(s, host, clock);
    auto report = update.finish(5s);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->result, CheckResult::Declined);
    ASSERT_EQ(host.questions().size(), 1u);
    EXPECT_EQ(host.questions()[0].caption, "提示!");
    EXPECT_EQ(host.questions()[0].text, "软件有更新,是否更新!");
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(server.queries().size(), 1u);
}

TEST_F(OnlineUpdateTest, DownloadWritesProgramScriptsAndReport) {
    struct Case {
        const char* name;
        Bytes datagram;
        Bytes token;
        std::size_t size;
        std::size_t extra;  // bytes the server sends past the announced size
    } cases[] = {
        {"22-byte answer after garbage",
         concat({{0x00, 0x4B, 0x6F}, answer(true, OTHER)}),
         {},
         3000,
         0},
        {"answer with a token",
         answer(true, OTHER, {0xAB, 0xCD, 0xEF}),
         {0xAB, 0xCD, 0xEF},
         1400,
         0},
        {"bytes past the size are dropped", answer(true, OTHER), {}, 5000, 33},
    };
    for (const auto& c : cases) {
        test::FakeUpdateServer srv(clock);
        test::TempFolder dir;
        Bytes file = fileBytes(c.size);
        Bytes sent = file;
        sent.resize(c.size + c.extra, 0x5A);
        srv.queueAnswer(c.datagram);
        srv.queueDownload({test::headerBlock(c.size), sent});
        auto s = settings();
        s.server.udpPort = s.server.tcpPort = srv.port();
        s.programFolder = dir.dir();
        test::RecordingUpdateHost host(true);

        RunningUpdate update(s, host, clock);
        auto report = update.finish(10s);
        ASSERT_TRUE(report) << c.name;
        EXPECT_EQ(report->result, CheckResult::Downloaded) << c.name;
        EXPECT_EQ(report->downloadedBytes, c.size) << c.name;

        ASSERT_EQ(srv.requests().size(), 1u) << c.name;
        EXPECT_EQ(srv.requests()[0], buildDownloadRequest(c.token)) << c.name;
        ASSERT_TRUE(srv.waitForReports(1, 2s)) << c.name;
        EXPECT_EQ(srv.reports()[0], buildDownloadReport(c.size, "tq370")) << c.name;

        std::string written = test::readText(dir.dir() / "ServerUpDataxsxsxs.exe");
        EXPECT_EQ(written, std::string(file.begin(), file.end())) << c.name;
        EXPECT_NE(test::readText(dir.dir() / "UpDown.sh").find("/tq370'"), std::string::npos);
        EXPECT_FALSE(fs::exists(dir.dir() / "UpDown.bat")) << "only asked for";

        EXPECT_EQ(host.progressTotal(), c.size) << c.name;
        EXPECT_EQ(host.progressFormat(), "Onling_Update:%5.0f %%") << c.name;
        auto positions = host.positions();
        ASSERT_FALSE(positions.empty()) << c.name;
        EXPECT_EQ(positions.front(), 0u) << c.name;
        EXPECT_EQ(positions.back(), c.size) << c.name;
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << c.name;
        EXPECT_FALSE(host.progressVisible()) << c.name;
    }
}

TEST_F(OnlineUpdateTest, BrokenDownloadDeletesThePartialFileAndCheckingResumes) {
    struct Case {
        const char* name;
        FakeDownload::Ending ending;
    } cases[] = {
        {"server closes midway", FakeDownload::Ending::Close},
        {"server goes silent midway", FakeDownload::Ending::Stall},
    };
    for (const auto& c : cases) {
        test::FakeUpdateServer srv(clock);
        Bytes half = fileBytes(2000);
        srv.queueAnswer(answer(true, OTHER));
        srv.queueDownload({test::headerBlock(4000), half, c.ending});
        auto s = settings();
        s.server.udpPort = s.server.tcpPort = srv.port();
        test::RecordingUpdateHost host(true);

        RunningUpdate update(s, host, clock);
        ASSERT_TRUE(srv.waitForQueries(2, 10s)) << c.name;
        EXPECT_FALSE(fs::exists(downloadPath())) << c.name;
        EXPECT_FALSE(fs::exists(folder.dir() / "UpDown.sh")) << c.name;
        EXPECT_FALSE(host.progressVisible()) << c.name;
        EXPECT_EQ(host.positions().back(), 2000u) << c.name;
        update.stop();
        EXPECT_EQ(update.finish(2s)->result, CheckResult::Stopped) << c.name;
    }
}

TEST_F(OnlineUpdateTest, FailedDownloadGoesOnWithTheNextAnswer) {
    Bytes file = fileBytes(1500);
    server.queueAnswer(concat({answer(true, OTHER, {0xA}), answer(true, OTHER, {0xB})}));
    server.queueDownload({Bytes(UPDATE_RECEIVE_LIMIT, 0x4B), {}, FakeDownload::Ending::Close});
    server.queueDownload(goodDownload(file));
    test::RecordingUpdateHost host(true);
    RunningUpdate update(settings(), host, clock);
    auto report = update.finish(10s);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->result, CheckResult::Downloaded);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[0], buildDownloadRequest(Bytes{0xA}));
    EXPECT_EQ(server.requests()[1], buildDownloadRequest(Bytes{0xB}));
    EXPECT_EQ(host.questions().size(), 2u);
    EXPECT_EQ(test::readText(downloadPath()), std::string(file.begin(), file.end()));
}

TEST_F(OnlineUpdateTest, UnwritableFolderFailsQuietlyAndCheckingGoesOn) {
    server.queueAnswer(answer(true, OTHER));
    server.queueDownload(goodDownload(fileBytes(100)));
    auto s = settings();
    s.programFolder = folder.dir() / "missing";
    test::RecordingUpdateHost host(true);
    RunningUpdate update(s, host, clock);
    ASSERT_TRUE(server.waitForQueries(2, 10s));
    update.stop();
    EXPECT_EQ(update.finish(2s)->result, CheckResult::Stopped);
    EXPECT_FALSE(fs::exists(s.programFolder));
    EXPECT_FALSE(host.progressVisible());
}

TEST_F(OnlineUpdateTest, ReplacementStartsTheWrittenScript) {
    struct Case {
        bool starts;
        CheckResult result;
    } cases[] = {{true, CheckResult::Replacing}, {false, CheckResult::DownloadFailed}};
    for (const auto& c : cases) {
        test::FakeUpdateServer srv(clock);
        srv.queueAnswer(answer(true, OTHER));
        srv.queueDownload(goodDownload(fileBytes(64)));
        auto s = settings();
        s.server.udpPort = s.server.tcpPort = srv.port();
        fs::path started;
        s.startReplacement = [&](const fs::path& script) {
            started = script;
            return c.starts;
        };
        test::RecordingUpdateHost host(true);
        OnlineUpdate update(s, host, clock);
        EXPECT_EQ(update.checkOnce().result, c.result);
        EXPECT_EQ(started, folder.dir() / "UpDown.sh");
        EXPECT_TRUE(fs::exists(started));
    }
}

// A server that misbehaves, or a folder someone prepared: nothing outside the folder is
// touched, nothing half-written appears under a final name, nothing that is no program of
// this machine is kept.
struct HostileCase {
    const char* name;
    std::function<void(test::FakeUpdateServer&, const fs::path& folder, const fs::path& outside,
                       UpdateSettings&)>
        prepare;
    CheckResult result;
};

TEST_F(OnlineUpdateTest, AHostileServerOrFolderChangesNothingItShouldNot) {
    const Bytes program = fileBytes(3000);
    const auto good = [&](test::FakeUpdateServer& srv) {
        srv.queueAnswer(answer(true, OTHER));
        srv.queueDownload(goodDownload(program));
    };
    const HostileCase cases[] = {
        {"the download's name is a link out of the folder",
         [&](auto& srv, const fs::path& dir, const fs::path& outside, auto&) {
             good(srv);
             fs::create_symlink(outside / "victim", dir / "ServerUpDataxsxsxs.exe");
         },
         CheckResult::Downloaded},
        {"the script's name is a link out of the folder",
         [&](auto& srv, const fs::path& dir, const fs::path& outside, auto&) {
             good(srv);
             fs::create_symlink(outside / "victim", dir / "UpDown.sh");
         },
         CheckResult::Downloaded},
        {"a download broken midway leaves the user's own file of that name",
         [&](auto& srv, const fs::path& dir, const fs::path&, auto&) {
             srv.queueAnswer(answer(true, OTHER));
             srv.queueDownload(
                 {test::headerBlock(4000), fileBytes(2000), FakeDownload::Ending::Close});
             test::writeText(dir / "ServerUpDataxsxsxs.exe", "mine");
             test::writeText(dir / "UpDown.sh", "mine too");
         },
         CheckResult::DownloadBroken},
        {"a server that drips is cut off by the transfer deadline",
         [&](auto& srv, const fs::path&, const fs::path&, UpdateSettings& s) {
             srv.queueAnswer(answer(true, OTHER));
             FakeDownload drip{test::headerBlock(4000), fileBytes(4000)};
             drip.dripMs = 2;
             srv.queueDownload(drip);
             s.minimumRateBytesPerS = 100'000;  // 4000 bytes in 40 protocol ms
             s.transferAllowanceMs = 1000;      // 10 real ms at this clock
         },
         CheckResult::DownloadBroken},
        {"an announced size above the cap fetches nothing",
         [&](auto& srv, const fs::path&, const fs::path&, UpdateSettings& s) {
             srv.queueAnswer(answer(true, OTHER));
             srv.queueDownload({test::headerBlock(5000), fileBytes(5000)});
             s.maxDownloadBytes = 4999;
         },
         CheckResult::DownloadTooLarge},
        {"a file that is no program of this machine is thrown away",
         [&](auto& srv, const fs::path&, const fs::path&, auto&) {
             srv.queueAnswer(answer(true, OTHER));
             srv.queueDownload(goodDownload(test::patternBytes(3000)));
         },
         CheckResult::NotAProgram},
        {"an answer from another port is no answer",
         [&](auto& srv, const fs::path&, const fs::path&, UpdateSettings& s) {
             good(srv);
             srv.answerFromAnotherPort(true);
             s.answerWaitMs = 2000;
         },
         CheckResult::NoAnswer},
        {"a folder the scripts cannot name is refused before the download",
         [&](auto& srv, const fs::path& dir, const fs::path&, UpdateSettings& s) {
             good(srv);
             fs::create_directory(dir / "TQ \"370\"");
             s.programFolder = dir / "TQ \"370\"";
             s.writeWindowsScript = true;
         },
         CheckResult::FolderRefused},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeUpdateServer srv(clock);
        test::TempFolder dir;
        test::TempFolder outside;
        test::writeText(outside.dir() / "victim", "untouched");
        auto s = settings();
        s.server.udpPort = s.server.tcpPort = srv.port();
        s.programFolder = dir.dir();
        c.prepare(srv, dir.dir(), outside.dir(), s);
        test::RecordingUpdateHost host(true);
        OnlineUpdate update(s, host, clock);
        EXPECT_EQ(update.checkOnce().result, c.result);

        EXPECT_EQ(test::readText(outside.dir() / "victim"), "untouched");
        const fs::path download = s.programFolder / "ServerUpDataxsxsxs.exe";
        if (c.result == CheckResult::Downloaded) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(download)));
            EXPECT_EQ(test::readText(download), std::string(program.begin(), program.end()));
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(s.scriptPath())));
        } else if (std::string_view(c.name).find("user's own") != std::string_view::npos) {
            EXPECT_EQ(test::readText(download), "mine");
            EXPECT_EQ(test::readText(s.scriptPath()), "mine too");
        } else {
            EXPECT_FALSE(fs::exists(fs::symlink_status(download)));
            EXPECT_FALSE(fs::exists(fs::symlink_status(s.scriptPath())));
        }
        if (c.result == CheckResult::FolderRefused || c.result == CheckResult::DownloadTooLarge) {
            EXPECT_TRUE(srv.requests().size() <=
                        (c.result == CheckResult::FolderRefused ? 0u : 1u));
        }
        // No temporary file is left behind either.
        for (const auto& entry : fs::directory_iterator(s.programFolder)) {
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
                << entry.path();
        }
    }
}

TEST_F(OnlineUpdateTest, AnInstalledProgramIsToldOfANewerVersionAndDownloadsNothing) {
    server.queueAnswer(answer(true, OTHER));
    server.queueDownload(goodDownload(fileBytes(100)));
    auto s = settings();
    s.installedCopy = true;
    test::RecordingUpdateHost host(true);
    OnlineUpdate update(s, host, clock);
    EXPECT_EQ(update.checkOnce().result, CheckResult::AnnouncedOnly);
    EXPECT_TRUE(endsChecking(CheckResult::AnnouncedOnly));
    EXPECT_TRUE(host.questions().empty()) << "nothing to agree to";
    ASSERT_EQ(host.told().size(), 1u);
    EXPECT_NE(host.told()[0].text.find("package manager"), std::string::npos);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_FALSE(fs::exists(downloadPath()));
}

// At full scale every wait is seconds long; a stop must still end the loop at once.
TEST(OnlineUpdateStop, StopEndsEveryWaitPromptly) {
    Clock clock(1.0);
    test::FakeUpdateServer server(clock);
    test::TempFolder folder;
    UpdateSettings s;
    s.server = {"127.0.0.1", server.port(), server.port()};
    s.programFolder = folder.dir();
    s.programFileName = "tq370";
    s.machineId = OURS;

    struct Case {
        const char* name;
        double intervalMs;
        bool answered;  // the server offers a download that then stalls
    } cases[] = {{"waiting between checks", 10'000, false},
                 {"waiting for an answer", 0, false},
                 {"waiting for file bytes", 0, true}};
    for (const auto& c : cases) {
        auto settingsForCase = s;
        settingsForCase.checkIntervalMs = c.intervalMs;
        if (c.answered) {
            server.queueAnswer(answer(true, OTHER));
            server.queueDownload(
                {test::headerBlock(9000), fileBytes(100), FakeDownload::Ending::Stall});
        }
        std::size_t requestsBefore = server.requests().size();
        test::RecordingUpdateHost host(true);
        RunningUpdate update(settingsForCase, host, clock);
        if (c.answered) {
            auto until = std::chrono::steady_clock::now() + 5s;
            while (server.requests().size() == requestsBefore &&
                   std::chrono::steady_clock::now() < until) {
                std::this_thread::sleep_for(5ms);
            }
        }
        std::this_thread::sleep_for(100ms);
        auto stopAt = std::chrono::steady_clock::now();
        update.stop();
        auto report = update.finish(1s);
        ASSERT_TRUE(report) << c.name;
        EXPECT_EQ(report->result, CheckResult::Stopped) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - stopAt, 500ms) << c.name;
        EXPECT_FALSE(fs::exists(folder.dir() / "ServerUpDataxsxsxs.exe")) << c.name;
    }
}

}  // namespace
}  // namespace tq370
