#pragma once

#include <filesystem>

namespace tq370 {

// Starts the sh replacement script with /bin/sh, detached from this process, in the
// script's folder. True when it started.
bool startReplacementScript(const std::filesystem::path& script);

// Starts the script and, when it started, ends this program at once with exit code 0
// (without running destructors: other threads are still running, and the script is
// about to end us anyway). Returns false only when the script could not start. Meant
// as UpdateSettings::startReplacement of the GUI.
bool startReplacementAndExit(const std::filesystem::path& script);

}  // namespace tq370
