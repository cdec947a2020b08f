#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "storage/data_folders.h"

namespace tq370 {

// Base names of the two configuration files and the keys kept in them.
inline constexpr std::string_view CONFIG_FILE_LANGUAGE = "Language";
inline constexpr std::string_view CONFIG_FILE_CONFIGURATION = "Configuration";
inline constexpr std::string_view KEY_LANGUAGE = "Language";
inline constexpr std::string_view KEY_TRANSPORT = "m_COM_MdoeIO";
inline constexpr std::string_view KEY_BAUD = "m_COM_m_BoTeLV";

// The settings kept between runs, in "<base name>.ini" files of the data folder (or, when
// that cannot be written, of the fallback folder), all under one section named after the
// program. Reads prefer the data folder. No message is shown; failures are return values.
// Thread-safe as far as the file system is: each call reads or replaces a whole file.
class ConfigFile {
public:
    // folders must outlive this object; section is normally DataFolders::runningProgramName().
    explicit ConfigFile(const DataFolders& folders, std::string section);

    // The key's value as an integer: decimal digits after an optional sign, anything
    // after them ignored ("12abc" is 12, "abc" is 0). -1 when the key is absent, empty or
    // negative in the data folder's file and absent in the fallback folder's.
    int readIniInt(std::string_view file, std::string_view key) const;
    // The key's text from the data folder's file, else from the fallback folder's.
    std::optional<std::string> readIniString(std::string_view file, std::string_view key) const;

    bool writeIniInt(std::string_view file, std::string_view key, int value);
    // Writes one key, creating the data folder, the file and the section as needed; when
    // the data folder cannot be written, writes the fallback folder's file instead. The
    // file is replaced whole, so an interrupted write leaves the old one. False on failure
    // or for a key or value that cannot be stored in one line.
    bool writeIniString(std::string_view file, std::string_view key, std::string_view value);

    std::string dataPath(std::string_view file) const;
    std::string fallbackPath(std::string_view file) const;

private:
    const DataFolders& folders_;
    std::string section_;
};

// The integer an INI value reads as: optional sign and leading digits, saturating;
// 0 when there are no digits.
int parseIniInt(std::string_view text);

}  // namespace tq370
