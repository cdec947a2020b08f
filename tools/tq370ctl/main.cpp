#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "command.h"
#include "device_link.h"
#include "platform/program_version.h"

namespace {

using namespace tq370::ctl;

bool isCommand(CLI::App& app, std::string_view word) {
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        if (command->check_name(std::string(word))) return true;
    }
    return false;
}

// When no command could be found: the first word that is neither a command nor a known
// option (with its value), named in the error instead of "a subcommand is required".
std::string unknownWord(CLI::App& app, int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg.size() > 1 && arg[0] == '-') {
            const std::string name(arg.substr(0, arg.find('=')));
            const CLI::Option* option = app.get_option_no_throw(name);
            if (!option) return "unknown option " + name;
            // An option's value is the next word unless it came with '='.
            const bool takesValue = option->get_items_expected_max() > 0;
            const bool valueNext = takesValue && arg.find('=') == std::string_view::npos;
            if (valueNext && k + 1 < argc && !isCommand(app, argv[k + 1])) ++k;
            continue;
        }
        if (!isCommand(app, arg)) {
            return "unknown command '" + std::string(arg) + "' (tq370ctl --help lists them)";
        }
        return {};
    }
    return {};
}

// Output that could not be written is a failure, never a silent success.
int checkedOutput(int exitCode) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return exitCode;
    std::fprintf(stderr, "tq370ctl: cannot write the output: %s\n", std::strerror(errno));
    return EXIT_FILE_ERROR;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"tq370ctl: command-line tool for the TQ-R480 processor and its files"};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Show help for every command");
    app.set_version_flag("--version", tq370::programVersionText("tq370ctl"));

    int exitCode = EXIT_OK;
    addRegisteredCommands(app, exitCode);

    if (auto problem = emptyWifiAddress(argc, argv)) {
        std::fprintf(stderr, "tq370ctl: %s\n", problem->c_str());
        return EXIT_USAGE;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return checkedOutput(app.exit(e));
    } catch (const CLI::CallForAllHelp& e) {
        return checkedOutput(app.exit(e));
    } catch (const CLI::CallForVersion& e) {
        return checkedOutput(app.exit(e));
    } catch (const CLI::ParseError& e) {
        const std::string word = app.get_subcommands().empty() ? unknownWord(app, argc, argv) : "";
        std::fprintf(stderr, "tq370ctl: %s\n", word.empty() ? e.what() : word.c_str());
        return EXIT_USAGE;
    }
    return checkedOutput(exitCode);
}
