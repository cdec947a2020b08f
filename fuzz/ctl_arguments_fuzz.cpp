// tq370ctl's readings of register/value pairs, register numbers and hex bytes, against a
// plain reading of their grammar: a number is decimal digits, or 0x and hex digits,
// within the range and nothing else (no sign, no space); a pair is two of them around
// the first '='; hex is digits and spaces after an optional 0x, an even count of digits.
// Formatted hex reads back as the same bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "command.h"
#include "hex.h"
#include "params/register_numbers.h"
#include "register_arguments.h"

namespace {

using namespace tq370::ctl;
using tq370::LAST_REGISTER;

std::optional<std::uint64_t> plainNumber(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        unsigned digit;
        if (std::isdigit(u)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && std::isxdigit(u)) {
            digit = static_cast<unsigned>(std::tolower(u) - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = std::min<std::uint64_t>(value * base + digit, 1ull << 40);
    }
    return value;
}

std::optional<int> expectedNumber(std::string_view text, int max) {
    const auto value = plainNumber(text);
    if (!value || *value > static_cast<std::uint64_t>(max)) return std::nullopt;
    return static_cast<int>(*value);
}

void checkPair(const std::string& arg) {
    std::optional<RegisterValue> parsed;
    try {
        parsed = parsePair(arg);
    } catch (const UsageError&) {
    }
    const auto eq = arg.find('=');
    std::optional<int> reg;
    std::optional<int> value;
    if (eq != std::string::npos) {
        reg = expectedNumber(std::string_view(arg).substr(0, eq), LAST_REGISTER);
        value = expectedNumber(std::string_view(arg).substr(eq + 1), 0xFFFF);
    }
    const bool valid = reg && value;
    if (valid != parsed.has_value()) std::abort();
    if (parsed && (parsed->reg != *reg || parsed->value != *value)) std::abort();
}

void checkRegister(const std::string& arg) {
    std::optional<int> parsed;
    try {
        parsed = parseRegister(arg);
    } catch (const UsageError&) {
    }
    if (parsed != expectedNumber(arg, LAST_REGISTER)) std::abort();
}

void checkHex(const std::string& text) {
    const auto bytes = parseHexBytes(text);
    std::string_view rest(text);
    if (rest.starts_with("0x") || rest.starts_with("0X")) rest.remove_prefix(2);
    std::string digits;
    bool valid = true;
    for (char c : rest) {
        if (c == ' ') continue;
        valid = valid && std::isxdigit(static_cast<unsigned char>(c));
        digits.push_back(c);
    }
    valid = valid && digits.size() % 2 == 0;
    if (valid != bytes.has_value()) std::abort();
    if (!bytes) return;
    if (bytes->size() * 2 != digits.size()) std::abort();
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        if (plainNumber("0x" + digits.substr(2 * i, 2)) != (*bytes)[i]) std::abort();
    }
    if (parseHexBytes(formatHexBytes(*bytes)) != bytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string arg(reinterpret_cast<const char*>(data), size);
    checkPair(arg);
    checkRegister(arg);
    checkHex(arg);
    return 0;
}
