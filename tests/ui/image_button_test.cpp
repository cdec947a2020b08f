#include <gtest/gtest.h>

#include "controls/artwork.h"
#include "controls/caption_layout.h"
#include "controls/image_button.h"
#include "ui_harness.h"

namespace tq370::test {
namespace {

constexpr int BUTTON_ID = 13024;

// A 4-frame strip where every frame is one solid, distinct colour.
QImage solidStrip(int frameWidth, int height) {
    QImage strip(frameWidth * 4, height, QImage::Format_ARGB32_Premultiplied);
    const QRgb colours[] = {qRgb(10, 0, 0), qRgb(0, 200, 0), qRgba(0, 0, 0, 0), qRgb(90, 90, 90)};
    for (int f = 0; f < 4; ++f) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < frameWidth; ++x) strip.setPixel(f * frameWidth + x, y, colours[f]);
        }
    }
    return strip;
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        button = new ImageButton(&host, BUTTON_ID, 7);
        button->setGeometry(10, 10, 65, 25);
        button->setButtonImage(143, &host);
        button->setButtonCheck(ImageButton::TOGGLE_OFF);
    }

    QPoint centre() const { return button->rect().center(); }
    std::vector<Message> posted() {
        processEvents();
        return host.messages;
    }

    MessageRecorder host;
    ImageButton* button = nullptr;
};

TEST_F(ImageButtonTest, FrameCountIsTakenWhenTheImageIsLoaded) {
    EXPECT_EQ(button->frameCount(), 4);
    // A host that scales its layout keeps the strip's frames.
    button->resize(32, 12);
    EXPECT_EQ(button->frameCount(), 4);
    button->resize(130, 25);
    button->setButtonImage(143, &host);
    EXPECT_EQ(button->frameCount(), 2);
}

TEST_F(ImageButtonTest, AToggleClickedTwiceReturnsToFrameZeroAndPostsTwice) {
    click(*button, centre());
    EXPECT_EQ(button->frameIndex(), 1);
    EXPECT_EQ(button->buttonCheck(), ImageButton::TOGGLE_ON);
    EXPECT_TRUE(host.messages.empty()) << "the click is posted, not sent";
    click(*button, centre());
    EXPECT_EQ(button->frameIndex(), 0);
    EXPECT_EQ(button->buttonCheck(), ImageButton::TOGGLE_OFF);
    EXPECT_EQ(posted(), (std::vector<Message>{{BUTTON_ID, 7, 7}, {BUTTON_ID, 7, 7}}));
}

TEST_F(ImageButtonTest, PressMoveOutAndReleasePostsNothing) {
    press(*button, centre());
    EXPECT_TRUE(button->isPressed());
    moveTo(*button, QPoint(-5, -5), true);
    EXPECT_FALSE(button->isPressed());
    release(*button, QPoint(-5, -5));
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(button->frameIndex(), 0);
}

TEST_F(ImageButtonTest, PushButtonKeepsItsFrameAndStillNotifies) {
    button->setButtonCheck(ImageButton::PUSH);
    click(*button, centre());
    EXPECT_EQ(button->frameIndex(), 0);
    EXPECT_EQ(posted().size(), 1u);
}

TEST_F(ImageButtonTest, DisabledShowsFrameThreeAndEnablingRestoresTheToggle) {
    button->setButtonCheck(ImageButton::TOGGLE_ON);
    button->setEnabled(false);
    EXPECT_EQ(button->frameIndex(), ImageButton::DISABLED_FRAME);
    // Ignored while disabled.
    button->setButtonCheck(ImageButton::TOGGLE_OFF);
    button->setEnabled(true);
    EXPECT_EQ(button->frameIndex(), 1);
    EXPECT_EQ(button->buttonCheck(), ImageButton::TOGGLE_ON);
}

TEST_F(ImageButtonTest, NotClickableIgnoresPresses) {
    button->setClickable(false);
    click(*button, centre());
    EXPECT_TRUE(posted().empty());
}

TEST_F(ImageButtonTest, HoverOnlyInsideTheActiveArea) {
    // The caption box covers the left half of the frame only.
    button->setTextRect(QRect(0, 0, 32, 25));
    moveTo(*button, QPoint(50, 12), false);
    EXPECT_FALSE(button->isHovering());
    moveTo(*button, QPoint(10, 12), false);
    EXPECT_TRUE(button->isHovering());
    press(*button, QPoint(50, 12));
    EXPECT_FALSE(button->isPressed()) << "a press outside the active area is not a press";
    moveTo(*button, QPoint(50, 12), false);
    EXPECT_FALSE(button->isHovering());
}

