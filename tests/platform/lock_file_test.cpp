#include "platform/lock_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "support/temp_folder.h"

namespace tq370 {
namespace {

// Another process holding the lock: after fork the child uses only plain system calls,
// locks the file, reports through a pipe and waits to be told to end (or to be killed).
class LockHolder {
public:
    explicit LockHolder(const std::string& path) {
        int ready[2];
        int finish[2];
        if (pipe(ready) != 0 || pipe(finish) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(finish[1]);  // else the child would wait for itself
            int fd = open(path.c_str(), O_RDONLY | O_CREAT, 0644);
            char ok = (fd >= 0 && flock(fd, LOCK_EX) == 0) ? 1 : 0;
            (void)!write(ready[1], &ok, 1);
            char ignored;
            (void)!read(finish[0], &ignored, 1);
            _exit(0);
        }
        close(ready[1]);
        close(finish[0]);
        char ok = 0;
        locked_ = read(ready[0], &ok, 1) == 1 && ok == 1;
        close(ready[0]);
        finish_ = finish[1];
    }
    ~LockHolder() { kill(SIGKILL); }

    bool locked() const { return pid_ > 0 && locked_; }

    // A normal end: closing the pipe lets the child leave.
    void exitNormally() {
        if (finish_ >= 0) close(finish_);
        finish_ = -1;
        reap();
    }
    void kill(int signal) {
        if (pid_ > 0) ::kill(pid_, signal);
        reap();
        if (finish_ >= 0) close(finish_);
        finish_ = -1;
    }

private:
    void reap() {
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    pid_t pid_ = -1;
    bool locked_ = false;
    int finish_ = -1;
};

TEST(LockFile, OneHolderAtATimeWithinAProcess) {
    test::TempFolder folder;
    LockFile::Attempt first = LockFile::tryLock(folder.path(), "HID_VID_4084_PID_4357");
    ASSERT_EQ(first.status, LockFile::Status::Acquired);
    ASSERT_TRUE(first.lock);
    EXPECT_TRUE(std::filesystem::exists(folder / "HID_VID_4084_PID_4357"));

    LockFile::Attempt second = LockFile::tryLock(folder.path(), "HID_VID_4084_PID_4357");
    EXPECT_EQ(second.status, LockFile::Status::HeldElsewhere);
    EXPECT_FALSE(second.lock);
    // Another name is another lock.
    EXPECT_EQ(LockFile::tryLock(folder.path(), "TQ370").status, LockFile::Status::Acquired);

    first.lock->release();
    EXPECT_EQ(LockFile::tryLock(folder.path(), "HID_VID_4084_PID_4357").status,
              LockFile::Status::Acquired);
}

TEST(LockFile, DestroyingOrMovingKeepsTheRightOwner) {
    test::TempFolder folder;
    std::optional<LockFile> kept;
    {
        LockFile::Attempt attempt = LockFile::tryLock(folder.path(), "TQ370");
        ASSERT_TRUE(attempt.lock);
        kept = std::move(attempt.lock);
    }
    EXPECT_EQ(LockFile::tryLock(folder.path(), "TQ370").status, LockFile::Status::HeldElsewhere);
    kept.reset();
    EXPECT_EQ(LockFile::tryLock(folder.path(), "TQ370").status, LockFile::Status::Acquired);
}

TEST(LockFile, HolderInAnotherProcessBlocksUntilItEnds) {
    test::TempFolder folder;
    struct Case {
        const char* how;
        bool crash;
    };
    for (const Case& c : {Case{"exit", false}, Case{"SIGKILL", true}}) {
        SCOPED_TRACE(c.how);
        LockHolder holder(folder / "HID_VID_4084_PID_4357");
        ASSERT_TRUE(holder.locked());
        EXPECT_EQ(LockFile::tryLock(folder.path(), "HID_VID_4084_PID_4357").status,
                  LockFile::Status::HeldElsewhere);
        if (c.crash) {
            holder.kill(SIGKILL);
        } else {
            holder.exitNormally();
        }
        // No stale lock: the file is still there, the lock is not.
        EXPECT_EQ(LockFile::tryLock(folder.path(), "HID_VID_4084_PID_4357").status,
                  LockFile::Status::Acquired);
    }
}

TEST(LockFile, MissingFolderFails) {
    test::TempFolder folder;
    LockFile::Attempt attempt = LockFile::tryLock(folder / "absent", "TQ370");
    EXPECT_EQ(attempt.status, LockFile::Status::Failed);
    EXPECT_FALSE(attempt.lock);
}

TEST(LockFile, AnythingButARegularFileIsRefusedAtOnce) {
    test::TempFolder folder;
    ASSERT_EQ(::mkfifo((folder.path() + "fifo").c_str(), 0644), 0);
    std::ofstream(folder.path() + "target") << "x";
    std::filesystem::create_symlink(folder.path() + "target", folder.path() + "link");
    std::filesystem::create_directory(folder.path() + "folder");
    for (const char* name : {"fifo", "link", "folder"}) {
        SCOPED_TRACE(name);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(LockFile::tryLock(folder.path(), name).status, LockFile::Status::Failed);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1))
            << "an open that blocks would hang the caller";
    }
}

TEST(LockFile, UsbChannelNameIsLowerCaseHex) {
    EXPECT_EQ(usbChannelLockName(0x4084, 0x4357), "HID_VID_4084_PID_4357");
    EXPECT_EQ(usbChannelLockName(0xABCD, 0x0001), "HID_VID_abcd_PID_1");
}

// Restores one environment variable when it goes.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) saved_ = value;
    }
    ~SavedVariable() {
        if (saved_) {
            setenv(name_, saved_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(LockFile, DefaultFolderIsTheRuntimeFolderWhenUsable) {
    test::TempFolder folder;
    SavedVariable saved("XDG_RUNTIME_DIR");
    struct Case {
        std::optional<std::string> value;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {folder.path(), folder.path()}, {std::nullopt, "/tmp"},      {"", "/tmp"},
        {"relative/run", "/tmp"},       {folder / "absent", "/tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.value_or("(unset)"));
        if (c.value) {
            setenv("XDG_RUNTIME_DIR", c.value->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
        EXPECT_EQ(defaultLockFolder(), c.expected);
    }
}

}  // namespace
}  // namespace tq370
