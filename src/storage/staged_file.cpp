#include "storage/staged_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <utility>

namespace tq370 {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

void report(std::error_code* error, std::error_code value) {
    if (error) *error = value;
}

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

std::string temporaryNameFor(const std::string& path) {
    static thread_local std::mt19937 engine{std::random_device{}()};
    auto slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", static_cast<unsigned>(engine()));
    // A leading dot and a suffix after the name keep it out of folder listings.
    return folder + "." + base + suffix;
}

// A rename is only durable once the folder entry itself is on disk.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<StagedFile> StagedFile::create(const std::string& finalPath, std::error_code* error,
                                             unsigned mode) {
    constexpr int ATTEMPTS = 8;  // only a clash of random names is tried again
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        std::string temporary = temporaryNameFor(finalPath);
        // O_EXCL with O_CREAT never follows a link and never opens an existing file.
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        static_cast<mode_t>(mode));
        if (fd >= 0) return StagedFile(fd, std::move(temporary), finalPath);
        if (errno != EEXIST) break;
    }
    report(error, lastError());
    return std::nullopt;
}

StagedFile::StagedFile(int fd, std::string temporary, std::string finalPath)
    : fd_(fd), temporary_(std::move(temporary)), final_(std::move(finalPath)) {}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      temporary_(std::move(other.temporary_)),
      final_(std::move(other.final_)) {
    other.temporary_.clear();
}

StagedFile::~StagedFile() {
    discard();
}

void StagedFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool StagedFile::write(std::span<const std::uint8_t> bytes, std::error_code* error) {
    if (fd_ < 0) {
        report(error, std::make_error_code(std::errc::bad_file_descriptor));
        return false;
    }
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A short write without an error code is a full disk.
            report(error,
                   n < 0 ? lastError() : std::make_error_code(std::errc::no_space_on_device));
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

bool StagedFile::commit(std::error_code* error) {
    if (fd_ < 0) {
        report(error, std::make_error_code(std::errc::bad_file_descriptor));
        return false;
    }
    bool ok = ::fsync(fd_) == 0;
    std::error_code failure = ok ? std::error_code() : lastError();
    if (::close(fd_) != 0 && ok) {
        ok = false;
        failure = lastError();
    }
    fd_ = -1;
    if (ok && ::rename(temporary_.c_str(), final_.c_str()) != 0) {
        ok = false;
        failure = lastError();
    }
    if (!ok) {
        report(error, failure);
        discard();
        return false;
    }
    temporary_.clear();
    syncFolder(folderOf(final_));
    return true;
}

}  // namespace tq370
