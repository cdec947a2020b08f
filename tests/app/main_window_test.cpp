#include <gtest/gtest.h>

#include <QPushButton>

#include "app/app_texts.h"
#include "app_fixture.h"
#include "params/channel_register_map.h"
#include "text/string_table.h"
#include "text/text_ids.h"
#include "ui/ui_harness.h"

namespace tq370::test {
namespace {

class MainWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        makeWindow();
        window->showStartState();
        settle();
    }
    QString linkCaption() { return window->windowButton(BUTTON_LINK).caption(); }
};

TEST_F(MainWindowTest, EveryChildFollowsTheWindowSizeWithTruncatedCoordinates) {
    struct Case {
        QSize client;
        double s;
        int strip11Left, strip11Right;
        QRect closeButton;
    };
    const Case cases[] = {
        {{1280, 728}, 1, 1169, 1275, {1225, 0, 47, 20}},
        {{640, 728}, 0.5, 584, 637, {612, 0, 24, 10}},
        {{1920, 1092}, 1.5, 1753, 1912, {1837, 0, 71, 30}},
        {{1000, 500}, 500.0 / 728, 913, 996, {957, 0, 36, 13}},
    };
    for (const Case& c : cases) {
        window->resize(c.client);
        settle();
        EXPECT_DOUBLE_EQ(window->scale().s, c.s) << c.client.width();
        const QRect strip = window->strip(11).geometry();
        EXPECT_EQ(strip.left(), c.strip11Left) << c.client.width();
        EXPECT_EQ(strip.left() + strip.width(), c.strip11Right) << c.client.width();
        EXPECT_EQ(window->windowButton(BUTTON_CLOSE).geometry(), c.closeButton) << c.client.width();
    }
}

TEST_F(MainWindowTest, StartingAndShowingWriteNoRegister) {
    EXPECT_EQ(pendingWrites(), 0);
    // The master-volume box reports itself when it takes the focus; that is no change.
    focus(window->masterBox());
    settle();
    window->setFocus();
    settle();
    EXPECT_EQ(pendingWrites(), 0);
}

TEST_F(MainWindowTest, EnterDoesNothing) {
    key(*window, Qt::Key_Return);
    key(*window, Qt::Key_Enter);
    settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(pendingWrites(), 0);
}

TEST_F(MainWindowTest, TheMasterVolumeControlsWriteRegister176AndFollowIt) {
    sendToWindow(ID_MASTER_SLIDER, 0, -20);
    EXPECT_EQ(registers().getRegister(REG_MASTER_VOLUME), 580);
    EXPECT_EQ(window->masterBox().text(), "-20dB");

    registers().acknowledgeWrite(REG_MASTER_VOLUME, 580);
    registers().storeDeviceValue(REG_MASTER_VOLUME, 500);
    sendToWindow(WM_LINK_NOTIFY, LINK_NOTIFY_REGISTER, REG_MASTER_VOLUME);
    EXPECT_EQ(window->masterBox().text(), "OFF");
    EXPECT_EQ(window->masterSlider().sliderValue(), -60);
}

TEST_F(MainWindowTest, TheLinkStatusKeepsItsStateAcrossALanguageSwitch) {
    struct Case {
        int status;  // -1: pause
        Language language;
        const char* shown;
    };
    const Case cases[] = {
        {0, Language::SimplifiedChinese, "连接成功"},
        {0, Language::English, "Successful"},
        {1, Language::TraditionalChinese, "搜索連接"},
        {3, Language::English, "Search.."},
    };
    for (const Case& c : cases) {
        setCurrentLanguage(Language::English);
        sendToWindow(WM_LINK_NOTIFY, LINK_NOTIFY_STATUS, c.status);
        setCurrentLanguage(c.language);
        sendToWindow(WM_LANGUAGE_CHANGED, 0, 0);
        EXPECT_EQ(linkCaption(), QString::fromUtf8(c.shown)) << c.status;
    }
    EXPECT_EQ(window->masterLabel().labelText(), "Volume");
}

