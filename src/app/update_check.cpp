#include "app/update_check.h"

#include "app/main_window.h"
#include "app/ui_call.h"
#include "controls/progress_window.h"
#include "storage/config_file.h"
#include "storage/data_folders.h"
#include "text/language.h"
#include "update/online_update.h"
#include "update/replacement_launcher.h"
#include "update/update_server_setting.h"

namespace tq370 {
namespace {

// The window's total: a download's byte count may not fit an int, its share does.
constexpr int PROGRESS_STEPS = 10'000;

}  // namespace

UpdateCheck::UpdateCheck(MainWindow& window, ProgressWindow& progress)
    : window_(window), progress_(progress) {}

UpdateCheck::~UpdateCheck() {
    stop();
}

bool UpdateCheck::start(const DataFolders& folders) {
    const ConfigFile config(folders, DataFolders::runningProgramName());
    const auto setting = config.readIniString(CONFIG_FILE_CONFIGURATION, UPDATE_SERVER_KEY);
    const auto server = setting ? parseUpdateServer(*setting) : std::nullopt;
    if (!server) return false;

    UpdateSettings settings = updateSettingsForThisProgram(*server);
    settings.language = [] { return currentLanguage(); };
    settings.startReplacement = startReplacementAndExit;
    thread_ = std::jthread([this, settings = std::move(settings)](std::stop_token stop) {
        stop_ = stop;
        OnlineUpdate(settings, *this, clock_).run(std::move(stop));
    });
    return true;
}

void UpdateCheck::stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}

void UpdateCheck::tellUser(std::string_view caption, std::string_view text) {
    MainWindow* window = &window_;
    const QString notice = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString title = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    callOnUiThread<bool>(
        window,
        [window, notice, title] {
            return window->messageBoxes().ask(notice, title, BoxButtons::Ok);
        },
        stop_);
}

bool UpdateCheck::askQuestion(std::string_view caption, std::string_view text) {
    MainWindow* window = &window_;
    const QString question = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString title = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    return callOnUiThread<bool>(
               window,
               [window, question, title] {
                   return window->messageBoxes().ask(question, title, BoxButtons::OkCancel);
               },
               stop_)
        .value_or(false);
}

void UpdateCheck::progressShow(std::uint64_t total, std::string_view format) {
    total_ = total > 0 ? total : 1;
    progress_.open();
    progress_.setProgressTotal(PROGRESS_STEPS);
    progress_.setProgress(QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size())),
                          {}, 0);
}

void UpdateCheck::progressSet(std::uint64_t value) {
    progress_.setProgress(static_cast<double>(value) * PROGRESS_STEPS /
                          static_cast<double>(total_));
}

void UpdateCheck::progressHide() {
    progress_.closeProgress();
}

}  // namespace tq370
