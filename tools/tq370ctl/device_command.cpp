#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "command.h"
#include "device_link.h"
#include "job_reason.h"
#include "register_arguments.h"
#include "storage/preset_file.h"
#include "storage/preset_name.h"

namespace tq370::ctl {
namespace {

namespace fs = std::filesystem;
constexpr auto RELAXED = std::memory_order_relaxed;

// Ends a job command: its exit code, and the reason on standard error when it failed.
int finishJob(const std::optional<JobOutcome>& outcome) {
    if (!outcome) return EXIT_LINK_ERROR;
    if (!outcome->succeeded()) {
        std::fprintf(stderr, "tq370ctl: %s\n", jobFailureReason(*outcome).c_str());
    }
    return jobExitCode(*outcome);
}

// Connects; on failure sets exitCode and returns false.
bool connected(DeviceLink& device, int& exitCode) {
    if (device.connect()) return true;
    exitCode = EXIT_LINK_ERROR;
    return false;
}

void addInfo(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("info", "Show the processor's model, current mode and link");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto json = std::make_shared<bool>(false);
    cmd->add_flag("--json", *json, "print one JSON object");
    cmd->callback([&options, json, &exitCode] {
        DeviceLink device(options);
        if (!connected(device, exitCode)) return;
        const int model = device.link().deviceModelId.load(RELAXED);
        const int mode = device.link().registers.getRegister(REG_MODE_CURRENT) & 0xFF;
        const std::string port = device.portPath();
        const char* kind = options.usb ? "usb" : options.wifi ? "wifi" : "serial";
        if (*json) {
            nlohmann::ordered_json out{
                {"model", model}, {"mode", mode}, {"link", kind}, {"port", port}};
            std::printf("%s\n", out.dump().c_str());
        } else {
            std::printf("model %d\nmode %d\nlink %s\nport %s\n", model, mode, kind, port.c_str());
        }
        exitCode = EXIT_OK;
    });
}

void addRead(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("read", "Read the processor's settings into a preset file");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto output = std::make_shared<std::string>();
    cmd->add_option("-o,--output", *output,
                    "the preset to write (.mxb appended unless contained); a bare name goes to "
                    "the data folder, a path is taken as given")
        ->required();
    cmd->callback([&options, output, &exitCode] {
        const bool bare = output->find('/') == std::string::npos;
        const fs::path target = withPresetExtension(*output);
        if (!bare && !fs::is_directory(target.parent_path().empty() ? "." : target.parent_path())) {
            std::fprintf(stderr, "tq370ctl: %s: the folder does not exist\n", output->c_str());
            exitCode = EXIT_FILE_ERROR;
            return;
        }
        // The job saves under the data folder; a path is saved in a private one first.
        std::string scratch;
        std::optional<DeviceLink> device;
        if (bare) {
            device.emplace(options);
        } else {
            char pattern[] = "/tmp/tq370ctl-XXXXXX";
            if (!mkdtemp(pattern)) {
                std::fprintf(stderr, "tq370ctl: no temporary folder\n");
                exitCode = EXIT_FILE_ERROR;
                return;
            }
            scratch = pattern;
            device.emplace(options, DataFolders(scratch + "/", scratch + "/fallback/"));
        }
        const std::string name = bare ? *output : "read";
        if (!connected(*device, exitCode)) return;
        auto outcome =
            device->runJob([&](LinkEngine& engine) { return engine.requestSaveToFile(name); });
        device->stop();
        exitCode = finishJob(outcome);
        if (exitCode == EXIT_OK && !bare) {
            // The job saved in the private folder; the file goes where the user asked.
            std::error_code error;
            fs::rename(outcome->path, target, error);
            if (error)
                fs::copy_file(outcome->path, target, fs::copy_options::overwrite_existing, error);
            if (error) {
                std::fprintf(stderr, "tq370ctl: %s: %s\n", target.c_str(), error.message().c_str());
                exitCode = EXIT_FILE_ERROR;
            }
        }
        if (exitCode == EXIT_OK) std::printf("%s\n", bare ? outcome->path.c_str() : target.c_str());
        if (!scratch.empty()) fs::remove_all(scratch);
    });
}

void addUpload(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("upload", "Write a preset file's settings into the processor");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "the preset (bare names are also looked for in the data folder)")
        ->required();
    cmd->callback([&options, path, &exitCode] {
        DeviceLink device(options);
        PresetFile preset;
        PresetResult result = preset.loadData(DataFolders::forRunningProgram(), *path);
        if (result != PresetResult::Success) {
            std::fprintf(stderr, "tq370ctl: %s: %s\n", path->c_str(),
                         std::string(presetResultMeaning(result)).c_str());
            exitCode = EXIT_FILE_ERROR;
            return;
        }
        if (!connected(device, exitCode)) return;
        exitCode = finishJob(
            device.runJob([&](LinkEngine& engine) { return engine.requestUpload(*path); }));
    });
}

void addGet(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("get", "Print registers as read back from the processor");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto regs = std::make_shared<std::vector<std::string>>();
    auto json = std::make_shared<bool>(false);
    cmd->add_option("REG", *regs, "register numbers 0..1900")->required();
    cmd->add_flag("--json", *json, "print one JSON object, register numbers as keys");
    cmd->callback([&options, regs, json, &exitCode] {
        std::vector<int> numbers;
        for (const std::string& r : *regs) numbers.push_back(parseRegister(r));
        DeviceLink device(options);
        if (!connected(device, exitCode)) return;
        // Only what the processor sent is printed, never a value the program made up.
        const ReadBackReport read = device.link().lastReadBack();
        if (!read.complete()) {
            std::fprintf(stderr, "tq370ctl: the read-back is incomplete: %s\n",
                         missingRegisters(read.missing).c_str());
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        nlohmann::ordered_json out = nlohmann::ordered_json::object();
        for (int reg : numbers) {
            const int value = device.link().registers.getRegister(reg);
            if (*json) {
                out[std::to_string(reg)] = value;
            } else {
                std::printf("%d %d\n", reg, value);
            }
        }
        if (*json) std::printf("%s\n", out.dump().c_str());
        exitCode = EXIT_OK;
    });
}

void addSet(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand(
        "set",
        "Write registers and wait until the processor has acknowledged each. A register the "
        "link gives up on (11 unanswered sends, or a write a reconnect dropped) is named and "
        "the exit code is 1, also when a read-back after a reconnect shows it stored");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto pairs = std::make_shared<std::vector<std::string>>();
    cmd->add_option("REG=VALUE", *pairs, "register and value, e.g. 300=1234 or 32=0x6401")
        ->required();
    cmd->callback([&options, pairs, &exitCode] {
        std::vector<RegisterValue> writes;
        for (const std::string& p : *pairs) writes.push_back(parsePair(p));
        DeviceLink device(options);
        if (!connected(device, exitCode)) return;
        RegisterTable& table = device.link().registers;
        for (const RegisterValue& w : writes) table.setRegister(w.reg, w.value);
        // Each write ends acknowledged or given up by the engine (after its last unanswered
        // send, or when a reconnect dropped it); a given-up one is named.
        auto settled = [&] {
            for (const RegisterValue& w : writes) {
                if (table.isWritePending(w.reg)) return false;
            }
            return true;
        };
        if (!device.waitThroughReconnects(settled)) {
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        exitCode = EXIT_OK;
        const std::set<int> givenUp = device.host().givenUpRegisters();
        for (const RegisterValue& w : writes) {
            if (givenUp.count(w.reg) == 0) continue;
            exitCode = EXIT_LINK_ERROR;
            // After a reconnect the table holds what the read-back found in the processor.
            if (device.host().connections() > 1 && table.getRegister(w.reg) == w.value) {
                std::fprintf(stderr,
                             "tq370ctl: register %d was not acknowledged (stored, as a "
                             "read-back since shows)\n",
                             w.reg);
            } else {
                std::fprintf(stderr, "tq370ctl: register %d was not acknowledged\n", w.reg);
            }
        }
    });
}

void addModes(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("modes", "List the processor's 16 modes by number and name");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto json = std::make_shared<bool>(false);
    cmd->add_flag("--json", *json, "print one JSON array of {mode, name}");
    cmd->callback([&options, json, &exitCode] {
        DeviceLink device(options);
        device.collectModeNames();
        if (!connected(device, exitCode)) return;
        nlohmann::ordered_json out = nlohmann::ordered_json::array();
        exitCode = EXIT_OK;
        for (int mode = 1; mode <= MODE_COUNT; ++mode) {
            auto name = device.modeName(mode);
            if (!name) {
                std::fprintf(stderr, "tq370ctl: the name of mode %d did not arrive\n", mode);
                exitCode = EXIT_LINK_ERROR;
                continue;
            }
            if (*json) {
                out.push_back({{"mode", mode}, {"name", *name}});
            } else {
                std::printf("%d %s\n", mode, name->c_str());
            }
        }
        if (*json) std::printf("%s\n", out.dump().c_str());
    });
}

void addRecall(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("recall", "Make mode N the processor's current settings");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto mode = std::make_shared<int>(0);
    cmd->add_option("N", *mode, "mode 1..16")->required()->check(CLI::Range(1, MODE_COUNT));
    cmd->callback([&options, mode, &exitCode] {
        DeviceLink device(options);
        if (!connected(device, exitCode)) return;
        exitCode = finishJob(
            device.runJob([&](LinkEngine& engine) { return engine.requestRecall(*mode); }));
    });
}

void addSaveMode(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("save-mode", "Store the current settings as mode N named NAME");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto mode = std::make_shared<int>(0);
    auto name = std::make_shared<std::string>();
    cmd->add_option("N", *mode, "mode 1..16")->required()->check(CLI::Range(1, MODE_COUNT));
    cmd->add_option("NAME", *name, "up to 20 printable ASCII characters")->required();
    cmd->callback([&options, mode, name, &exitCode] {
        for (char c : *name) {
            if (c < 0x20 || c > 0x7E) throw UsageError("NAME must be printable ASCII");
        }
        if (name->size() > MODE_NAME_SENT) throw UsageError("NAME has more than 20 characters");
        DeviceLink device(options);
        if (!connected(device, exitCode)) return;
        const std::u16string wide(name->begin(), name->end());
        exitCode = finishJob(
            device.runJob([&](LinkEngine& engine) { return engine.requestSaveMode(*mode, wide); }));
    });
}

void addDeviceCommands(CLI::App& app, int& exitCode) {
    addInfo(app, exitCode);
    addRead(app, exitCode);
    addUpload(app, exitCode);
    addGet(app, exitCode);
    addSet(app, exitCode);
    addModes(app, exitCode);
    addRecall(app, exitCode);
    addSaveMode(app, exitCode);
}

const CommandRegistration registration{"device", addDeviceCommands};

}  // namespace
}  // namespace tq370::ctl
