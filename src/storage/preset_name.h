#pragma once

#include <string>
#include <string_view>

namespace tq370 {

inline constexpr std::string_view PRESET_EXTENSION = ".mxb";

// Appends ".mxb" unless the name contains it anywhere (a case-sensitive substring test,
// so "a.mxb.old" keeps its name and "A.MXB" becomes "A.MXB.mxb").
inline std::string withPresetExtension(std::string_view name) {
    std::string result(name);
    if (result.find(PRESET_EXTENSION) == std::string::npos) result += PRESET_EXTENSION;
    return result;
}

}  // namespace tq370