TEST(ImageButtonPicture, ShowsTheCurrentFrameAndTheHoverOverlay) {
    MessageRecorder host;
    ImageButton button(&host, 1);
    button.setGeometry(0, 0, 20, 10);
    QImage strip = solidStrip(20, 10);
    // An opaque hover frame covers the frame below it while hovering.
    for (int y = 0; y < 10; ++y) {
        for (int x = 40; x < 60; ++x) strip.setPixel(x, y, qRgba(100, 100, 100, 255));
    }
    button.setButtonImage(strip, nullptr);
    button.setButtonCheck(ImageButton::TOGGLE_OFF);
    EXPECT_EQ(button.picture().pixel(5, 5), qRgb(10, 0, 0));
    button.setButtonCheck(ImageButton::TOGGLE_ON);
    EXPECT_EQ(button.picture().pixel(5, 5), qRgb(0, 200, 0));
    moveTo(button, QPoint(10, 5), false);
    ASSERT_TRUE(button.isHovering());
    EXPECT_EQ(button.picture().pixel(5, 5), qRgb(100, 100, 100));
    button.setEnabled(false);
    EXPECT_EQ(button.picture().pixel(5, 5), qRgb(90, 90, 90));
}

TEST(ImageButtonPicture, WithoutAnImageTheCaptionIsDrawnOverTheNoHostBackground) {
    ImageButton button(nullptr, 1);
    button.resize(80, 24);
    button.setButtonTextStyle(16, QStringLiteral("Arial"), Qt::black, Qt::red,
                              ALIGN_CENTER | ALIGN_VCENTER | ALIGN_SINGLE_LINE);
    button.setCaption(QStringLiteral("RST"));
    const QImage& picture = button.picture();
    EXPECT_EQ(picture.pixel(1, 1), qRgb(240, 240, 240));
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qRed(picture.pixel(x, y)) < 60) ++dark;
        }
    }
    EXPECT_GT(dark, 20) << "caption pixels";
    EXPECT_EQ(button.caption(), QStringLiteral("RST"));
}

TEST(ImageButtonPicture, CopiesItselfIntoItsHostsPictureAtItsPlace) {
    MessageRecorder host;
    host.resize(100, 60);
    auto* button = new ImageButton(&host, 1);
    button->setGeometry(30, 20, 20, 10);
    button->setButtonImage(solidStrip(20, 10), &host);
    button->setButtonCheck(ImageButton::TOGGLE_ON);
    QImage picture(100, 60, QImage::Format_ARGB32_Premultiplied);
    picture.fill(qRgb(1, 1, 1));
    button->copyIntoPicture(picture);
    EXPECT_EQ(picture.pixel(35, 25), qRgb(0, 200, 0));
    EXPECT_EQ(picture.pixel(10, 10), qRgb(1, 1, 1));
}

TEST(CaptionLayout, AlignmentBitsPlaceTheLine) {
    const QFont font = QFont(QStringLiteral("Liberation Sans"));
    const QRectF box(0, 0, 200, 40);
    const auto left = [&](unsigned flags) {
        return layoutCaption(QStringLiteral("Pass"), font, box, flags).bounds;
    };
    const QRectF topLeft = left(ALIGN_SINGLE_LINE);
    const QRectF centred = left(ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER);
    const QRectF bottomRight = left(ALIGN_SINGLE_LINE | ALIGN_RIGHT | ALIGN_BOTTOM);
    EXPECT_DOUBLE_EQ(topLeft.left(), 0);
    EXPECT_DOUBLE_EQ(topLeft.top(), 0);
    EXPECT_NEAR(centred.center().x(), 100, 0.5);
    EXPECT_NEAR(centred.center().y(), 20, 0.5);
    EXPECT_NEAR(bottomRight.right(), 200, 0.5);
    EXPECT_NEAR(bottomRight.bottom(), 40, 0.5);
    // Without the single-line bit a long caption wraps; with it, it stays on one line.
    const QString longText = QStringLiteral("Choose what channel as a benchmark");
    EXPECT_GT(layoutCaption(longText, font, QRectF(0, 0, 60, 20), 0).lines.size(), 1u);
    EXPECT_EQ(layoutCaption(longText, font, QRectF(0, 0, 60, 20), ALIGN_SINGLE_LINE).lines.size(),
              1u);
}

}  // namespace
}  // namespace tq370::test
