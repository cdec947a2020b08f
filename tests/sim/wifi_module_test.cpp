#include "sim/wifi_module.h"

#include <gtest/gtest.h>

#include <string>

#include "link/link_context.h"
#include "link/text_reply.h"

namespace tq370 {
namespace {

struct TextCase {
    std::string_view command;
    const char* reply;  // nullptr: no reply
};

// Queries answer with the state below; settings change it and answer with their prefix.
TEST(SimWifiModule, AnswersQueriesAndSettings) {
    const TextCase cases[] = {
        {"Get_IP:", "Get_IP:C0A80401"},
        {"Get_LinkIP:", "Get_LinkIP:00000000"},
        {"Get_WiFiMode:", "Get_WiFiMode:1"},
        {"Get_TCPPort:", "Get_TCPPort:1010"},
        {"Get_UDPPort:", "Get_UDPPort:1010"},
        {"Get_RouteSSID:", "Get_RouteSSID:TQ-Router"},
        {"Get_HotPW:", "Get_HotPW:12345678"},
        {"Set_HotSSID:Car", "Set_HotSSID:"},
        {"Get_HotSSID:", "Get_HotSSID:Car"},
        {"Set_RoutePW:secret99", "Set_RoutePW:"},
        {"Get_RoutePW:", "Get_RoutePW:secret99"},
        {"Set_WiFiMode:2", "Set_WiFiMode:"},
        {"Get_WiFiMode:", "Get_WiFiMode:2"},
        {"Set_WiFiMode:x", nullptr},
        {std::string_view("Get_IP:\0junk", 12), "Get_IP:C0A80401"},
        {"Hello", nullptr},
        {"", nullptr},
    };
    WifiModuleState state;
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string(c.command));
        auto reply = answerTextCommand(state, c.command);
        if (c.reply == nullptr) {
            EXPECT_FALSE(reply);
        } else {
            ASSERT_TRUE(reply);
            EXPECT_EQ(*reply, c.reply);
        }
    }
}

TEST(SimWifiModule, RestoreBringsFactorySettingsBackAndRestartCounts) {
    WifiModuleState state;
    answerTextCommand(state, "Set_HotSSID:Changed");
    answerTextCommand(state, "Set_Restart:");
    EXPECT_EQ(answerTextCommand(state, "Set_Restore:"), "Set_Restore:");
    EXPECT_EQ(state.hotspotSsid, WifiModuleState().hotspotSsid);
    EXPECT_EQ(state.restores, 1);
    EXPECT_EQ(state.restarts, 1);
}

// The host's interpreter reads every query reply back into the right slot and value.
TEST(SimWifiModule, RepliesAreUnderstoodByTheHost) {
    WifiModuleState state;
    state.ipAddress = 0xC0A80102;
    state.tcpPort = 4321;
    LinkContext link;
    interpretTextReply(link, *answerTextCommand(state, "Get_IP:"));
    interpretTextReply(link, *answerTextCommand(state, "Get_TCPPort:"));
    EXPECT_EQ(static_cast<std::uint32_t>(link.textSlots[0].value.load()), 0xC0A80102u);
    EXPECT_EQ(link.textSlots[3].value.load(), 4321);
}

}  // namespace
}  // namespace tq370
