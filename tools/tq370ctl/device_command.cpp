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
#include "storage/file_io.h"
#include "storage/preset_file.h"
#include "storage/preset_layout.h"
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
        const char* kind = device.options().usb ? "usb" : device.options().wifi ? "wifi" : "serial";
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

// A private folder for a job's file, removed with what is in it however the command ends.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tq370ctl-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Puts the preset the job saved at source where the user asked, in one step: a new file,
// or with replace a file that takes the place of the old one only once it is complete.
bool placePreset(const std::string& source, const fs::path& target, bool replace) {
    FileContents saved = readWholeFile(source, PRESET_MAX_FILE_BYTES);
    std::error_code error = saved.error;
    bool placed = false;
    if (saved.outcome == ReadOutcome::Read) {
        if (replace) {
            placed = replaceFile(target.string(), saved.bytes, &error);
        } else {
            NewFileOutcome made = writeNewFile(target.string(), saved.bytes, &error);
            placed = made == NewFileOutcome::Written;
            if (made == NewFileOutcome::Exists)
                error = std::make_error_code(std::errc::file_exists);
        }
    }
    if (!placed) {
        std::fprintf(stderr, "tq370ctl: cannot write %s: %s\n", target.c_str(),
                     error ? error.message().c_str() : "the saved preset could not be read");
    }
    return placed;
}

void addRead(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("read", "Read the processor's settings into a preset file");
    const DeviceOptions& options = addDeviceCommand(app, *cmd);
    auto output = std::make_shared<std::string>();
    auto force = std::make_shared<bool>(false);
    cmd->add_option("-o,--output", *output,
                    "the preset to write (.mxb appended unless contained); a bare name goes to "
                    "the data folder, a path is taken as given")
        ->required();
    cmd->add_flag("--force", *force, "replace a preset of that name (default: refuse)");
    cmd->callback([&options, output, force, &exitCode] {
        const bool bare = output->find('/') == std::string::npos;
        const fs::path target = withPresetExtension(*output);
        if (!bare && !fs::is_directory(target.parent_path().empty() ? "." : target.parent_path())) {
            std::fprintf(stderr, "tq370ctl: %s: the folder does not exist\n", output->c_str());
            exitCode = EXIT_FILE_ERROR;
            return;
        }
        std::error_code ignored;
        if (!bare && !*force &&
            fs::symlink_status(target, ignored).type() != fs::file_type::not_found) {
            std::fprintf(stderr, "tq370ctl: %s: the file exists already (--force replaces it)\n",
                         target.c_str());
            exitCode = EXIT_FILE_ERROR;
            return;
        }
        // The job saves under the data folder; a path is saved in a private one first.
        std::optional<ScratchFolder> scratch;
        std::optional<DeviceLink> device;
        if (bare) {
            device.emplace(options);
        } else {
            scratch.emplace();
            if (scratch->path().empty()) {
                std::fprintf(stderr, "tq370ctl: no temporary folder\n");
                exitCode = EXIT_FILE_ERROR;
                return;
            }
            device.emplace(options, DataFolders(scratch->path(), scratch->path() + "fallback/"));
        }
        const std::string name = bare ? *output : "read";
        if (!connected(*device, exitCode)) return;
        const bool replace = *force || !bare;  // a path was checked above, before connecting
        auto outcome = device->runJob(
            [&](LinkEngine& engine) { return engine.requestSaveToFile(name, replace); });
        device->stop();
        exitCode = finishJob(outcome);
        if (exitCode == EXIT_OK && !bare && !placePreset(outcome->path, target, *force)) {
            exitCode = EXIT_FILE_ERROR;
        }
        if (exitCode == EXIT_OK) std::printf("%s\n", bare ? outcome->path.c_str() : target.c_str());
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
