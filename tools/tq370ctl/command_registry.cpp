#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "command.h"

namespace tq370::ctl {
namespace {

// A function-local static, so registration works whatever order the files initialise in.
std::vector<std::pair<std::string, CommandAdder>>& registry() {
    static std::vector<std::pair<std::string, CommandAdder>> commands;
    return commands;
}

}  // namespace

CommandRegistration::CommandRegistration(const char* name, CommandAdder adder) {
    registry().emplace_back(name, adder);
}

void addRegisteredCommands(CLI::App& app, int& exitCode) {
    auto commands = registry();
    std::sort(commands.begin(), commands.end());
    for (const auto& [name, adder] : commands) adder(app, exitCode);
}

}  // namespace tq370::ctl
