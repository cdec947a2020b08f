#include <gtest/gtest.h>

#include <ostream>

#include "controls/image_slider.h"
#include "controls/slider_geometry.h"
#include "ui_harness.h"

namespace tq370::test {
namespace {

constexpr int SLIDER_ID = 11024;

// A graphic-EQ band slider as the EQ panel makes it: style 16, -200..200, scale 10.
class EqSlider : public ::testing::Test {
protected:
    void SetUp() override {
        slider = new ImageSlider(&host, SLIDER_ID);
        slider->setGeometry(0, 0, 22, 125);
        slider->setSliderStyle(16, &host, 141);
        slider->setRange(-200, 200);
        slider->setValueScale(10);
        slider->setNotifyIndex(4);
    }

    QPoint thumbCentre() const { return slider->currentThumbRect().center(); }

    MessageRecorder host;
    ImageSlider* slider = nullptr;
};

TEST_F(EqSlider, ValueSetByCodeIsShownButNotReported) {
    slider->setSliderValue(6.5);
    EXPECT_EQ(slider->sliderValue(), 65);
    slider->setSliderValue(2.3);  // 2.3 × 10 is 22.999… in doubles
    EXPECT_EQ(slider->sliderValue(), 23);
    slider->setSliderValue(-0.7);
    EXPECT_EQ(slider->sliderValue(), -7);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(EqSlider, WheelStepsAndReportsTheNewValueAtOnce) {
    slider->setSliderValue(6.5);
    wheel(*slider, thumbCentre(), +1);
    EXPECT_EQ(host.messages, (std::vector<Message>{{SLIDER_ID, 4, 66}}));
    wheel(*slider, thumbCentre(), -1);
    wheel(*slider, thumbCentre(), -1);
    EXPECT_EQ(host.messages.back(), (Message{SLIDER_ID, 4, 64}));
}

TEST_F(EqSlider, KeysStepUpAndDown) {
    slider->setSliderValue(0);
    key(*slider, Qt::Key_Up);
    key(*slider, Qt::Key_Up);
    key(*slider, Qt::Key_Down);
    EXPECT_EQ(slider->sliderValue(), 1);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages.back().lParam, 1);
}

TEST_F(EqSlider, ValuesPastTheRangeAreClampedBeforeTheyAreReported) {
    slider->setSliderValue(20);
    wheel(*slider, thumbCentre(), +1);
    EXPECT_EQ(host.messages.back().lParam, 200);
    slider->setSliderValue(-20);
    wheel(*slider, thumbCentre(), -1);
    EXPECT_EQ(host.messages.back().lParam, -200);
}

TEST_F(EqSlider, DraggingToTheEndsReportsTheLimits) {
    slider->setSliderValue(0);
    drag(*slider, thumbCentre(), QPoint(11, -40));
    EXPECT_EQ(host.messages.back().lParam, 200);
    EXPECT_EQ(slider->sliderValue(), 200);
    EXPECT_FALSE(slider->isDragging());
    drag(*slider, thumbCentre(), QPoint(11, 400));
    EXPECT_EQ(host.messages.back().lParam, -200);
    for (const Message& m : host.messages) {
        EXPECT_GE(m.lParam, -200);
        EXPECT_LE(m.lParam, 200);
    }
}

TEST_F(EqSlider, DragFollowsTheMouse) {
    slider->setSliderValue(0);
    press(*slider, thumbCentre());
    moveTo(*slider, QPoint(11, 115 - 105 / 4), true);  // a quarter of the way up
    EXPECT_EQ(slider->sliderValue(), -100);
    release(*slider, QPoint(11, 115 - 105 / 4));
}

TEST_F(EqSlider, APressBesideTheThumbReportsNothingButShowsTheFocusLook) {
    slider->setSliderValue(0);
    const QRect thumb = slider->currentThumbRect();
    press(*slider, QPoint(thumb.center().x(), thumb.bottom() + 20));
    release(*slider, QPoint(thumb.center().x(), thumb.bottom() + 20));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(slider->sliderValue(), 0);
    EXPECT_TRUE(slider->hasFocusLook());
}

TEST_F(EqSlider, ThePressedThumbIsWhereItIsDrawn) {
    // The focused thumb source differs from the normal one; pressing the thumb must
    // change the pixels inside the thumb rectangle and nowhere far from it.
    slider->setSliderValue(0);
    const QImage before = slider->picture();
    press(*slider, thumbCentre());
    release(*slider, thumbCentre());
    const QImage after = slider->picture();
    const QRect thumb = slider->currentThumbRect();
    int changedInside = 0;
    int changedOutside = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) continue;
            const bool near = y >= thumb.top() - 1 && y <= thumb.bottom() + 1;
            (near ? changedInside : changedOutside)++;
        }
    }
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(changedOutside, 0);
}

TEST_F(EqSlider, AHighlightedThumbLooksFocusedUntilTheHostClearsIt) {
    slider->setSliderValue(0);
    const QImage normal = slider->picture();
    slider->setHighlighted(true);
    EXPECT_NE(slider->picture(), normal);
    slider->setHighlighted(false);
    EXPECT_EQ(slider->picture(), normal);
    EXPECT_TRUE(host.messages.empty()) << "a highlight is never reported";
}

TEST(ImageSliderBackground, WithoutAHostTheAreaAroundTheTrackIs240) {
    ImageSlider slider(nullptr, 1);
    slider.resize(22, 125);
    slider.setSliderStyle(16, nullptr, 141);
    slider.setRange(-200, 200);
    slider.setSliderValue(0);
    EXPECT_EQ(slider.picture().pixel(0, 2), qRgb(240, 240, 240));
}

struct GeometryCase {
    int row;
    bool vertical;
    QSize client;
    int minValue, maxValue, value;
    double position;
};

void PrintTo(const GeometryCase& c, std::ostream* out) {
    *out << "row " << c.row << " value " << c.value;
}

class SliderGeometryTable : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(SliderGeometryTable, ValueAndPositionRoundTrip) {
    const GeometryCase& c = GetParam();
    const SliderGeometry g =
        sliderGeometry(SLIDER_STYLES[c.row], c.vertical, c.client.width(), c.client.height());
    EXPECT_DOUBLE_EQ(valueToPosition(g, c.value, c.minValue, c.maxValue), c.position);
    EXPECT_EQ(positionToValue(g, c.position, c.minValue, c.maxValue), c.value);
    const QRect thumb = thumbRect(g, c.value, c.minValue, c.maxValue);
    const double centre =
        c.vertical ? thumb.top() + thumb.height() / 2.0 : thumb.left() + thumb.width() / 2.0;
    EXPECT_NEAR(centre, c.position, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Rows, SliderGeometryTable,
                         ::testing::Values(GeometryCase{16, true, {22, 125}, -200, 200, 200, 10},
                                           GeometryCase{16, true, {22, 125}, -200, 200, -200, 115},
                                           GeometryCase{16, true, {44, 250}, -200, 200, 0, 125},
                                           GeometryCase{15, false, {185, 14}, -60, 0, -60, 11},
                                           GeometryCase{15, false, {185, 14}, -60, 0, 0, 175},
                                           GeometryCase{17, false, {205, 14}, -60, 0, -30, 103},
                                           GeometryCase{11, false, {96, 21}, 0, 100, 50, 48},
                                           GeometryCase{11, false, {192, 42}, 0, 100, 100, 178}));

}  // namespace
}  // namespace tq370::test
