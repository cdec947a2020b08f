#include <gtest/gtest.h>

#include <map>

#include "app_fixture.h"
#include "params/channel_register_map.h"
#include "params/param_encoding.h"
#include "params/param_item.h"
#include "ui/ui_harness.h"

namespace tq370::test {
namespace {

// Every action of a position menu, by code: whether it can be chosen and is checked.
struct MenuEntry {
    bool enabled;
    bool checked;
};
void collect(QMenu& menu, std::map<int, MenuEntry>& entries) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            collect(*action->menu(), entries);
        } else {
            entries[action->data().toInt()] = {action->isEnabled(), action->isChecked()};
        }
    }
}
std::map<int, MenuEntry> menuOf(ChannelStrip& strip) {
    std::map<int, MenuEntry> entries;
    collect(*strip.positionMenu(), entries);
    return entries;
}

class ChannelStripTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        makeWindow();
        window->showStartState();
        settle();
    }
    void clickButton(int slot, int index) {
        ImageButton& button = window->strip(slot).button(index);
        click(button, button.rect().center());
        settle();
    }
    QString positionCaption(int slot) {
        return window->strip(slot).button(ChannelStrip::BUTTON_POSITION).caption();
    }
    void showFromProcessor(int reg, int value) {
        registers().storeDeviceValue(reg, static_cast<std::uint16_t>(value));
        sendToWindow(WM_LINK_NOTIFY, LINK_NOTIFY_REGISTER, reg);
    }
};

TEST_F(ChannelStripTest, ShowsTheDefaultPositionsBeforeAnythingIsRead) {
    const char* labels[CHANNEL_COUNT] = {"FrontLeftTweeter", "FrontRightTweeter",
                                         "FrontLeftWoofer",  "FrontRightWoofer",
                                         "RearLeftTweeter",  "RearRightTweeter",
                                         "RearLeftWoofer",   "RearRightWoofer",
                                         "CenterTweeter",    "Empty",
                                         "L-Subwoofer",      "R-Subwoofer"};
    for (int slot = 0; slot < CHANNEL_COUNT; ++slot) {
        EXPECT_EQ(positionCaption(slot), labels[slot]) << slot;
        EXPECT_EQ(window->strip(slot).button(ChannelStrip::BUTTON_NAME).caption(),
                  QStringLiteral("CH%1").arg(slot + 1));
    }
    // Inputs 11 and 12 are out of sight; the mute button takes their place.
    ChannelStrip& strip = window->strip(0);
    EXPECT_LT(strip.button(ChannelStrip::BUTTON_FIRST_INPUT + 10).y(), 0);
    EXPECT_LT(strip.button(ChannelStrip::BUTTON_FIRST_INPUT + 11).y(), 0);
    EXPECT_GE(strip.button(ChannelStrip::BUTTON_FIRST_INPUT + 9).y(), 0);
}

TEST_F(ChannelStripTest, TheMenuGreysThePositionsAnotherSlotTakes) {
    showFromProcessor(REG_SPEAKER_POSITION + 2, 6);  // slot 2: front left full range
    const auto entries = menuOf(window->strip(0));
    ASSERT_EQ(entries.size(), 25u);
    for (const auto& [code, entry] : entries) {
        // Codes 1..6 are front left; 9, 13, 14, 16.. are held by slots 3..11.
        const bool frontLeft = code >= 1 && code <= 6;
        if (frontLeft) {
            EXPECT_FALSE(entry.enabled) << code;
        }
        EXPECT_EQ(entry.checked, code == 1) << code;  // slot 0's own code
    }
    EXPECT_TRUE(entries.at(0).enabled) << "Empty is always there";
    EXPECT_TRUE(entries.at(8).enabled) << "front right midrange is free";
    EXPECT_FALSE(entries.at(7).enabled) << "front right tweeter is slot 1's";
}

TEST_F(ChannelStripTest, ChoosingEmptyWritesZeroAndShowsIt) {
    registers().dropPendingWrite(REG_SPEAKER_POSITION + 3);
    MessageWindow::send(&window->strip(3), ID_POSITION_COMMAND_FIRST + 0, 0, 0);
    EXPECT_EQ(registers().getRegister(REG_SPEAKER_POSITION + 3), 0);
    EXPECT_TRUE(registers().isWritePending(REG_SPEAKER_POSITION + 3));
    EXPECT_EQ(positionCaption(3), "Empty");
    setCurrentLanguage(Language::SimplifiedChinese);
    sendToWindow(WM_LANGUAGE_CHANGED, 0, 0);
    EXPECT_EQ(positionCaption(3), "空");
}

TEST_F(ChannelStripTest, APositionOutsideTheTableLeavesTheLabelAndTakesNothing) {
    showFromProcessor(REG_SPEAKER_POSITION + 2, 30);
    EXPECT_EQ(positionCaption(2), "FrontLeftWoofer");
    const auto withThirty = menuOf(window->strip(0));
    showFromProcessor(REG_SPEAKER_POSITION + 2, 0);
    const auto withEmpty = menuOf(window->strip(0));
    for (const auto& [code, entry] : withThirty) {
        EXPECT_EQ(entry.enabled, withEmpty.at(code).enabled) << code;
    }
}

TEST_F(ChannelStripTest, ToggleAndMuteClicksWriteThroughTheWritePath) {
    struct Case {
        int slot;
        int button;
        int reg;
        int expected;
    };
    registers().setRegister(REG_ROUTING_FIRST + 36 + 7, 0x6400);
    const Case cases[] = {
        // Input toggle 7 of slot 3 is strip item 6: register 30 + 36 + 7, the level kept.
        {3, ChannelStrip::BUTTON_FIRST_INPUT + 6, 73, 0x6401},
        {3, ChannelStrip::BUTTON_FIRST_INPUT + 6, 73, 0x6400},
        {4, ChannelStrip::BUTTON_MUTE, REG_CHANNEL_MUTE + 4, 1},
        {4, ChannelStrip::BUTTON_MUTE, REG_CHANNEL_MUTE + 4, 0},
    };
    for (const Case& c : cases) {
        clickButton(c.slot, c.button);
        EXPECT_EQ(registers().getRegister(c.reg), c.expected) << c.reg;
        EXPECT_TRUE(registers().isWritePending(c.reg)) << c.reg;
    }
}

TEST_F(ChannelStripTest, TheNameMakesTheChannelCurrent) {
    clickButton(7, ChannelStrip::BUTTON_NAME);
    EXPECT_EQ(window->currentSlot(), 7);
    EXPECT_TRUE(window->strip(7).selected());
    EXPECT_FALSE(window->strip(0).selected());
    EXPECT_EQ(pendingWrites(), 0);
}

TEST_F(ChannelStripTest, TheProcessorsValuesShowWithoutBeingWrittenBack) {
    showFromProcessor(REG_CHANNEL_MUTE + 5, 1);
    showFromProcessor(routingRegister(5, 2), 0x3201);
    ChannelStrip& strip = window->strip(5);
    EXPECT_EQ(strip.button(ChannelStrip::BUTTON_MUTE).buttonCheck(), ImageButton::TOGGLE_ON);
    EXPECT_EQ(strip.button(ChannelStrip::BUTTON_FIRST_INPUT + 1).buttonCheck(),
              ImageButton::TOGGLE_ON);
    EXPECT_EQ(strip.encodeItem(STRIP_ITEM_MUTE), 1);
    EXPECT_EQ(pendingWrites(), 0);
}

}  // namespace
}  // namespace tq370::test
