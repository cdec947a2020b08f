#include "storage/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "storage/staged_file.h"

namespace tq370 {
namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

void report(std::error_code* error, std::error_code value) {
    if (error) *error = value;
}

}  // namespace

NewFileOutcome writeNewFile(const std::string& path, std::span<const std::uint8_t> bytes,
                            std::error_code* error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        report(error, lastSystemError());
        return errno == EEXIST ? NewFileOutcome::Exists : NewFileOutcome::Failed;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    std::error_code failure = ok ? std::error_code() : lastSystemError();
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = lastSystemError();
    }
    if (!ok) {
        ::unlink(path.c_str());
        // A short write without an error code is a full disk.
        report(error, failure ? failure : std::make_error_code(std::errc::no_space_on_device));
        return NewFileOutcome::Failed;
    }
    return NewFileOutcome::Written;
}

bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 std::error_code* error) {
    std::optional<StagedFile> staged = StagedFile::create(path, error);
    return staged && staged->write(bytes, error) && staged->commit(error);
}

FileContents readWholeFile(const std::string& path, std::size_t maxBytes) {
    FileContents result;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = lastSystemError();
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = S_ISDIR(info.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                             : std::make_error_code(std::errc::invalid_argument);
        ::close(fd);
        return result;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        ::close(fd);
        result.outcome = ReadOutcome::TooLarge;
        return result;
    }
    // The size is only a hint: the file may change while it is read, so the limit is
    // enforced on what arrives as well.
    result.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled > maxBytes) break;
            result.bytes.resize(std::min(filled * 2, maxBytes + 1));
        }
        ssize_t n = ::read(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.error = lastSystemError();
            ::close(fd);
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (filled > maxBytes) {
        result.bytes.clear();
        result.outcome = ReadOutcome::TooLarge;
        return result;
    }
    result.bytes.resize(filled);
    result.outcome = ReadOutcome::Read;
    return result;
}

}  // namespace tq370
