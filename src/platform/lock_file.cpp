#include "platform/lock_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace tq370 {

LockFile::Attempt LockFile::tryLock(const std::filesystem::path& folder, std::string_view name) {
    const std::string path = (folder / std::string(name)).string();
    // Read access is enough for flock. Opening without O_CREAT first lets another user's
    // file in a shared /tmp be used too, where creating over it would be refused.
    // Never blocking and never through a link: a FIFO or a link planted at the name must
    // not hang the caller or lock something else; only a regular file serves.
    constexpr int FLAGS = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(path.c_str(), FLAGS);
    if (fd < 0 && errno == ENOENT) fd = ::open(path.c_str(), FLAGS | O_CREAT | O_EXCL, 0644);
    if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), FLAGS);  // made meanwhile
    if (fd < 0) return {std::nullopt, Status::Failed};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {std::nullopt, Status::Failed};
    }
    LockFile lock(fd);
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return {std::move(lock), Status::Acquired};
    return {std::nullopt, errno == EWOULDBLOCK ? Status::HeldElsewhere : Status::Failed};
}

LockFile::LockFile(LockFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

LockFile& LockFile::operator=(LockFile&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

LockFile::~LockFile() {
    release();
}

void LockFile::release() {
    if (fd_ < 0) return;
    ::close(fd_);  // drops the flock with the last descriptor of this open
    fd_ = -1;
}

std::filesystem::path defaultLockFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        std::error_code error;
        if (std::filesystem::is_directory(runtime, error)) return runtime;
    }
    return "/tmp";
}

std::string usbChannelLockName(std::uint16_t vendorId, std::uint16_t productId) {
    char name[32];
    std::snprintf(name, sizeof name, "HID_VID_%0x_PID_%0x", static_cast<unsigned>(vendorId),
                  static_cast<unsigned>(productId));
    return name;
}

}  // namespace tq370
