#include "link/wifi_settings.h"

#include <gtest/gtest.h>

#include "link/text_reply.h"

namespace tq370 {
namespace {

TEST(WifiSettings, CommandTextKeepsPrintableAsciiWithin99Bytes) {
    struct Case {
        const char* what;
        std::string value;
        std::string expected;
    };
    const std::string long100(100, 'x');
    const Case cases[] = {
        {"plain", "MyCar_DSP", "Set_RouteSSID:MyCar_DSP"},
        {"Chinese dropped", "车载DSP网络", "Set_RouteSSID:DSP"},
        {"only Chinese leaves the prefix", "车载网络", "Set_RouteSSID:"},
        {"control bytes dropped", "a\tb\r\nc\x1f", "Set_RouteSSID:abc"},
        {"space and DEL kept", "a b\x7f", "Set_RouteSSID:a b\x7f"},
        {"cut at 99 bytes in all", long100, "Set_RouteSSID:" + std::string(99 - 14, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(settingCommandText("Set_RouteSSID:", c.value), c.expected);
    }
    // Characters dropped do not count toward the limit.
    EXPECT_EQ(settingCommandText("P:", std::string(200, '\n') + "ok"), "P:ok");
}

TEST(WifiSettings, HotspotChecksNameThenPassword) {
    struct Case {
        const char* what;
        std::string ssid;
        std::string password;
        std::vector<TextCommand> commands;
        WifiSettingProblem problem;
    };
    const Case cases[] = {
        {"both sent",
         "Car",
         "12345678",
         {{13, "Set_HotSSID:Car"}, {14, "Set_HotPW:12345678"}},
         WifiSettingProblem::None},
        {"empty password sent bare",
         "Car",
         "",
         {{13, "Set_HotSSID:Car"}, {14, "Set_HotPW:"}},
         WifiSettingProblem::None},
        {"seven characters refused after the name",
         "Car",
         "1234567",
         {{13, "Set_HotSSID:Car"}},
         WifiSettingProblem::PasswordTooShort},
        {"one character refused",
         "Car",
         "1",
         {{13, "Set_HotSSID:Car"}},
         WifiSettingProblem::PasswordTooShort},
        // Characters, not bytes: seven Chinese characters are 21 bytes.
        {"seven wide characters refused",
         "Car",
         "一二三四五六七",
         {{13, "Set_HotSSID:Car"}},
         WifiSettingProblem::PasswordTooShort},
        {"empty name: nothing", "", "12345678", {}, WifiSettingProblem::SsidEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WifiSettingRequest request = hotspotSettingCommands(c.ssid, c.password);
        EXPECT_EQ(request.commands, c.commands);
        EXPECT_EQ(request.problem, c.problem);
    }
}

TEST(WifiSettings, RouterChecksOnlyTheName) {
    WifiSettingRequest request = routerSettingCommands("Home", "1");
    EXPECT_EQ(request.problem, WifiSettingProblem::None);
    EXPECT_EQ(request.commands,
              (std::vector<TextCommand>{{11, "Set_RouteSSID:Home"}, {12, "Set_RoutePW:1"}}));
    request = routerSettingCommands("", "password");
    EXPECT_EQ(request.problem, WifiSettingProblem::SsidEmpty);
    EXPECT_TRUE(request.commands.empty());
}

TEST(WifiSettings, ProblemTextsInEveryLanguage) {
    EXPECT_EQ(wifiSettingProblemText(WifiSettingProblem::SsidEmpty, Language::SimplifiedChinese),
              "SSID不能为空!");
    EXPECT_EQ(wifiSettingProblemText(WifiSettingProblem::SsidEmpty, Language::TraditionalChinese),
              "SSID不能為空!");
    EXPECT_EQ(wifiSettingProblemText(WifiSettingProblem::SsidEmpty, Language::English),
              "SSID can't be empty!");
    EXPECT_EQ(
        wifiSettingProblemText(WifiSettingProblem::PasswordTooShort, Language::SimplifiedChinese),
        "密码不能小于8位!");
    EXPECT_EQ(
        wifiSettingProblemText(WifiSettingProblem::PasswordTooShort, Language::TraditionalChinese),
        "密碼不能小於8位!");
    EXPECT_EQ(wifiSettingProblemText(WifiSettingProblem::PasswordTooShort, Language::English),
              "Password cannot be less than eight!");
    EXPECT_EQ(wifiSettingProblemText(WifiSettingProblem::None, Language::English), "");
}

TEST(WifiSettings, ModeCommandAndReply) {
    EXPECT_EQ(wifiModeCommand(WifiMode::Hotspot), (TextCommand{10, "Set_WiFiMode:1"}));
    EXPECT_EQ(wifiModeCommand(WifiMode::Router), (TextCommand{10, "Set_WiFiMode:2"}));
    for (std::int32_t value : {0, 1, 3, -1}) {
        EXPECT_EQ(wifiModeFromValue(value), WifiMode::Hotspot) << value;
    }
    EXPECT_EQ(wifiModeFromValue(2), WifiMode::Router);
}

TEST(WifiSettings, ReadCommandsQueueTheQueriesButNotThePorts) {
    LinkContext context;
    context.textSlots[5].retry = 7;  // left over from an earlier, given-up command
    queueWifiReadCommands(context);
    struct Case {
        int slot;
        const char* text;
        bool pending;
    };
    const Case cases[] = {
        {0, "Get_IP:", true},       {2, "Get_WiFiMode:", true},  {3, "Get_TCPPort:", false},
        {4, "Get_UDPPort:", false}, {5, "Get_RouteSSID:", true}, {6, "Get_RoutePW:", true},
        {7, "Get_HotSSID:", true},  {8, "Get_HotPW:", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        const TextSlot& slot = context.textSlots[static_cast<std::size_t>(c.slot)];
        EXPECT_EQ(slot.text(), c.text);
        EXPECT_EQ(slot.pending > 0, c.pending);
    }
    EXPECT_EQ(context.textSlots[5].retry, 0) << "a new command gets every send";
    for (int untouched : {1, 9, 10, 11, 12, 13, 14, 15, 16}) {
        EXPECT_EQ(context.textSlots[static_cast<std::size_t>(untouched)].pending, 0) << untouched;
    }
}

TEST(WifiSettings, StringRepliesAreReadAfterTheirPrefix) {
    LinkContext context;
    queueWifiReadCommands(context);
    interpretTextReply(context, "Get_HotSSID:TQ-R480_5A");
    EXPECT_EQ(replyTextAfterPrefix(context.textSlots[7].text(), "Get_HotSSID:"), "TQ-R480_5A");
    // Before the reply the slot holds the bare query: nothing after it.
    EXPECT_EQ(replyTextAfterPrefix(context.textSlots[8].text(), "Get_HotPW:"), "");
    EXPECT_EQ(replyTextAfterPrefix("unrelated", "Get_HotPW:"), std::nullopt);
}

TEST(WifiSettings, BadSlotIsIgnored) {
    LinkContext context;
    queueTextCommand(context, {TEXT_SLOT_COUNT, "x"});
    queueTextCommand(context, {-1, "x"});
    for (const TextSlot& slot : context.textSlots) EXPECT_EQ(slot.pending, 0);
}

}  // namespace
}  // namespace tq370
