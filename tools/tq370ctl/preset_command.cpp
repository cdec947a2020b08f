#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>

#include "command.h"
#include "link/processor_identity.h"
#include "link/register_table.h"
#include "storage/preset_file.h"
#include "storage/preset_name.h"

namespace tq370::ctl {
namespace {

// The start of a line as an error message quotes it: a line of any length, shortened.
std::string quotedStart(const std::string& line) {
    constexpr std::size_t SHOWN = 60;
    return line.size() <= SHOWN ? line : line.substr(0, SHOWN) + "...";
}

static_assert(PRESET_REGISTER_COUNT == static_cast<std::size_t>(REGISTER_COUNT));

// The one processor model the link accepts; new presets are made for it by default.
constexpr std::int32_t DEFAULT_MODEL = ACCEPTED_MODEL;

int reportFailure(PresetResult result, const std::string& path) {
    std::string meaning(presetResultMeaning(result));
    if (path.empty()) {
        std::fprintf(stderr, "tq370ctl: %s\n", meaning.c_str());
    } else {
        std::fprintf(stderr, "tq370ctl: %s: %s\n", path.c_str(), meaning.c_str());
    }
    return EXIT_FILE_ERROR;
}

void printText(const PresetFile& file) {
    const PresetHeader& h = file.header();
    std::printf("model %d\nregisters %d\nheader %d\npassword %d\nsaved %s\n", h.modelCode,
                h.registerCount, h.headerSize, h.passwordFlag, file.fileTime().toString().c_str());
    for (std::size_t reg = 0; reg < file.values().size(); ++reg) {
        std::printf("%zu %d\n", reg, file.values()[reg]);
    }
}

void printJson(const PresetFile& file) {
    const PresetHeader& h = file.header();
    nlohmann::ordered_json out;
    out["model"] = h.modelCode;
    out["registers"] = file.values();
    out["header"] = h.headerSize;
    out["password"] = h.passwordFlag;
    out["saved"] = file.fileTime().toString();
    std::printf("%s\n", out.dump().c_str());
}

std::optional<long> parseNumber(std::istringstream& in) {
    std::string token;
    if (!(in >> token)) return std::nullopt;
    std::size_t used = 0;
    try {
        long value = std::stol(token, &used, 10);
        if (used == token.size()) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// Applies "REG VALUE" lines; blank lines and lines starting with '#' are skipped.
void applyEdits(std::istream& input, std::array<std::int32_t, REGISTER_COUNT>& values) {
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        std::istringstream fields(line);
        std::string first;
        if (!(std::istringstream(line) >> first) || first.front() == '#') continue;
        auto reg = parseNumber(fields);
        auto value = parseNumber(fields);
        std::string rest;
        bool valid = reg && value && !(fields >> rest) && *reg >= 0 && *reg <= LAST_REGISTER &&
                     *value >= 0 && *value <= 0xFFFF;
        if (!valid) {
            throw UsageError("standard input line " + std::to_string(number) +
                             ": expected \"REG VALUE\" with REG 0.." +
                             std::to_string(LAST_REGISTER) + " and VALUE 0..65535, got \"" +
                             quotedStart(line) + "\"");
        }
        values[static_cast<std::size_t>(*reg)] = static_cast<std::int32_t>(*value);
    }
}

void addShow(CLI::App& preset, int& exitCode) {
    auto* cmd =
        preset.add_subcommand("show", "Decode a preset file and print its header and registers");
    auto path = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    cmd->add_option("FILE", *path, "preset file (.mxb is appended unless the name contains it)")
        ->required();
    cmd->add_flag("--json", *json, "print one JSON object instead of text lines");
    cmd->callback([path, json, &exitCode] {
        PresetFile file;
        PresetResult result = file.readRecord(*path);
        if (result != PresetResult::Success) {
            exitCode = reportFailure(result, *path);
            return;
        }
        *json ? printJson(file) : printText(file);
        exitCode = EXIT_OK;
    });
}

void addMake(CLI::App& preset, int& exitCode) {
    auto* cmd = preset.add_subcommand(
        "make",
        "Write a new preset from the register defaults or another preset, changed by "
        "\"REG VALUE\" lines on standard input");
    auto output = std::make_shared<std::string>();
    auto model = std::make_shared<std::optional<std::int32_t>>();
    auto from = std::make_shared<std::string>();
    cmd->add_option("-o,--output", *output, "the file to write; an existing file is not replaced")
        ->required();
    cmd->add_option("--model", *model,
                    "model code to store, 0..65535 (default: that of --from, else " +
                        std::to_string(DEFAULT_MODEL) + ")")
        ->check(CLI::Range(0, 0xFFFF));
    cmd->add_option("--from", *from, "start from this preset's registers instead of the defaults");
    cmd->callback([output, model, from, &exitCode] {
        std::array<std::int32_t, REGISTER_COUNT> values = registerDefaults();
        PresetFile file;
        file.header().modelCode = DEFAULT_MODEL;
        if (!from->empty()) {
            PresetFile source;
            PresetResult result = source.readRecord(*from);
            if (result != PresetResult::Success) {
                exitCode = reportFailure(result, *from);
                return;
            }
            std::size_t count = std::min(source.values().size(), values.size());
            std::copy_n(source.values().begin(), count, values.begin());
            file.header().modelCode = source.header().modelCode;
            file.header().passwordFlag = source.header().passwordFlag;
        }
        if (*model) file.header().modelCode = **model;
        applyEdits(std::cin, values);

        PresetResult result = file.writeRecord(*output, values);
        if (result != PresetResult::Success) {
            exitCode = reportFailure(result, *output);
            return;
        }
        std::printf("%s\n", withPresetExtension(*output).c_str());
        exitCode = EXIT_OK;
    });
}

void addPresetCommands(CLI::App& app, int& exitCode) {
    auto* preset = app.add_subcommand("preset", "Show or make preset files (.mxb)");
    preset->require_subcommand(1);
    addShow(*preset, exitCode);
    addMake(*preset, exitCode);
}

const CommandRegistration registration{"preset", addPresetCommands};

}  // namespace

}  // namespace tq370::ctl
