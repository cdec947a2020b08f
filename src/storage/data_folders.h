#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tq370 {

// Relative to the folder above an installed program's bin/ folder.
inline constexpr std::string_view INSTALL_MARKER = "share/tq370/installed";

// The folders presets and configuration files live in, and the operations that look
// through them. Every folder string ends in '/' (or is empty, meaning relative names).
//   program folder  - where the executable lies
//   data folder     - program folder + "FileData/"
//   fallback folder - used when the data folder cannot be written
//   current folder  - where bare names resolve; empty means the process's working directory
// Thread-safe: the folders are fixed at construction and the operations keep no state.
class DataFolders {
public:
    DataFolders(std::string programFolder, std::string fallbackFolder,
                std::string currentFolder = {});

    // The folders of an installed program (from its package or `cmake --install`): nothing
    // may be written beside it, so the fallback folder is its data folder too.
    static DataFolders forInstalledProgram(std::string programFolder, std::string fallbackFolder);
    // Whether the program in programFolder (a bin folder) is an installed copy: the install
    // puts INSTALL_MARKER beside bin/, a build from source has none.
    static bool installedCopy(const std::string& programFolder);

    // The folders of the running program: the folder of /proc/self/exe and
    // $XDG_DATA_HOME/<program name>/ (by default ~/.local/share/<program name>/); for an
    // installed copy, that second folder alone (forInstalledProgram).
    static DataFolders forRunningProgram();
    // The executable's file name without its extension; also the configuration section.
    static std::string runningProgramName();

    const std::string& programFolder() const { return programFolder_; }
    const std::string& dataFolder() const { return dataFolder_; }
    const std::string& fallbackFolder() const { return fallbackFolder_; }
    const std::string& currentFolder() const { return currentFolder_; }

    // The places a name is looked for, in order: the name as given (relative to the
    // current folder), the data folder, the fallback folder. The extension rule is
    // applied to the name first. Empty for an empty name.
    std::vector<std::string> lookupChain(std::string_view name) const;

    // True when a regular file of that name is found through the lookup chain.
    bool findData(std::string_view name) const;
    // Deletes the first file the lookup chain finds; true when one was deleted.
    bool deleteData(std::string_view name) const;

    // The preset file names (ending in ".mxb") of the current folder, the data folder and
    // the fallback folder, in that order, sorted within each folder; a name present in
    // several folders appears once for each.
    std::vector<std::string> listPresets() const;

    // The name as given when absolute or when no current folder was set, else the
    // current folder followed by the name.
    std::string resolve(std::string_view name) const;

    // Creates the data folder (one level) when missing; true when it exists afterwards.
    bool ensureDataFolder() const;
    // Creates the fallback folder and its missing parents; true when it exists afterwards.
    bool ensureFallbackFolder() const;

    // True when the path, trailing '/' ignored, names an existing folder.
    static bool isDirExist(std::string_view path);
    // Creates one folder level (no parents); true when the folder exists afterwards.
    static bool makeDir(std::string_view path);

private:
    std::string programFolder_;
    std::string dataFolder_;
    std::string fallbackFolder_;
    std::string currentFolder_;
};

}  // namespace tq370
