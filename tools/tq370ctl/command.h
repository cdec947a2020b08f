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

// Adds one command's subcommands to app; a callback stores its exit code in exitCode.
using CommandAdder = void (*)(CLI::App& app, int& exitCode);

// A command file registers its adder with a namespace-scope object:
//     const CommandRegistration registration{"crc16", addCrcCommands};
// main adds the registered commands in name order, so help lists them alphabetically.
struct CommandRegistration {
    CommandRegistration(const char* name, CommandAdder adder);
};

void addRegisteredCommands(CLI::App& app, int& exitCode);

}  // namespace tq370::ctl
