#include <cstdio>

#include "base/crc16.h"
#include "command.h"
#include "hex.h"

namespace tq370::ctl {

namespace {

void addCrcCommands(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("crc16", "Print the link CRC-16 of some bytes");
    auto hex = std::make_shared<std::string>();
    cmd->add_option("HEX", *hex, "bytes as hex digits, e.g. 313233")->required();
    cmd->callback([hex, &exitCode] {
        auto bytes = parseHexBytes(*hex);
        if (!bytes) throw UsageError("HEX must be an even number of hex digits");
        std::printf("%04X\n", crc16(*bytes));
        exitCode = EXIT_OK;
    });
}

const CommandRegistration registration{"crc16", addCrcCommands};

}  // namespace

}  // namespace tq370::ctl
