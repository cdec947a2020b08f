#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "link/register_table.h"
#include "register_arguments.h"
#include "register_description.h"

namespace tq370::ctl {
namespace {

void addDescribeCommands(CLI::App& app, int& exitCode) {
    auto* cmd =
        app.add_subcommand("describe", "Name the parameter of each register and decode its value");
    auto pairs = std::make_shared<std::vector<std::string>>();
    auto lang = std::make_shared<std::string>("en");
    cmd->add_option("REG=VALUE", *pairs, "register number and value, e.g. 181=560 or 32=0x6401")
        ->required();
    const std::map<std::string, Language> languages = {{"zh-CN", Language::SimplifiedChinese},
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
