// tq370: the tuning program for the TQ-R480 processor.
#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/app_options.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/program_link.h"
#include "app/read_back_watch.h"
#include "app/single_instance.h"
#include "link/configured_link.h"
#include "platform/hidapi_device.h"
#include "platform/system_locale.h"
#include "storage/config_file.h"
#include "text/startup_language.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace {

using namespace tq370;
using Steady = std::chrono::steady_clock;

constexpr int EXIT_NO_LINK = 1;

Language startupLanguage(const AppOptions& options, const DataFolders& folders) {
    if (options.language) return *options.language;
    const ConfigFile config(folders, DataFolders::runningProgramName());
    return chooseStartupLanguage(config.readIniInt(CONFIG_FILE_LANGUAGE, KEY_LANGUAGE),
                                 systemLocaleId());
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::string residentMemory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return line.substr(6);
    }
    return " unknown";
}

double msBetween(Steady::time_point from, Steady::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The figures the measurement script collects, once the first read-back is on screen.
void reportTiming(const MainWindow& window, Steady::time_point started) {
    const ShowTimings& shown = window.showTimings();
    const auto realNow = std::chrono::system_clock::now();
    const auto firstPaintReal = realNow - (Steady::now() - window.firstPaint());
    std::fprintf(stderr,
                 "timing first-paint-unix-ns %lld\n"
                 "timing main-to-first-paint-ms %.1f\n"
                 "timing registers-shown %d ui-ms %.2f longest-batch-ms %.2f\n"
                 "timing connected-after-ms %.0f resident%s\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                            firstPaintReal.time_since_epoch())
                                            .count()),
                 msBetween(started, window.firstPaint()), shown.registersShown,
                 std::chrono::duration<double, std::milli>(shown.total).count(),
                 std::chrono::duration<double, std::milli>(shown.longestBatch).count(),
                 msBetween(started, Steady::now()), residentMemory().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const Steady::time_point started = Steady::now();
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    if (parsed.exitCode) {
        std::fputs(parsed.output.c_str(), parsed.outputIsError ? stderr : stdout);
        return *parsed.exitCode;
    }
    const AppOptions& options = parsed.options;
    const bool screenshot = !options.screenshotPath.empty();
    // A picture needs no screen.
    if (screenshot && !hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const DataFolders folders = DataFolders::forRunningProgram();
    setCurrentLanguage(startupLanguage(options, folders));

    MessageBoxes plainBoxes(nullptr);
    plainBoxes.setAnswerAtOnce(options.answerMessagesAtOnce);
    // A screenshot run ends by itself and leaves a running program alone.
    SingleInstance instance;
    if (!screenshot && instance.claim() == SingleInstance::Claim::AlreadyRuns) {
        plainBoxes.ask(QString::fromUtf8(text(TXT_ALREADY_RUNNING)));
        return 0;
    }

    ProgramLinkSetup setup;
    setup.link = options.link;
    if (setup.link && setup.link->kind == TransportKind::Serial) {
        setup.link->baudRate = static_cast<std::uint32_t>(
            configuredLink(folders, DataFolders::runningProgramName()).baudRate);
    }
    setup.demo = options.demo;
    setup.timeScale = options.timeScale;
    setup.folders = folders;
    setup.makeHidDevice = [] { return std::make_unique<HidapiDevice>(); };
    ProgramLink link(std::move(setup));

    MainWindow window(link);
    window.messageBoxes().setAnswerAtOnce(options.answerMessagesAtOnce);
    instance.onRaiseRequest([&window] {
        if (window.isMinimized()) window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    window.setFocus();
    const bool linkStarted = window.start();

    std::unique_ptr<ReadBackWatch> watch;
    if (screenshot) {
        const QString path = QString::fromStdString(options.screenshotPath);
        watch = std::make_unique<ReadBackWatch>(
            window, link,
            std::chrono::milliseconds(static_cast<long long>(options.timeoutSeconds * 1000)),
            [&window, path, &options, started] {
                if (options.reportTiming) reportTiming(window, started);
                if (!window.grab().save(path, "PNG")) {
                    std::fprintf(stderr, "tq370: cannot write %s\n", path.toUtf8().constData());
                    window.shutDown(EXIT_NO_LINK);
                    return;
                }
                std::printf("%s\n", path.toUtf8().constData());
                window.shutDown(0);
            },
            [&window, &options] {
                std::fprintf(stderr,
                             "tq370: the link to the processor did not come up within %g s\n",
                             options.timeoutSeconds);
                window.shutDown(EXIT_NO_LINK);
            });
    } else if (options.reportTiming) {
        watch = std::make_unique<ReadBackWatch>(
            window, link, std::chrono::hours(1),
            [&window, started] { reportTiming(window, started); }, [] {});
    }
    if (!linkStarted && screenshot) return EXIT_NO_LINK;
    return app.exec();
}
