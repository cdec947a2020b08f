#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tq370 {

// An initialisation file kept line by line, so that changing one key leaves every other
// line (comments, other sections, blank lines, their order) exactly as it was. Section
// and key names match without regard to ASCII case; lines starting with ';' or '#' are
// comments.
class IniDocument {
public:
    static IniDocument parse(std::string_view text);

    // The value of the first matching key, trimmed, one pair of enclosing quotes removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the key's line, or adds the key at the end of its section, or adds the
    // section at the end. Names and values must be storable (see isStorable).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // False for what cannot be stored in one line: line breaks, an '=' or ']' in a name,
    // an empty key.
    static bool isStorable(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

private:
    std::vector<std::string> lines_;  // without their line ends
    std::string lineEnd_ = "\n";
};

}  // namespace tq370
