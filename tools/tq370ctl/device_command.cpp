#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "command.h"
#include "device_link.h"
#include "link/engine_jobs.h"
#include "link/engine_texts.h"
#include "register_arguments.h"
#include "storage/preset_file.h"
#include "storage/preset_name.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370::ctl {
namespace {

namespace fs = std::filesystem;
constexpr auto RELAXED = std::memory_order_relaxed;
constexpr std::size_t MODE_NAME_BYTES = 20;

bool shown(const std::vector<PrintingLinkHost::Message>& messages, std::string_view text) {
    for (const auto& m : messages) {
        if (m.text == text) return true;
    }
    return false;
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
        device->link().jobInputs.setPresetPath(name);
        // The job names the file it wrote; this command names the one the user asked for.
        device->host().setEcho(false);
        if (!connected(*device, exitCode)) return;
        auto messages = device->runJob(JOB_SAVE_TO_FILE);
        device->stop();
        exitCode = EXIT_LINK_ERROR;
        if (messages && !shown(*messages, text(TXT_SAVE_FAILED))) {
            std::string saved;
            for (const auto& m : *messages) {
                if (m.caption == text(TXT_SAVE_SUCCESSFUL)) saved = m.text;
            }
            if (!saved.empty() && !bare) {
                std::error_code error;
                fs::rename(saved, target, error);
                if (error) {
                    fs::copy_file(saved, target, fs::copy_options::overwrite_existing, error);
                }
                if (error) {
                    std::fprintf(stderr, "tq370ctl: %s: %s\n", target.c_str(),
                                 error.message().c_str());
                    exitCode = EXIT_FILE_ERROR;
                } else {
                    saved = target.string();
                }
            }
            if (!saved.empty() && exitCode != EXIT_FILE_ERROR) {
                std::printf("%s\n", saved.c_str());
                exitCode = EXIT_OK;
            }
        }
        if (exitCode == EXIT_LINK_ERROR && messages) {
            for (const auto& m : *messages) std::fprintf(stderr, "tq370ctl: %s\n", m.text.c_str());
        }
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
        device.link().jobInputs.setPresetPath(*path);
        device.link().jobInputs.setRegisterList(uploadRegisterList());
        if (!connected(device, exitCode)) return;
        auto messages = device.runJob(JOB_UPLOAD);
        // Every message of the upload job reports a refusal or a failure.
        exitCode = messages && messages->empty() ? EXIT_OK : EXIT_LINK_ERROR;
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
        "set", "Write registers and wait until the processor has acknowledged each");
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
        // A register whose last send went out unanswered is given up, not acknowledged.
        // Unanswered writes may also take the link down; the read-back after the reconnect
        // then shows what the processor holds.
        std::vector<bool> lastSend(writes.size(), false);
        auto settled = [&] {
            bool all = true;
            for (std::size_t k = 0; k < writes.size(); ++k) {
                if (table.isWritePending(writes[k].reg)) {
                    all = false;
                    lastSend[k] = table.retryCount(writes[k].reg) >= RETRY_GIVE_UP_AT;
                }
            }
            return all;
        };
        if (!device.waitThroughReconnects(settled)) {
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        exitCode = EXIT_OK;
        for (std::size_t k = 0; k < writes.size(); ++k) {
            if (lastSend[k] || table.getRegister(writes[k].reg) != writes[k].value) {
                std::fprintf(stderr, "tq370ctl: register %d was not acknowledged\n", writes[k].reg);
                exitCode = EXIT_LINK_ERROR;
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
        device.link().registers.setRegister(REG_MODE_COMMAND, (MODE_COMMAND_RECALL << 8) | *mode);
        auto messages = device.runJob(JOB_RECALL_MODE);
        const bool ok = messages && messages->empty();
        exitCode = ok ? EXIT_OK : EXIT_LINK_ERROR;
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
        if (name->size() > MODE_NAME_BYTES) throw UsageError("NAME has more than 20 characters");
        DeviceLink device(options);
        if (!connected(device, exitCode)) return;
        LinkContext& link = device.link();
        for (std::size_t k = 0; k < MODE_NAME_LENGTH; ++k) {
            link.modeNameBuffer[k].store(k < name->size() ? (*name)[k] : u' ', RELAXED);
        }
        link.registers.setRegister(REG_MODE_COMMAND, (MODE_COMMAND_SAVE << 8) | *mode);
        auto messages = device.runJob(JOB_SAVE_MODE);
        exitCode =
            messages && shown(*messages, text(TXT_SAVE_SUCCESSFUL)) ? EXIT_OK : EXIT_LINK_ERROR;
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
