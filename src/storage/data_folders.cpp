#include "storage/data_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/executable_path.h"
#include "storage/preset_name.h"

namespace tq370 {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view DATA_FOLDER_NAME = "FileData/";
constexpr std::string_view DEFAULT_PROGRAM_NAME = "tq370";

std::string asFolder(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

std::string withoutTrailingSlash(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    return std::string(path);
}

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

fs::path runningExecutable() {
    return executablePath().value_or(fs::path());
}

// $XDG_DATA_HOME when it is absolute (relative values are to be ignored), else
// $HOME/.local/share, else the password database's home folder.
std::string userDataHome() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    return home ? std::string(home) + "/.local/share" : std::string();
}

void appendPresetsOf(const std::string& folder, std::vector<std::string>& names) {
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        bool preset = name.size() > PRESET_EXTENSION.size() && name.ends_with(PRESET_EXTENSION);
        std::error_code typeError;
        if (preset && it->is_regular_file(typeError)) found.push_back(std::move(name));
    }
    std::sort(found.begin(), found.end());
    names.insert(names.end(), found.begin(), found.end());
}

}  // namespace

DataFolders::DataFolders(std::string programFolder, std::string fallbackFolder,
                         std::string currentFolder)
    : programFolder_(asFolder(std::move(programFolder))),
      dataFolder_(programFolder_ + std::string(DATA_FOLDER_NAME)),
      fallbackFolder_(asFolder(std::move(fallbackFolder))),
      currentFolder_(asFolder(std::move(currentFolder))) {}

DataFolders DataFolders::forInstalledProgram(std::string programFolder,
                                             std::string fallbackFolder) {
    DataFolders folders(std::move(programFolder), std::move(fallbackFolder));
    folders.dataFolder_ = folders.fallbackFolder_;
    return folders;
}

bool DataFolders::installedCopy(const std::string& programFolder) {
    const fs::path prefix = fs::path(withoutTrailingSlash(programFolder)).parent_path();
    return isRegularFile((prefix / INSTALL_MARKER).string());
}

DataFolders DataFolders::forRunningProgram() {
    std::string program = runningExecutable().parent_path().string();
    std::string dataHome = userDataHome();
    std::string fallback =
        dataHome.empty() ? runningProgramName() : dataHome + "/" + runningProgramName();
    if (installedCopy(program)) return forInstalledProgram(program, fallback);
    return DataFolders(program, fallback);
}

std::string DataFolders::runningProgramName() {
    std::string stem = runningExecutable().stem().string();
    return stem.empty() ? std::string(DEFAULT_PROGRAM_NAME) : stem;
}

std::vector<std::string> DataFolders::lookupChain(std::string_view name) const {
    if (name.empty()) return {};
    std::string named = withPresetExtension(name);
    if (dataFolder_ == fallbackFolder_) return {resolve(named), dataFolder_ + named};
    return {resolve(named), dataFolder_ + named, fallbackFolder_ + named};
}

bool DataFolders::findData(std::string_view name) const {
    auto chain = lookupChain(name);
    return std::any_of(chain.begin(), chain.end(), isRegularFile);
}

bool DataFolders::deleteData(std::string_view name) const {
    for (const std::string& path : lookupChain(name)) {
        if (isRegularFile(path)) return ::unlink(path.c_str()) == 0;
    }
    return false;
}

std::vector<std::string> DataFolders::listPresets() const {
    std::vector<std::string> names;
    appendPresetsOf(currentFolder_, names);
    appendPresetsOf(dataFolder_, names);
    if (fallbackFolder_ != dataFolder_ && isDirExist(fallbackFolder_)) {
        appendPresetsOf(fallbackFolder_, names);
    }
    return names;
}

std::string DataFolders::resolve(std::string_view name) const {
    if (currentFolder_.empty() || name.starts_with('/')) return std::string(name);
    return currentFolder_ + std::string(name);
}

bool DataFolders::ensureDataFolder() const {
    return isDirExist(dataFolder_) || makeDir(dataFolder_);
}

bool DataFolders::ensureFallbackFolder() const {
    if (isDirExist(fallbackFolder_)) return true;
    std::error_code error;
    fs::create_directories(withoutTrailingSlash(fallbackFolder_), error);
    return isDirExist(fallbackFolder_);
}

bool DataFolders::isDirExist(std::string_view path) {
    if (path.empty()) return false;
    std::error_code error;
    return fs::is_directory(withoutTrailingSlash(path), error);
}

bool DataFolders::makeDir(std::string_view path) {
    std::string folder = withoutTrailingSlash(path);
    if (folder.empty()) return false;
    if (::mkdir(folder.c_str(), 0777) == 0) return true;
    return errno == EEXIST && isDirExist(folder);
}

}  // namespace tq370
