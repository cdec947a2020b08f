#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tq370::ctl {

// Parses hex digits into bytes; spaces between bytes and a leading 0x are accepted.
// nullopt for an odd number of digits or any other character.
std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text);

// Upper-case hex bytes separated by single spaces.
std::string formatHexBytes(std::span<const std::uint8_t> bytes);

}  // namespace tq370::ctl
