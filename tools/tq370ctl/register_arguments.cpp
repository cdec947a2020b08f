#include "register_arguments.h"

#include <charconv>

#include "command.h"
#include "link/register_table.h"

namespace tq370::ctl {

std::optional<int> parseNumber(std::string_view text, int max) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    // from_chars takes a minus sign, so "-0" would pass as 0.
    if (text.empty() || text[0] == '-') return std::nullopt;
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number, base);
    if (ec != std::errc{} || ptr != end || number < 0 || number > max) {
        return std::nullopt;
    }
    return number;
}

RegisterValue parsePair(const std::string& arg) {
    const auto eq = arg.find('=');
    if (eq == std::string::npos) throw UsageError("expected REG=VALUE, got '" + arg + "'");
    const std::string_view text(arg);
    const auto reg = parseNumber(text.substr(0, eq), LAST_REGISTER);
    if (!reg) throw UsageError("'" + arg + "': REG must be a register number 0..1900");
    const auto value = parseNumber(text.substr(eq + 1), 0xFFFF);
    if (!value) throw UsageError("'" + arg + "': VALUE must be a number 0..65535");
    return {*reg, *value};
}

int parseRegister(const std::string& arg) {
    const auto reg = parseNumber(arg, LAST_REGISTER);
    if (!reg) throw UsageError("'" + arg + "': REG must be a register number 0..1900");
    return *reg;
}

}  // namespace tq370::ctl
