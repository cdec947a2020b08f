#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tq370 {

// Stands in for a named system mutex: an flock on a file of that name. The system drops
// the lock when the holder closes it or ends in any way, so a crashed holder never leaves
// a stale lock. The file itself stays (removing it would race with the next locker).
class LockFile {
public:
    enum class Status {
        Acquired,
        HeldElsewhere,  // another open of the same file holds it (any process, this one too)
        Failed,         // the folder or file cannot be opened
    };
    struct Attempt;  // below: it holds a LockFile

    // Tries once and never waits; the folder must exist. Any thread.
    static Attempt tryLock(const std::filesystem::path& folder, std::string_view name);

    LockFile(LockFile&& other) noexcept;
    LockFile& operator=(LockFile&& other) noexcept;
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    ~LockFile();  // releases

    void release();

private:
    explicit LockFile(int fd) : fd_(fd) {}
    int fd_ = -1;
};

struct LockFile::Attempt {
    std::optional<LockFile> lock;  // set with Acquired
    Status status = Status::Failed;
};

// The folder lock files go to: $XDG_RUNTIME_DIR when it names a folder, else /tmp.
std::filesystem::path defaultLockFolder();

// Lock of the single running instance.
constexpr std::string_view SINGLE_INSTANCE_LOCK_NAME = "TQ370";

// Lock of the USB channel to one kind of device: "HID_VID_%0x_PID_%0x", lower-case hex,
// e.g. HID_VID_4084_PID_4357.
std::string usbChannelLockName(std::uint16_t vendorId, std::uint16_t productId);

}  // namespace tq370
