#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "text/language.h"
#include "update/replacement_script.h"
#include "update/update_messages.h"
#include "update/update_server_setting.h"

namespace tq370 {

struct UpdateSettings {
    UpdateServer server;
    // The program to replace: its folder receives the download and the scripts.
    std::filesystem::path programFolder;
    std::string programFileName;
    std::uint32_t programVersion = 0;
    MachineIdentifier machineId{};
    // The current language, read each time a text is shown.
    std::function<Language()> language = [] { return Language::English; };
    // Also write the Windows batch script beside the sh script.
    bool writeWindowsScript = false;
    // The program is an installed copy (its files belong to the system's package manager or
    // its install): replacing them would break the installation, so a newer version is only
    // announced, never downloaded.
    bool installedCopy = false;
    PosixScriptWaits scriptWaits;

    // Waits in protocol milliseconds, scaled by the Clock.
    double startDelayMs = 50;
    double checkIntervalMs = 10'000;
    double answerWaitMs = 10'000;
    double receiveWaitMs = 30'000;
    double resolveRetryMs = 100;

    // The whole download must keep up at least this rate (after the allowance), and may
    // announce no more than maxDownloadBytes: a server that drips or boasts is cut off.
    double minimumRateBytesPerS = 16 * 1024;
    double transferAllowanceMs = 60'000;
    std::uint64_t maxDownloadBytes = 256ull * 1024 * 1024;

    // Called after a complete download with the sh script's path; returns false when the
    // script could not be started (the download then counts as failed), and normally
    // does not return at all (startReplacementAndExit). Left empty, the check ends with
    // the files in place and nothing started.
    std::function<bool(const std::filesystem::path& script)> startReplacement;

    std::filesystem::path executable() const { return programFolder / programFileName; }
    std::filesystem::path downloadPath() const { return programFolder / DOWNLOAD_FILE_NAME; }
    std::filesystem::path scriptPath() const { return programFolder / POSIX_SCRIPT_NAME; }
};

// Settings for replacing the running program: its real folder and file name, its
// compiled-in version and this machine's identifier. The caller adds the language and
// startReplacement.
UpdateSettings updateSettingsForThisProgram(UpdateServer server);

}  // namespace tq370
