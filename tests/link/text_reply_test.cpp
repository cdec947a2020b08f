#include "link/text_reply.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace tq370 {
namespace {

using namespace std::string_literals;

struct Case {
    std::string text;
    std::optional<int> slot;
    std::int64_t value;  // expected slot value for numeric replies
};

// Numeric replies: hexadecimal for addresses and modes, decimal for ports.
const Case NUMERIC_CASES[] = {
    {"Get_IP:C0A80102", 0, 0xC0A80102},
    {"Get_IP:c0a80102\r\n", 0, 0xC0A80102},  // lower case; other characters skipped
    {"Get_IP:C0A8 102", 0, 0xC0A80102},      // a space counts as a 0 digit
    {"Get_IP:", std::nullopt, 0},            // shorter than 8: ignored
    {"Get_IP:123456789", 0, 0x23456789},     // wraps at 32 bits
    {"Get_LinkIP:0", 1, 0},
    {"Get_LinkIP:", std::nullopt, 0},
    {"Get_WiFiMode:2", 2, 2},
    {"Get_TCPPort:1010", 3, 1010},
    {"Get_TCPPort:8A0", 3, 80},  // decimal skips non-digits, spaces included
    {"Get_TCPPort: 1 0", 3, 10},
    {"Get_TCPPort:", std::nullopt, 0},
    {"Get_UDPPort:1010", 4, 1010},
    {"xxGet_UDPPort:7", 4, 7},                     // the prefix may stand anywhere
    {"Get_TCPPort:Get_IP:1", 0, 1},                // first prefix of the list wins
    {"Get_IP:0A0B0C0D\0garbage"s, 0, 0x0A0B0C0D},  // the text ends at a zero byte
    {"Get_IP\0:1"s, std::nullopt, 0},
    {"hello", std::nullopt, 0},
    {"", std::nullopt, 0},
};

class TextReplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& slot : context->textSlots) {
            slot.pending = 1;
            slot.retry = 5;
            slot.value = -1;
        }
    }
    std::unique_ptr<LinkContext> context = std::make_unique<LinkContext>();
};

TEST_F(TextReplyTest, NumericRepliesStoreTheirValue) {
    for (const auto& c : NUMERIC_CASES) {
        SCOPED_TRACE(c.text);
        SetUp();
        for (auto& slot : context->textSlots) slot.answered = 0;
        std::vector<std::uint32_t> offered;
        auto slot = interpretTextReply(*context, c.text,
                                       [&](std::uint32_t address) { offered.push_back(address); });
        EXPECT_EQ(slot, c.slot);
        for (int s = 0; s < TEXT_SLOT_COUNT; ++s) {
            const TextSlot& t = context->textSlots[s];
            if (c.slot && s == *c.slot) {
                EXPECT_EQ(static_cast<std::uint32_t>(t.value.load()),
                          static_cast<std::uint32_t>(c.value));
                EXPECT_EQ(t.answered, 1);
                EXPECT_EQ(t.pending, 0);
                EXPECT_EQ(t.retry, 0);
            } else {
                EXPECT_EQ(t.answered, 0) << "slot " << s;
                EXPECT_EQ(t.pending, 1) << "slot " << s;
            }
        }
        if (c.slot == 0) {
            EXPECT_EQ(offered, std::vector<std::uint32_t>{static_cast<std::uint32_t>(c.value)});
        } else {
            EXPECT_TRUE(offered.empty());
        }
    }
}

TEST_F(TextReplyTest, StringQueriesCopyTheWholeReply) {
    struct StringCase {
        std::string text;
        int slot;
    } cases[] = {{"Get_RouteSSID:My Net", 5},
                 {"Get_RoutePW:pass word1", 6},
                 {"Get_HotSSID:", 7},
                 {"Get_HotPW:secret", 8}};
    for (const auto& c : cases) {
        context->textSlots[c.slot].setText("query");
        EXPECT_EQ(interpretTextReply(*context, c.text), c.slot);
        EXPECT_EQ(context->textSlots[c.slot].text(), c.text);
        EXPECT_EQ(context->textSlots[c.slot].answered, 1);
        EXPECT_EQ(context->textSlots[c.slot].value, -1) << "no number for a string query";
    }
}

TEST_F(TextReplyTest, SettingsAreAcknowledgedOnly) {
    const std::pair<const char*, int> cases[] = {{"Set_WiFiMode:1", 10}, {"Set_RouteSSID:abc", 11},
                                                 {"Set_RoutePW:x", 12},  {"Set_HotSSID:h", 13},
                                                 {"Set_HotPW:p", 14},    {"Set_Restore:", 15},
                                                 {"Set_Restart:", 16}};
    for (auto [text, slot] : cases) {
        context->textSlots[slot].setText(text);
        EXPECT_EQ(interpretTextReply(*context, text), slot);
        EXPECT_EQ(context->textSlots[slot].answered, 1) << text;
        EXPECT_EQ(context->textSlots[slot].pending, 0) << text;
        EXPECT_EQ(context->textSlots[slot].text(), text) << "the command text stays";
    }
    EXPECT_EQ(context->textSlots[9].answered, 0) << "slot 9 has no command";
}

}  // namespace
}  // namespace tq370
