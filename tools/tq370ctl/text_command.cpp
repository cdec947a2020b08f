#include <cstdio>
#include <map>
#include <string>

#include "command.h"
#include "platform/system_locale.h"
#include "text/startup_language.h"
#include "text/string_table.h"

namespace tq370::ctl {

namespace {

const std::map<std::string, Language> LANGUAGE_OPTIONS = {
    {"zh-CN", Language::SimplifiedChinese},
    {"zh-TW", Language::TraditionalChinese},
    {"en", Language::English},
};

void addTextCommands(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("text", "Print one entry of the UI string table");
    auto entry = std::make_shared<std::string>();
    auto lang = std::make_shared<std::string>();
    cmd->add_option("N", *entry, "entry number, 0 to " + std::to_string(TEXT_ENTRY_COUNT - 1))
        ->required();
    cmd->add_option("--lang", *lang,
                    "zh-CN, zh-TW or en; default: the language the system locale starts in")
        ->check(CLI::IsMember(LANGUAGE_OPTIONS));
    cmd->callback([entry, lang, &exitCode] {
        // Digits only: an empty or signed number is not an entry.
        const bool digits = !entry->empty() && entry->size() <= 3 &&
                            entry->find_first_not_of("0123456789") == std::string::npos;
        auto texts = digits ? findTextEntry(std::stoi(*entry)) : std::nullopt;
        if (!texts) {
            throw UsageError("N must be an entry number from 0 to " +
                             std::to_string(TEXT_ENTRY_COUNT - 1));
        }
        Language language = lang->empty()
                                ? chooseStartupLanguage(NO_STORED_LANGUAGE, systemLocaleId())
                                : LANGUAGE_OPTIONS.at(*lang);
        std::string_view shown = texts->in(language);
        std::fwrite(shown.data(), 1, shown.size(), stdout);
        std::fputc('\n', stdout);
        exitCode = EXIT_OK;
    });
}

const CommandRegistration registration{"text", addTextCommands};

}  // namespace

}  // namespace tq370::ctl
