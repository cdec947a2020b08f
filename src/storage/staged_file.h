#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <system_error>

namespace tq370 {

// A file written under a temporary name beside its final one and put in place only once it
// is complete, so the final name holds either what was there before or the whole new file.
// The temporary file is always a new one (never an existing file, never through a link);
// an uncommitted file is removed when the object goes. Move-only; one thread at a time.
class StagedFile {
public:
    // The temporary file for finalPath with the given permissions; nullopt (and error) when
    // the folder takes no new file.
    static std::optional<StagedFile> create(const std::string& finalPath,
                                            std::error_code* error = nullptr, unsigned mode = 0666);
    ~StagedFile();
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Appends bytes; false (and error) when they could not all be written.
    bool write(std::span<const std::uint8_t> bytes, std::error_code* error = nullptr);
    // Syncs the file and renames it over the final name (a link there is replaced, not
    // followed); false (and error, the temporary file removed) on failure.
    bool commit(std::error_code* error = nullptr);

    const std::string& temporaryPath() const { return temporary_; }

private:
    StagedFile(int fd, std::string temporary, std::string finalPath);
    void discard();

    int fd_ = -1;
    std::string temporary_;
    std::string final_;
};

}  // namespace tq370
