#include "storage/preset_result.h"

namespace tq370 {

std::string_view presetResultMeaning(PresetResult result) {
    switch (result) {
        case PresetResult::Success:
            return "The operation succeeded.";
        case PresetResult::AlreadyExists:
            return "The file already exists; nothing was written.";
        case PresetResult::EmptyName:
            return "The file name is empty.";
        case PresetResult::CannotOpen:
            return "The file cannot be opened for reading.";
        case PresetResult::CannotCreate:
            return "The file cannot be created.";
        case PresetResult::Damaged:
            return "The file is damaged: its checksum does not match.";
    }
    return "Unknown result.";
}

}  // namespace tq370
