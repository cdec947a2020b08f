#include "app/app_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace tq370 {
namespace {

ParsedCommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "tq370");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, ChoosesTheLinkOfThisRun) {
    struct Case {
        std::vector<const char*> args;
        bool configured;
        TransportKind kind;
    };
    const Case cases[] = {
        {{}, true, TransportKind::Usb},
        {{"--demo"}, true, TransportKind::Usb},
        {{"--usb"}, false, TransportKind::Usb},
        {{"--serial", "/dev/ttyUSB0"}, false, TransportKind::Serial},
        {{"--wifi"}, false, TransportKind::WiFi},
        {{"--wifi", "127.0.0.2", "--tcp-port", "41010", "--own-address", "127.0.0.1"},
         false,
         TransportKind::WiFi},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = parse(c.args);
        ASSERT_FALSE(parsed.exitCode) << parsed.output;
        EXPECT_EQ(!parsed.options.link, c.configured);
        if (parsed.options.link) {
            EXPECT_EQ(parsed.options.link->kind, c.kind);
        }
    }
    const ParsedCommandLine wifi = parse({"--wifi", "127.0.0.2", "--tcp-port", "41010"});
    EXPECT_EQ(wifi.options.link->wifiAddress, "127.0.0.2");
    EXPECT_EQ(wifi.options.link->tcpPort, 41010);
    EXPECT_EQ(wifi.options.link->udpPort, 1010);
}

TEST(CommandLine, TakesLanguageScreenshotAndTimeout) {
    const ParsedCommandLine parsed =
        parse({"--demo", "--lang", "zh-TW", "--screenshot", "a.png", "--timeout", "5"});
    ASSERT_FALSE(parsed.exitCode);
    EXPECT_TRUE(parsed.options.demo);
    EXPECT_EQ(parsed.options.language, Language::TraditionalChinese);
    EXPECT_EQ(parsed.options.screenshotPath, "a.png");
    EXPECT_EQ(parsed.options.timeoutSeconds, 5);
    EXPECT_EQ(parse({}).options.timeoutSeconds, 60);
}

TEST(CommandLine, RefusesWhatNamesNoUsableRun) {
    const std::vector<std::vector<const char*>> bad = {
        {"--demo", "--usb"},      {"--serial", "/dev/ttyS0", "--wifi"},
        {"--tcp-port", "5"},      {"--wifi", "--udp-port", "0"},
        {"--wifi", "10.0.0.256"}, {"--wifi", "--own-address", "pc"},
        {"--lang", "fr"},         {"--timeout", "0"},
        {"--screenshot"},         {"extra"},
    };
    for (const auto& args : bad) {
        const ParsedCommandLine parsed = parse(args);
        EXPECT_EQ(parsed.exitCode, EXIT_USAGE) << args.front();
        EXPECT_TRUE(parsed.outputIsError);
        EXPECT_EQ(parsed.output.rfind("tq370: ", 0), 0u) << parsed.output;
    }
    const ParsedCommandLine help = parse({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--screenshot"), std::string::npos);
    EXPECT_EQ(parse({"--version"}).exitCode, 0);
}

}  // namespace
}  // namespace tq370