TEST_F(MainWindowTest, PausingShowsSuspendedInEveryLanguage) {
    sendToWindow(WM_LINK_NOTIFY, LINK_NOTIFY_STATUS, 0);
    sendToWindow(ID_WINDOW_BUTTON_FIRST + BUTTON_LINK, BUTTON_LINK, BUTTON_LINK);
    EXPECT_EQ(linkCaption(), "Suspended");
    EXPECT_EQ(window->windowButton(BUTTON_LINK).buttonCheck(), ImageButton::TOGGLE_ON)
        << "the image still shows the link's state";
    setCurrentLanguage(Language::SimplifiedChinese);
    sendToWindow(WM_LANGUAGE_CHANGED, 0, 0);
    EXPECT_EQ(linkCaption(), "暂停连接");
    EXPECT_EQ(window->masterLabel().labelText(), "总音量");
    EXPECT_EQ(window->windowButton(BUTTON_SYSTEM).caption(), "系统设置");
    EXPECT_EQ(window->strip(0).button(ChannelStrip::BUTTON_POSITION).caption(), "前置左高频");
}

TEST_F(MainWindowTest, SelectingAndLinkingPairsGoThroughTheChannelLinks) {
    sendToWindow(WM_SELECT_CHANNEL, 0, 2);
    EXPECT_EQ(window->currentSlot(), 2);
    for (int k = 0; k < CHANNEL_COUNT; ++k) EXPECT_EQ(window->strip(k).selected(), k == 2) << k;

    // Slot 2 (front left woofer) pairs with slot 3; the left side is copied to the right.
    registers().setRegister(REG_CHANNEL_MUTE + 2, 1);
    EXPECT_EQ(sendToWindow(WM_LINK_PAIRS, 1, 1), 1);
    settle();
    EXPECT_EQ(registers().getRegister(REG_CHANNEL_MUTE + 3), 1);
    for (int k = 0; k < CHANNEL_COUNT; ++k) {
        EXPECT_EQ(window->strip(k).selected(), k == 2 || k == 3) << k;
        EXPECT_FALSE(window->strip(k).button(ChannelStrip::BUTTON_POSITION).isEnabled()) << k;
    }
    EXPECT_EQ(window->strip(3).button(ChannelStrip::BUTTON_MUTE).buttonCheck(),
              ImageButton::TOGGLE_ON)
        << "the copied register is shown";

    sendToWindow(WM_LINK_PAIRS, 0, 0);
    settle();
    for (int k = 0; k < CHANNEL_COUNT; ++k) {
        EXPECT_EQ(window->strip(k).selected(), k == 2) << k;
        EXPECT_TRUE(window->strip(k).button(ChannelStrip::BUTTON_POSITION).isEnabled()) << k;
    }
}

TEST(MessageBoxButtons, AreCaptionedInTheCurrentLanguage) {
    struct Case {
        Language language;
        BoxButtons buttons;
        std::vector<QString> captions;
    };
    const Case cases[] = {
        {Language::English, BoxButtons::Ok, {"OK"}},
        {Language::SimplifiedChinese, BoxButtons::OkCancel, {"确定", "取消"}},
        {Language::TraditionalChinese, BoxButtons::YesNo, {"是", "否"}},
        {Language::English, BoxButtons::YesNo, {"Yes", "No"}},
    };
    QWidget owner;
    owner.setWindowTitle("TQ370-USB");
    MessageBoxes boxes(&owner);
    for (const Case& c : cases) {
        setCurrentLanguage(c.language);
        auto box = boxes.build("text", {}, c.buttons);
        std::vector<QString> captions;
        for (QAbstractButton* button : box->buttons()) captions.push_back(button->text());
        std::sort(captions.begin(), captions.end());
        std::vector<QString> expected = c.captions;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(captions, expected);
        EXPECT_EQ(box->windowTitle(), "TQ370-USB") << "no caption: the main window's title";
        EXPECT_EQ(box->defaultButton()->text(), c.captions.front());
    }
    setCurrentLanguage(Language::English);
}

}  // namespace
}  // namespace tq370::test
