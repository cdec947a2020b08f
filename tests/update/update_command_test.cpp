#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <optional>
#include <string>
#include <vector>

#include "fake_update_server.h"
#include "platform/cpu_identifier.h"
#include "support/temp_folder.h"
#include "update/update_messages.h"

extern char** environ;

namespace tq370 {
namespace {

using test::Bytes;
using test::FakeDownload;
namespace fs = std::filesystem;

struct CtlRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CtlRun runCtl(const std::vector<std::string>& args, const fs::path& scratch) {
    std::vector<std::string> all = {TQ370CTL_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto outPath = scratch / "stdout.txt";
    const auto errPath = scratch / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = -1;
    CtlRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = test::readText(outPath);
    run.err = test::readText(errPath);
    return run;
}

Bytes answer(bool newer, const MachineIdentifier& id) {
    return buildUpdateAnswer({newer, id, {}});
}

TEST(UpdateCommand, OneCheckAgainstALoopbackServer) {
    const MachineIdentifier other{7, 7, 7, 7, 7, 7, 7, 7};
    Bytes file = test::programBytes(5000);
    Bytes half(file.begin(), file.begin() + 2000);

    struct Case {
        const char* name;
        std::vector<std::string> args;  // after --server
        Bytes datagram;                 // empty: the server stays silent
        std::optional<FakeDownload> download;
        int exitCode;
        std::string out;
        bool fileWritten;
    } cases[] = {
        {"download with --yes",
         {"--yes"},
         answer(true, other),
         FakeDownload{test::headerBlock(file.size()), file},
         0,
         "newer version available\ndownloaded 5000 bytes to ",
         true},
        {"question without --yes",
         {},
         answer(true, other),
         std::nullopt,
         0,
         "newer version available\n",
         false},
        {"nothing newer", {}, answer(false, other), std::nullopt, 0, "up to date\n", false},
        {"own identifier",
         {"--yes"},
         answer(true, cpuIdentifier()),
         std::nullopt,
         0,
         "checks ended\n",
         false},
        {"silent server", {"--timeout", "0.3"}, {}, std::nullopt, 1, "", false},
        {"download breaks off",
         {"--yes", "--timeout", "0.5"},
         answer(true, other),
         FakeDownload{test::headerBlock(file.size()), half, FakeDownload::Ending::Close},
         1,
         "newer version available\n",
         false},
    };
    for (const auto& c : cases) {
        Clock clock;
        test::FakeUpdateServer server(clock);
        test::TempFolder dir;
        if (!c.datagram.empty()) server.queueAnswer(c.datagram);
        if (c.download) server.queueDownload(*c.download);
        std::vector<std::string> args = {"update", "--server",
                                         "127.0.0.1:" + std::to_string(server.port()), "--dir",
                                         dir.dir().string()};
        args.insert(args.end(), c.args.begin(), c.args.end());

        CtlRun run = runCtl(args, dir.dir());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << "\n" << run.err;
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out) << c.name;
        const fs::path downloaded = dir.dir() / "ServerUpDataxsxsxs.exe";
        EXPECT_EQ(fs::exists(downloaded), c.fileWritten) << c.name;
        if (!c.fileWritten) continue;
        EXPECT_EQ(test::readText(downloaded), std::string(file.begin(), file.end())) << c.name;
        EXPECT_TRUE(fs::exists(dir.dir() / "UpDown.sh")) << c.name;
        EXPECT_TRUE(fs::exists(dir.dir() / "UpDown.bat")) << c.name;
        EXPECT_NE(run.err.find("Onling_Update:  100 %"), std::string::npos) << run.err;
    }
}

TEST(UpdateCommand, AFolderTheScriptsCannotNameIsRefusedBeforeAnyQuery) {
    Clock clock;
    test::FakeUpdateServer server(clock);
    test::TempFolder dir;
    const fs::path quoted = dir.dir() / "TQ \"370\"";
    fs::create_directory(quoted);
    CtlRun run = runCtl({"update", "--server", "127.0.0.1:" + std::to_string(server.port()),
                         "--dir", quoted.string(), "--yes"},
                        dir.dir());
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.err.find("double quote"), std::string::npos) << run.err;
    EXPECT_TRUE(server.queries().empty());
}

TEST(UpdateCommand, RejectsAMalformedServer) {
    test::TempFolder dir;
    for (const char* server : {"", "host:0", "host:port"}) {
        EXPECT_EQ(runCtl({"update", "--server", server}, dir.dir()).exitCode, 2) << server;
    }
}

}  // namespace
}  // namespace tq370
