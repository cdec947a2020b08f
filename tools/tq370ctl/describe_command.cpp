#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "link/register_table.h"
#include "register_description.h"

namespace tq370::ctl {
namespace {

struct RegisterValue {
    int reg = 0;
    int value = 0;
};

// A whole decimal number, or hex with 0x, within 0..max.
std::optional<int> parseNumber(std::string_view text, int max) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number, base);
    if (text.empty() || ec != std::errc{} || ptr != end || number < 0 || number > max) {
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

void addDescribeCommands(CLI::App& app, int& exitCode) {
    auto* cmd =
        app.add_subcommand("describe", "Name the parameter of each register and decode its value");
    auto pairs = std::make_shared<std::vector<std::string>>();
    auto lang = std::make_shared<std::string>("en");
    cmd->add_option("REG=VALUE", *pairs, "register number and value, e.g. 181=560 or 32=0x6401")
        ->required();
    const std::map<std::string, Language> languages = {
        {"zh-CN", Language::SimplifiedChinese},
        {"zh-TW", Language::TraditionalChinese},
        {"en", Language::English}};
    cmd->add_option("--lang", *lang, "language of the labels: zh-CN, zh-TW or en")
        ->check(CLI::IsMember({"zh-CN", "zh-TW", "en"}));
    cmd->callback([pairs, lang, languages, &exitCode] {
        // Check every argument before printing anything, so that a bad one yields only
        // the error line.
        std::vector<RegisterValue> parsed;
        for (const std::string& arg : *pairs) parsed.push_back(parsePair(arg));
        for (const RegisterValue& rv : parsed) {
            std::printf("%s\n", describeRegister(rv.reg, rv.value, languages.at(*lang)).c_str());
        }
        exitCode = EXIT_OK;
    });
}

const CommandRegistration registration{"describe", addDescribeCommands};

}  // namespace

}  // namespace tq370::ctl
