#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tq370 {

// A text of the program's own lists with its printf placeholders filled in. Only for
// formats this program wrote, whose placeholders the caller knows.
template <typename... Args>
std::string formatText(std::string_view format, Args... args) {
    const std::string pattern(format);
    const int size = std::snprintf(nullptr, 0, pattern.c_str(), args...);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern.c_str(), args...);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

}  // namespace tq370
