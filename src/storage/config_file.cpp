#include "storage/config_file.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "storage/file_io.h"
#include "storage/ini_document.h"

namespace tq370 {
namespace {

constexpr std::string_view INI_EXTENSION = ".ini";
// Far above any real configuration; a larger file is left alone rather than rewritten.
constexpr std::size_t MAX_INI_BYTES = 1024 * 1024;

std::optional<IniDocument> loadDocument(const std::string& path) {
    FileContents file = readWholeFile(path, MAX_INI_BYTES);
    if (file.outcome != ReadOutcome::Read) return std::nullopt;
    return IniDocument::parse(
        std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
}

std::optional<std::string> readValue(const std::string& path, std::string_view section,
                                     std::string_view key) {
    auto doc = loadDocument(path);
    return doc ? doc->value(section, key) : std::nullopt;
}

int readInt(const std::string& path, std::string_view section, std::string_view key) {
    auto text = readValue(path, section, key);
    return text && !text->empty() ? parseIniInt(*text) : -1;
}

bool writeValue(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value) {
    std::optional<IniDocument> doc = loadDocument(path);
    if (!doc) {
        // Only a missing file starts empty; one that exists but cannot be read is kept.
        std::error_code error;
        if (std::filesystem::symlink_status(path, error).type() !=
            std::filesystem::file_type::not_found) {
            return false;
        }
        doc = IniDocument();
    }
    doc->setValue(section, key, value);
    std::string text = doc->text();
    return replaceFile(path,
                       std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

int parseIniInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min<long long>(magnitude * 10 + (text[i] - '0'), 1LL + INT_MAX);
    }
    long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

ConfigFile::ConfigFile(const DataFolders& folders, std::string section)
    : folders_(folders), section_(std::move(section)) {}

std::string ConfigFile::dataPath(std::string_view file) const {
    return folders_.dataFolder() + std::string(file) + std::string(INI_EXTENSION);
}

std::string ConfigFile::fallbackPath(std::string_view file) const {
    return folders_.fallbackFolder() + std::string(file) + std::string(INI_EXTENSION);
}

int ConfigFile::readIniInt(std::string_view file, std::string_view key) const {
    int value = readInt(dataPath(file), section_, key);
    return value >= 0 ? value : readInt(fallbackPath(file), section_, key);
}

std::optional<std::string> ConfigFile::readIniString(std::string_view file,
                                                     std::string_view key) const {
    auto value = readValue(dataPath(file), section_, key);
    return value ? value : readValue(fallbackPath(file), section_, key);
}

bool ConfigFile::writeIniInt(std::string_view file, std::string_view key, int value) {
    return writeIniString(file, key, std::to_string(value));
}

bool ConfigFile::writeIniString(std::string_view file, std::string_view key,
                                std::string_view value) {
    if (!IniDocument::isStorable(section_, key, value)) return false;
    folders_.ensureDataFolder();
    if (writeValue(dataPath(file), section_, key, value)) return true;
    // A program folder that cannot be written is usual on Linux (/usr/bin, /opt), so the
    // fallback folder is created here rather than left to a preset save.
    folders_.ensureFallbackFolder();
    return writeValue(fallbackPath(file), section_, key, value);
}

}  // namespace tq370
