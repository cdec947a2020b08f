#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/value_box.h"
#include "ui_harness.h"

namespace tq370::test {
namespace {

constexpr int BOX_ID = 10024;

// An EQ gain box as the EQ panel makes it, on a shown host so it can take the focus.
class ValueBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(200, 100);
        box = new ValueBox(&host, BOX_ID);
        box->setGeometry(10, 10, 30, 15);
        box->setFormat({ValueKind::Gain, -200, 200, 10, "%0.1f"});
        box->setNotifyIndex(5);
        other = new ValueBox(&host, BOX_ID + 1);
        other->setGeometry(60, 10, 30, 15);
        host.show();
        processEvents();
        // Showing the window focuses its first box; the tests start without focus.
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
        processEvents();
        host.messages.clear();
    }

    void leave() {
        focus(*other);
        host.messages.erase(std::remove_if(host.messages.begin(), host.messages.end(),
                                           [](const Message& m) { return m.message != BOX_ID; }),
                            host.messages.end());
    }

    MessageRecorder host;
    ValueBox* box = nullptr;
    ValueBox* other = nullptr;
};

TEST_F(ValueBoxTest, HostValuesAreShownWithoutNotifying) {
    box->setRealValue(-3.5);
    EXPECT_EQ(box->position(), -35);
    EXPECT_EQ(box->text(), QStringLiteral("-3.5"));
    EXPECT_DOUBLE_EQ(box->getRealValue(), -3.5);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ValueBoxTest, FocusInAndOutWithoutTypingNotifiesOnce) {
    box->setRealValue(-3.5);
    focus(box->editField());
    leave();
    EXPECT_EQ(host.messages, (std::vector<Message>{{BOX_ID, 5, -35}}));
    EXPECT_EQ(box->currentBackground(), QColor(38, 38, 38));
}

TEST_F(ValueBoxTest, TypingAndLeavingStoresTheClampedPositionAndNotifies) {
    box->setRealValue(-3.5);
    focus(box->editField());
    EXPECT_EQ(box->currentBackground(), QColor(73, 72, 72));
    box->editField().selectAll();
    typeText(box->editField(), QStringLiteral("+25"));
    leave();
    EXPECT_EQ(box->position(), 200);
    EXPECT_EQ(box->text(), QStringLiteral("20.0"));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages.back(), (Message{BOX_ID, 5, 200}));
}

TEST_F(ValueBoxTest, UpDownAndEnterStepAndConfirm) {
    box->setRealValue(0);
    focus(box->editField());
    host.messages.clear();
    key(box->editField(), Qt::Key_Up);
    key(box->editField(), Qt::Key_Up);
    key(box->editField(), Qt::Key_Down);
    EXPECT_EQ(box->position(), 1);
    EXPECT_EQ(box->text(), QStringLiteral("0.1"));
    box->editField().selectAll();
    typeText(box->editField(), QStringLiteral("-7"));
    key(box->editField(), Qt::Key_Return);
    EXPECT_EQ(box->position(), -70);
    std::vector<LParam> reported;
    for (const Message& m : host.messages) reported.push_back(m.lParam);
    EXPECT_EQ(reported, (std::vector<LParam>{1, 2, 1, -70}));
}

TEST_F(ValueBoxTest, WheelStepsFromTheShownText) {
    box->setRealValue(19.9);
    wheel(*box, QPoint(5, 5), +1);
    wheel(*box, QPoint(5, 5), +1);  // clamped at 20.0
    EXPECT_EQ(box->position(), 200);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages.back().lParam, 200);
    wheel(*box, QPoint(5, 5), -1);
    EXPECT_EQ(box->position(), 199);
}

TEST_F(ValueBoxTest, NotEditableIgnoresWheelKeysAndFocus) {
    box->setRealValue(1);
    box->setEditable(false);
    wheel(*box, QPoint(5, 5), +1);
    click(*box, QPoint(5, 5));
    key(box->editField(), Qt::Key_Up);
    EXPECT_EQ(box->position(), 10);
    EXPECT_FALSE(box->editField().hasFocus());
    EXPECT_TRUE(host.messages.empty());
    // The text is dimmed towards the background.
    const QColor text = box->editField().palette().color(QPalette::Text);
    EXPECT_LT(text.red(), 200);
    EXPECT_GT(text.red(), 38);
}

TEST_F(ValueBoxTest, DelayBoxKeepsItsSamplesAcrossUnits) {
    box->setFormat({ValueKind::DelayMs, 0, 960, 1, "%0.3f"});
    box->setPosition(48);
    EXPECT_EQ(box->text(), QStringLiteral("1.000"));
    box->setValueKind(ValueKind::DelayCm);
    EXPECT_EQ(box->text(), QStringLiteral("34.60"));
    box->setValueKind(ValueKind::DelayInch);
    EXPECT_EQ(box->text(), QStringLiteral("13.62"));
    EXPECT_DOUBLE_EQ(box->getRealValue(), 1.0005);
    box->setValueKind(ValueKind::DelayCm);
    focus(box->editField());
    box->editField().selectAll();
    typeText(box->editField(), QStringLiteral("12"));
    leave();
    EXPECT_EQ(box->position(), 17);
}

TEST_F(ValueBoxTest, BalanceBoxLeftShowingCenterKeepsTheMiddle) {
    box->setFormat({ValueKind::Balance, 0, 20, 1, "%0.0f"});
    box->setPosition(10);
    EXPECT_EQ(box->text(), QStringLiteral("Center"));
    focus(box->editField());
    leave();
    EXPECT_EQ(box->position(), 10);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ValueBoxTest, MasterVolumeShowsAndTakesOff) {
    box->setFormat({ValueKind::Volume, -60, 0, 1, "%0.0fdB"});
    box->setRealValue(-60);
    EXPECT_EQ(box->text(), QStringLiteral("OFF"));
    box->setRealValue(-12);
    EXPECT_EQ(box->text(), QStringLiteral("-12dB"));
    focus(box->editField());
    box->editField().selectAll();
    typeText(box->editField(), QStringLiteral("OFF"));
    leave();
    EXPECT_EQ(box->position(), -60);
}

TEST_F(ValueBoxTest, EditFieldSitsInsideTheFrame) {
    EXPECT_EQ(box->editField().geometry(), QRect(2, 2, 26, 11));
    box->setFramed(false);
    EXPECT_EQ(box->editField().geometry(), QRect(0, 0, 30, 15));
}

}  // namespace
}  // namespace tq370::test
