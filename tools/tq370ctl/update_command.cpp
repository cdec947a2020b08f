#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/clock.h"
#include "command.h"
#include "platform/cpu_identifier.h"
#include "platform/program_version.h"
#include "update/online_update.h"
#include "update/update_download.h"
#include "update/update_texts.h"

namespace tq370::ctl {
namespace {

// The program an update replaces: the GUI, expected in the download folder.
constexpr const char* GUI_FILE_NAME = "tq370";

// Answers the question from --yes and prints progress on stderr.
class PrintingUpdateHost : public UpdateHost {
public:
    explicit PrintingUpdateHost(bool yes) : yes_(yes) {}

    bool askQuestion(std::string_view, std::string_view) override {
        if (!announced_) std::printf("newer version available\n");
        announced_ = true;
        std::fflush(stdout);
        return yes_;
    }
    void tellUser(std::string_view, std::string_view text) override {
        std::printf("newer version available\n");
        std::fprintf(stderr, "tq370ctl: %.*s\n", static_cast<int>(text.size()), text.data());
        std::fflush(stdout);
    }
    void progressShow(std::uint64_t total, std::string_view format) override {
        total_ = total;
        format_ = std::string(format);
        lastPercent_ = -1;
        shown_ = true;
    }
    void progressSet(std::uint64_t value) override {
        if (!shown_ || total_ == 0) return;
        double percent = static_cast<double>(value) * 100.0 / static_cast<double>(total_);
        // One line per whole percent, rewritten in place.
        if (static_cast<int>(percent) == lastPercent_) return;
        lastPercent_ = static_cast<int>(percent);
        std::fputc('\r', stderr);
        std::fprintf(stderr, format_.c_str(), percent);
    }
    void progressHide() override {
        if (shown_) std::fputc('\n', stderr);
        shown_ = false;
    }

private:
    const bool yes_;
    bool announced_ = false;
    bool shown_ = false;
    std::uint64_t total_ = 0;
    std::string format_;
    int lastPercent_ = -1;
};

struct UpdateOptions {
    std::string server;
    bool yes = false;
    std::string dir = ".";
    double timeoutS = 0;  // 0: the protocol's own waits
};

int runUpdate(const UpdateOptions& options) {
    auto server = parseUpdateServer(options.server);
    if (!server) throw UsageError("--server must be HOST, HOST:PORT or [IPv6]:PORT");

    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(options.dir, ec);
    if (options.yes && (ec || !std::filesystem::is_directory(folder, ec))) {
        std::fprintf(stderr, "tq370ctl: %s is not a folder\n", options.dir.c_str());
        return EXIT_FILE_ERROR;
    }

    UpdateSettings settings;
    settings.server = *server;
    settings.programFolder = folder;
    settings.programFileName = GUI_FILE_NAME;
    settings.programVersion = programVersion();
    settings.machineId = cpuIdentifier();
    settings.language = [] { return Language::English; };
    settings.writeWindowsScript = true;
    if (options.timeoutS > 0)
        settings.answerWaitMs = settings.receiveWaitMs = options.timeoutS * 1000;

    if (auto problem = replacementScriptsProblem(settings); problem && options.yes) {
        std::fprintf(stderr, "tq370ctl: %s\n", problem->c_str());
        return EXIT_FILE_ERROR;
    }

    PrintingUpdateHost host(options.yes);
    Clock clock;
    OnlineUpdate update(settings, host, clock);
    CheckReport report = update.checkOnce();
    switch (report.result) {
        case CheckResult::UpToDate:
            std::printf("up to date\n");
            return EXIT_OK;
        case CheckResult::ChecksEnded:
            std::printf("checks ended\n");
            return EXIT_OK;
        case CheckResult::Declined:
        case CheckResult::AnnouncedOnly:
            return EXIT_OK;  // "newer version available" is printed
        case CheckResult::Downloaded:
            std::printf("downloaded %llu bytes to %s\n",
                        static_cast<unsigned long long>(report.downloadedBytes),
                        settings.downloadPath().c_str());
            return EXIT_OK;
        case CheckResult::Unresolved:
            std::fprintf(stderr, "tq370ctl: cannot resolve %s\n", server->host.c_str());
            return EXIT_LINK_ERROR;
        case CheckResult::NoAnswer:
            std::fprintf(stderr, "tq370ctl: no answer from %s within %g s\n",
                         options.server.c_str(), settings.answerWaitMs / 1000);
            return EXIT_LINK_ERROR;
        case CheckResult::DownloadBroken:
            std::fprintf(stderr,
                         "tq370ctl: the download broke off or came slower than %g bytes/s; "
                         "nothing was kept\n",
                         settings.minimumRateBytesPerS);
            return EXIT_LINK_ERROR;
        case CheckResult::DownloadTooLarge:
            std::fprintf(stderr,
                         "tq370ctl: the server announced %llu bytes, more than the %llu an "
                         "update may have; nothing was fetched\n",
                         static_cast<unsigned long long>(report.downloadedBytes),
                         static_cast<unsigned long long>(settings.maxDownloadBytes));
            return EXIT_LINK_ERROR;
        case CheckResult::NotAProgram:
            std::fprintf(stderr,
                         "tq370ctl: the downloaded file is no program for this machine; it was "
                         "deleted\n");
            return EXIT_LINK_ERROR;
        case CheckResult::FolderRefused:
            std::fprintf(stderr, "tq370ctl: %s\n",
                         replacementScriptsProblem(settings).value_or("").c_str());
            return EXIT_FILE_ERROR;
        case CheckResult::DownloadFailed:
        case CheckResult::Replacing:
        case CheckResult::Stopped:
            break;
    }
    std::fprintf(stderr,
                 "tq370ctl: the download failed (no file from the server, or %s not "
                 "writable)\n",
                 folder.c_str());
    return EXIT_LINK_ERROR;
}

void addUpdateCommands(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("update", "Ask the update server for a newer program");
    auto options = std::make_shared<UpdateOptions>();
    cmd->add_option("--server", options->server, "update server, HOST or HOST:PORT (port 24502)")
        ->required();
    cmd->add_flag("--yes", options->yes,
                  "download a newer program, with its replacement scripts (not started)");
    cmd->add_option("--dir", options->dir, "folder for the download (default: current folder)");
    cmd->add_option("--timeout", options->timeoutS,
                    "seconds to wait for the answer and for each part of the download "
                    "(default 10 and 30)")
        ->check(CLI::PositiveNumber);
    cmd->callback([options, &exitCode] { exitCode = runUpdate(*options); });
}

const CommandRegistration registration{"update", addUpdateCommands};

}  // namespace

}  // namespace tq370::ctl
