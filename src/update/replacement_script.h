#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tq370 {

// The downloaded program and the scripts that put it in place of the running one; all
// three live in the program folder.
constexpr std::string_view DOWNLOAD_FILE_NAME = "ServerUpDataxsxsxs.exe";
constexpr std::string_view WINDOWS_SCRIPT_NAME = "UpDown.bat";
constexpr std::string_view POSIX_SCRIPT_NAME = "UpDown.sh";

// The batch script for a Windows installation: short waits, end the program, replace
// its executable by the download (a second try if the first fails), start it and delete
// the script. Lines end in CR LF except the last. programName is the executable's file
// name (".exe" is appended when missing), folder the Windows folder that holds it.
// Names are quoted when they contain anything but letters, digits, '.', '-' and '_', and
// '%' is doubled, so a path cannot break a line or run a command; nullopt for a name
// that no Windows path can hold (a double quote or a control character).
std::optional<std::string> buildWindowsReplacementScript(std::string_view programName,
                                                         std::string_view folder);

struct PosixScriptWaits {
    int beforeEndMs = 300;     // before ending the old program
    int beforeRenameMs = 100;  // before each rename
};

// The same steps as a POSIX sh script for Linux. executable is the real path of the
// program to replace (the download sits beside it); the old program is ended by that
// path, never by a name that another program might share. Every path is single-quoted.
std::string buildPosixReplacementScript(const std::filesystem::path& executable,
                                        PosixScriptWaits waits = {});

// s as one single-quoted sh word.
std::string shellQuote(std::string_view s);

}  // namespace tq370
