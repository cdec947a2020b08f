#include "app/app_options.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <map>
#include <sstream>

#include "platform/program_version.h"

namespace tq370 {
namespace {

const std::map<std::string, Language> LANGUAGE_OPTIONS = {
    {"en", Language::English},
    {"zh-CN", Language::SimplifiedChinese},
    {"zh-TW", Language::TraditionalChinese},
};

}  // namespace

ParsedCommandLine parseCommandLine(int argc, const char* const* argv) {
    CLI::App app{
        "tq370: tunes a TQ-R480 car-audio processor live. Without a link option it uses the "
        "link of its configuration file (USB unless set otherwise)."};
    app.set_version_flag("--version", programVersionText("tq370"));

    ParsedCommandLine parsed;
    AppOptions& o = parsed.options;
    std::string serialPath;
    bool usb = false;
    std::string wifiAddress;
    std::string ownAddress;
    int udpPort = WIFI_DEFAULT_PORT;
    int tcpPort = WIFI_DEFAULT_PORT;
    std::string language;

    const char* linkGroup = "Link (for this run only; the configuration stays as it is)";
    auto* demo = app.add_flag("--demo", o.demo,
                              "run against the built-in simulated processor, no hardware needed")
                     ->group(linkGroup);
    auto* serial = app.add_option("--serial", serialPath, "use this serial or Bluetooth port")
                       ->group(linkGroup);
    auto* usbFlag = app.add_flag("--usb", usb, "use the USB link")->group(linkGroup);
    auto* wifiOption = app.add_option("--wifi", wifiAddress,
                                      "use the WiFi link; with ADDR that processor, without "
                                      "discovery")
                           ->expected(0, 1)
                           ->group(linkGroup);
    auto* tcp = app.add_option("--tcp-port", tcpPort, "WiFi: the processor's TCP port (1010)")
                    ->check(CLI::Range(1, 65535))
                    ->group(linkGroup);
    auto* udp = app.add_option("--udp-port", udpPort, "WiFi: the processor's UDP port (1010)")
                    ->check(CLI::Range(1, 65535))
                    ->group(linkGroup);
    auto* own = app.add_option("--own-address", ownAddress,
                               "WiFi: this PC's IPv4 address (default: detect)")
                    ->group(linkGroup);
    demo->excludes(serial, usbFlag, wifiOption);
    serial->excludes(usbFlag, wifiOption);
    usbFlag->excludes(wifiOption);
    for (CLI::Option* wifiOnly : {tcp, udp, own}) wifiOnly->needs(wifiOption);

    app.add_option("--lang", language, "language of this run: en, zh-CN or zh-TW")
        ->check(CLI::IsMember({"en", "zh-CN", "zh-TW"}));
    app.add_option("--screenshot", o.screenshotPath,
                   "render the main window to this PNG file once the processor is read, then "
                   "end");
    app.add_option("--timeout", o.timeoutSeconds,
                   "with --screenshot: give up after this many seconds (default 60)")
        ->check(CLI::PositiveNumber);
    app.add_option("--time-scale", o.timeScale)->check(CLI::PositiveNumber)->group("");
    app.add_flag("--answer-messages-at-once", o.answerMessagesAtOnce)->group("");
    app.add_flag("--report-timing", o.reportTiming)->group("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const bool error = e.get_exit_code() != 0;
        std::ostringstream out;
        std::ostringstream err;
        parsed.exitCode = error ? EXIT_USAGE : app.exit(e, out, err);
        parsed.output = error ? "tq370: " + std::string(e.what()) + "\n" : out.str() + err.str();
        parsed.outputIsError = error;
        return parsed;
    }

    const bool wifi = wifiOption->count() > 0;
    if (!language.empty()) o.language = LANGUAGE_OPTIONS.at(language);
    if (!serialPath.empty() || usb || wifi) {
        LinkOptions link;
        link.kind = usb ? TransportKind::Usb : wifi ? TransportKind::WiFi : TransportKind::Serial;
        link.serialPath = serialPath;
        link.wifiAddress = wifiAddress;
        link.ownAddress = ownAddress;
        link.udpPort = static_cast<std::uint16_t>(udpPort);
        link.tcpPort = static_cast<std::uint16_t>(tcpPort);
        if (auto problem = linkOptionsProblem(link)) {
            parsed.exitCode = EXIT_USAGE;
            parsed.output = "tq370: " + *problem + "\n";
            parsed.outputIsError = true;
            return parsed;
        }
        o.link = link;
    }
    return parsed;
}

}  // namespace tq370
