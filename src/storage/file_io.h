#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace tq370 {

enum class NewFileOutcome { Written, Exists, Failed };

// Creates path, never replacing anything already there, writes all bytes and syncs them
// to disk. On Failed no file is left behind, and error (when given) says why.
NewFileOutcome writeNewFile(const std::string& path, std::span<const std::uint8_t> bytes,
                            std::error_code* error = nullptr);

// Writes bytes to a temporary file in path's folder, syncs it and renames it over path,
// so path holds either its old or its new content, never a part. False on any failure,
// with the temporary file removed and error (when given) saying why.
bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 std::error_code* error = nullptr);

enum class ReadOutcome { Read, CannotOpen, TooLarge };

struct FileContents {
    ReadOutcome outcome = ReadOutcome::CannotOpen;
    std::vector<std::uint8_t> bytes;
    std::error_code error;  // why it could not be opened or read, when the system said
};

// Reads a regular file of at most maxBytes. Anything that is not a regular file (a folder,
// a pipe, a device) is CannotOpen, so a read never blocks.
FileContents readWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace tq370
