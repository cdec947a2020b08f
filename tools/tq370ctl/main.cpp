#include <cstdio>

#include "command.h"

int main(int argc, char** argv) {
    using namespace tq370::ctl;
    CLI::App app{"tq370ctl: command-line tool for the TQ-R480 processor and its files"};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Show help for every command");

    int exitCode = EXIT_OK;
    addCrcCommands(app, exitCode);
    addResponseCommands(app, exitCode);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "tq370ctl: %s\n", e.what());
        return EXIT_USAGE;
    }
    return exitCode;
}
