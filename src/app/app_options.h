#pragma once

#include <optional>
#include <string>

#include "text/language.h"
#include "transports/transport_choice.h"

namespace tq370 {

// What the command line of tq370 asks for.
struct AppOptions {
    // The link of this run; nullopt: the configured one. Never written to the configuration.
    std::optional<LinkOptions> link;
    bool demo = false;                  // the built-in simulated processor
    std::optional<Language> language;   // for this run only
    std::string screenshotPath;         // render the window there once connected, then end
    double timeoutSeconds = 60;         // how long --screenshot waits for the link
    double timeScale = 1.0;             // hidden, for tests: scales every protocol wait
    bool answerMessagesAtOnce = false;  // hidden, for tests: see MessageBoxes
    bool reportTiming = false;          // hidden, for measurements: timings on stderr
};

// The parse's verdict: go on with options, or end at once with exitCode after printing
// output (help, version: standard output; errors: standard error).
struct ParsedCommandLine {
    AppOptions options;
    std::optional<int> exitCode;
    std::string output;
    bool outputIsError = false;
};

ParsedCommandLine parseCommandLine(int argc, const char* const* argv);

constexpr int EXIT_USAGE = 2;

}  // namespace tq370
