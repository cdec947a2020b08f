#include <QAbstractItemView>

#include <gtest/gtest.h>

#include "controls/styled_combo_box.h"
#include "ui_harness.h"

namespace tq370::test {
namespace {

constexpr int COMBO_ID = 16124;

class StyledComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(300, 200);
        combo = new StyledComboBox(&host, COMBO_ID);
        combo->setGeometry(20, 20, 72, 17);
        combo->setComboStyle(&host);
        combo->setNotifyIndex(3);
        for (const char* item : {"6dB/Oct", "12dB/Oct", "OFF"}) combo->addItem(item);
        host.show();
        processEvents();
    }

    void TearDown() override { combo->list().hidePopup(); }

    MessageRecorder host;
    StyledComboBox* combo = nullptr;
};

TEST_F(StyledComboBoxTest, ComboIndexBeyondTheItemsShowsItemZero) {
    combo->setComboIndex(2);
    EXPECT_EQ(combo->displayedIndex(), 2);
    combo->setComboIndex(3);
    EXPECT_EQ(combo->displayedIndex(), 0);
    combo->setComboIndex(-1);
    EXPECT_EQ(combo->displayedIndex(), 0);
    processEvents();
    EXPECT_TRUE(host.messages.empty()) << "a host's index is not a user's pick";
}

TEST_F(StyledComboBoxTest, PickingAnItemPostsOnceAndShowsIt) {
    const QImage before = combo->picture();
    combo->list().showPopup();
    QAbstractItemView* view = combo->list().view();
    ASSERT_TRUE(view->isVisible());
    const QRect item = view->visualRect(view->model()->index(1, 0));
    click(*view->viewport(), item.center());
    EXPECT_TRUE(host.messages.empty()) << "posted, not sent";
    processEvents();
    EXPECT_EQ(host.messages, (std::vector<Message>{{COMBO_ID, 3, 3}}));
    EXPECT_EQ(combo->displayedIndex(), 1);
    EXPECT_NE(combo->picture(), before);
}

TEST_F(StyledComboBoxTest, ADisabledComboShowsItsFaceButDoesNotOpen) {
    combo->setEnabled(false);
    const QImage& face = combo->picture();
    EXPECT_GT(qAlpha(face.pixel(30, 8)), 0) << "the face is still drawn";
    click(combo->list(), QPoint(60, 8));
    EXPECT_FALSE(combo->list().view()->isVisible());
}

TEST_F(StyledComboBoxTest, FocusSwitchesTheFaceFrame) {
    combo->list().clearFocus();
    processEvents();
    ASSERT_FALSE(combo->hasFocusLook());
    const QImage normal = combo->picture();
    focus(combo->list());
    EXPECT_TRUE(combo->hasFocusLook());
    EXPECT_NE(combo->picture(), normal);
    combo->list().clearFocus();
    processEvents();
    EXPECT_FALSE(combo->hasFocusLook());
}

TEST(StyledComboBoxGeometry, TextBoxScalesWithTheWidth) {
    StyledComboBox combo(nullptr, 1);
    combo.resize(144, 34);
    EXPECT_EQ(combo.scaledTextRect(), QRect(QPoint(12, 0), QPoint(131, 33)));
}

}  // namespace
}  // namespace tq370::test
