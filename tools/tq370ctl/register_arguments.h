#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tq370::ctl {

struct RegisterValue {
    int reg = 0;
    int value = 0;
};

// A whole decimal number, or hex with 0x, within 0..max.
std::optional<int> parseNumber(std::string_view text, int max);

// "REG=VALUE" with REG 0..1900 and VALUE 0..65535; throws UsageError otherwise.
RegisterValue parsePair(const std::string& arg);

// A register number 0..1900; throws UsageError otherwise.
int parseRegister(const std::string& arg);

}  // namespace tq370::ctl
