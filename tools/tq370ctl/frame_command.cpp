#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "command.h"
#include "hex.h"
#include "link/frame.h"

namespace tq370::ctl {
namespace {

// A command code in decimal or with a 0x prefix in hex, 0..255.
std::optional<std::uint8_t> parseCommandCode(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

void addFrameCommands(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("frame", "Print the link frame of a command and its payload");
    auto code = std::make_shared<std::string>();
    auto hex = std::make_shared<std::string>();
    cmd->add_option("CMD", *code, "command code, decimal or 0x hex (0..255)")->required();
    cmd->add_option("HEX", *hex, "payload bytes as hex digits, e.g. 0764");
    cmd->callback([code, hex, &exitCode] {
        auto command = parseCommandCode(*code);
        if (!command) throw UsageError("CMD must be a number from 0 to 255 (decimal or 0x hex)");
        auto payload = parseHexBytes(*hex);
        if (!payload) throw UsageError("HEX must be an even number of hex digits");
        std::printf("%s\n", formatHexBytes(buildFrame(*command, *payload)).c_str());
        exitCode = EXIT_OK;
    });
}

const CommandRegistration registration{"frame", addFrameCommands};

}  // namespace

}  // namespace tq370::ctl
