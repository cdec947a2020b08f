#include "update/replacement_script.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/detached_process.h"
#include "support/temp_folder.h"
#include "update/replacement_launcher.h"

extern char** environ;

namespace tq370 {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(WindowsReplacementScript, MatchesTheBatchTextByteForByte) {
    const std::string expected =
        "ping 1 -n 1 -w 300 2>nul 1>nul \r\n"
        "taskkill /f /im TQ370.exe\r\n"
        "del TQ370.exe\r\n"
        "ping 1 -n 1 -w 100 2>nul 1>nul \r\n"
        "ren ServerUpDataxsxsxs.exe TQ370.exe\r\n"
        "ping 1 -n 1 -w 100 2>nul 1>nul \r\n"
        "if not exist \"C:\\Program Files\\TQ370\\TQ370.exe\" "
        "(ren ServerUpDataxsxsxs.exe TQ370.exe )\r\n"
        "start \"\" \"C:\\Program Files\\TQ370\\TQ370.exe\"\r\n"
        "del UpDown.bat ";
    EXPECT_EQ(buildWindowsReplacementScript("TQ370.exe", "C:\\Program Files\\TQ370"), expected);
    EXPECT_EQ(buildWindowsReplacementScript("TQ370", "C:\\Program Files\\TQ370\\"), expected)
        << "\".exe\" is added and a trailing backslash is not doubled";
}

TEST(WindowsReplacementScript, NamesThatCouldBreakALineAreQuotedOrRefused) {
    struct Case {
        const char* name;
        const char* folder;
        const char* taskkillLine;  // nullptr: refused
        const char* startLine;
    } cases[] = {
        {"My TQ.exe", "C:\\A", "taskkill /f /im \"My TQ.exe\"", "start \"\" \"C:\\A\\My TQ.exe\""},
        {"a&del x.exe", "C:\\A", "taskkill /f /im \"a&del x.exe\"",
         "start \"\" \"C:\\A\\a&del x.exe\""},
        {"100%PATH%.exe", "C:\\50%", "taskkill /f /im \"100%%PATH%%.exe\"",
         "start \"\" \"C:\\50%%\\100%%PATH%%.exe\""},
        {"a\".exe", "C:\\A", nullptr, nullptr},
        {"a.exe", "C:\\A\r\ndel *", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        auto script = buildWindowsReplacementScript(c.name, c.folder);
        ASSERT_EQ(script.has_value(), c.taskkillLine != nullptr) << c.name;
        if (!script) continue;
        EXPECT_NE(script->find(std::string(c.taskkillLine) + "\r\n"), std::string::npos) << *script;
        EXPECT_NE(script->find(std::string(c.startLine) + "\r\n"), std::string::npos) << *script;
        // Nine lines whatever the names hold.
        EXPECT_EQ(std::count(script->begin(), script->end(), '\n'), 8) << c.name;
    }
}

TEST(ShellQuote, KeepsEveryCharacterLiteral) {
    EXPECT_EQ(shellQuote("plain"), "'plain'");
    EXPECT_EQ(shellQuote("it's"), "'it'\\''s'");
    EXPECT_EQ(shellQuote("$(rm -rf x) `y` \"z\""), "'$(rm -rf x) `y` \"z\"'");
}

TEST(DetachedProcess, ReportsWhetherTheProgramStarted) {
    test::TempFolder folder;
    EXPECT_TRUE(startDetached({"/bin/sh", "-c", "echo ran > out.txt"}, folder.dir()));
    EXPECT_FALSE(startDetached({(folder.dir() / "missing").string()}, folder.dir()));
    EXPECT_FALSE(startDetached({"/bin/sh"}, folder.dir() / "no such folder"));
    EXPECT_FALSE(startDetached({}, folder.dir()));
    EXPECT_FALSE(startReplacementScript(folder.dir() / "UpDown.sh")) << "no script";
    // The started program runs in the given folder.
    for (int i = 0; i < 250 && test::readText(folder.dir() / "out.txt").empty(); ++i) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(test::readText(folder.dir() / "out.txt"), "ran\n");
}

pid_t spawn(const fs::path& program, const char* argument) {
    std::string path = program.string();
    char* argv[] = {path.data(), const_cast<char*>(argument), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    return pid;
}

// Waits for the child to end; the signal that ended it, 0 when it exited, -1 when it
// still runs after the time-out (then it is ended here).
int waitForEnd(pid_t pid, std::chrono::milliseconds timeout) {
    auto until = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        if (std::chrono::steady_clock::now() >= until) break;
        std::this_thread::sleep_for(10ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    auto until = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The real script in a real folder: the old program (a copy of sleep, so that its
// process runs that very file) is ended, the download takes its place and is started,
// and the script deletes itself. A copy of the same file elsewhere keeps running.
TEST(PosixReplacementScript, ReplacesAndStartsTheProgram) {
    test::TempFolder temp;
    const fs::path folder = temp.dir() / "TQ 370 'it's \"here\" $(x)";
    const fs::path elsewhere = temp.dir() / "elsewhere";
    fs::create_directories(folder);
    fs::create_directories(elsewhere);
    const fs::path program = folder / "tq 370";
    fs::copy_file("/bin/sleep", program);
    fs::copy_file("/bin/sleep", elsewhere / "tq 370");

    const std::string newProgram = "#!/bin/sh\necho started > started.txt\n";
    test::writeText(folder / DOWNLOAD_FILE_NAME, newProgram);
    const fs::path script = folder / POSIX_SCRIPT_NAME;
    test::writeText(script, buildPosixReplacementScript(program, {20, 20}));

    pid_t old = spawn(program, "30");
    pid_t other = spawn(elsewhere / "tq 370", "30");
    ASSERT_GT(old, 0);
    ASSERT_GT(other, 0);
    // The old program must really be running its file before the script looks for it.
    auto runsProgram = [&] {
        std::error_code ec;
        return fs::read_symlink("/proc/" + std::to_string(old) + "/exe", ec) == program;
    };
    ASSERT_TRUE(waitUntil(runsProgram, 2s));

    ASSERT_TRUE(startReplacementScript(script));
    EXPECT_EQ(waitForEnd(old, 5s), SIGKILL);
    EXPECT_TRUE(waitUntil([&] { return fs::exists(folder / "started.txt"); }, 5s));
    EXPECT_TRUE(waitUntil([&] { return !fs::exists(script); }, 5s));
    EXPECT_EQ(test::readText(program), newProgram);
    EXPECT_FALSE(fs::exists(folder / DOWNLOAD_FILE_NAME));
    EXPECT_EQ(test::readText(folder / "started.txt"), "started\n");
    EXPECT_EQ(waitForEnd(other, 0ms), -1) << "a program of the same name elsewhere was ended";
}

}  // namespace
}  // namespace tq370
