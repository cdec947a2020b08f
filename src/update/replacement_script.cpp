#include "update/replacement_script.h"

#include <cstdio>
#include <system_error>

namespace tq370 {
namespace {

constexpr std::string_view CRLF = "\r\n";
constexpr std::string_view PING_300 = "ping 1 -n 1 -w 300 2>nul 1>nul ";
constexpr std::string_view PING_100 = "ping 1 -n 1 -w 100 2>nul 1>nul ";

bool isPlainBatchChar(unsigned char c) {
    // Bytes above 0x7F are the non-ASCII letters of the narrow code page.
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '-' || c == '_' || c >= 0x80;
}

bool isAllowedBatchChar(unsigned char c) {
    return c >= 0x20 && c != 0x7F && c != '"';
}

// Inside a batch file '%' starts a variable even between quotes; "%%" is a literal one.
std::string escapePercent(std::string_view s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

std::string batchWord(std::string_view s) {
    bool plain = !s.empty();
    for (unsigned char c : s) plain = plain && isPlainBatchChar(c);
    if (plain) return std::string(s);
    return "\"" + escapePercent(s) + "\"";
}

std::string seconds(int ms) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%03d", ms / 1000, ms % 1000);
    return buf;
}

}  // namespace

std::optional<std::string> buildWindowsReplacementScript(std::string_view programName,
                                                         std::string_view folder) {
    std::string name(programName);
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".exe") != 0) name += ".exe";
    for (unsigned char c : name + std::string(folder)) {
        if (!isAllowedBatchChar(c)) return std::nullopt;
    }
    std::string path(folder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += name;

    const std::string nameWord = batchWord(name);
    const std::string quotedPath = "\"" + escapePercent(path) + "\"";
    const std::string lines[] = {
        std::string(PING_300),
        "taskkill /f /im " + nameWord,
        "del " + nameWord,
        std::string(PING_100),
        "ren ServerUpDataxsxsxs.exe " + nameWord,
        std::string(PING_100),
        "if not exist " + quotedPath + " (ren ServerUpDataxsxsxs.exe " + nameWord + " )",
        "start \"\" " + quotedPath,
        "del UpDown.bat ",
    };
    std::string script;
    for (const auto& line : lines) {
        if (!script.empty()) script += CRLF;
        script += line;
    }
    return script;
}

std::string shellQuote(std::string_view s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string buildPosixReplacementScript(const std::filesystem::path& executable,
                                        PosixScriptWaits waits) {
    // An absolute path keeps a name beginning with '-' from reading as an option.
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(executable, ec);
    if (ec) absolute = executable;
    const std::string folder = shellQuote(absolute.parent_path().string());
    const std::string target = shellQuote(absolute.string());
    const std::string download = shellQuote(std::string(DOWNLOAD_FILE_NAME));
    const std::string script = shellQuote(std::string(POSIX_SCRIPT_NAME));
    std::string s;
    s += "#!/bin/sh\n";
    s += "# Puts the downloaded program in place of this one and starts it.\n";
    s += "cd " + folder + " || exit 1\n";
    s += "sleep " + seconds(waits.beforeEndMs) + "\n";
    // Only processes running this very file are ended (same inode, so a program of the
    // same name elsewhere is left alone); the test needs no process per candidate.
    s += "for p in /proc/[0-9]*; do\n";
    s += "  if [ \"$p/exe\" -ef " + target + " ]; then\n";
    s += "    kill -KILL \"${p#/proc/}\" 2>/dev/null\n";
    s += "  fi\n";
    s += "done\n";
    s += "chmod +x " + download + " 2>/dev/null\n";
    s += "sleep " + seconds(waits.beforeRenameMs) + "\n";
    s += "mv -f " + download + " " + target + "\n";
    s += "sleep " + seconds(waits.beforeRenameMs) + "\n";
    s += "if [ -e " + download + " ]; then mv -f " + download + " " + target + "; fi\n";
    s += target + " </dev/null >/dev/null 2>&1 &\n";
    s += "rm -f " + script + "\n";
    return s;
}

}  // namespace tq370
