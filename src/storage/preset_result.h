#pragma once

#include <string_view>

namespace tq370 {

// Result codes of the preset file operations; the numbers are shown to users and kept.
enum class PresetResult : int {
    Success = 0,
    AlreadyExists = 1,  // nothing written
    EmptyName = 2,
    CannotOpen = 4,    // the file cannot be opened for reading
    CannotCreate = 5,  // the file cannot be created or written
    Damaged = 6,       // checksum mismatch, truncated or oversized file
};

// A short English sentence saying what the code means.
std::string_view presetResultMeaning(PresetResult result);

}  // namespace tq370
