#pragma once

#include <CLI/CLI.hpp>

namespace tq370::ctl {

// Exit codes shared by every command.
constexpr int EXIT_OK = 0;
constexpr int EXIT_LINK_ERROR = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_FILE_ERROR = 3;

// Thrown from a command's callback for a usage error found after parsing (a malformed
// hex string, say); main turns it into exit code 2 with a one-line message.
struct UsageError : CLI::ValidationError {
    explicit UsageError(const std::string& message) : CLI::ValidationError(message) {}
};

// Each command file adds its subcommands; a callback stores its exit code in exitCode.
void addCrcCommands(CLI::App& app, int& exitCode);
void addResponseCommands(CLI::App& app, int& exitCode);

}  // namespace tq370::ctl
