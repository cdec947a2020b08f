#include "response/scope_stroke.h"

#include <gtest/gtest.h>

#include <vector>

namespace tq370::response {
namespace {

class Stroke : public ::testing::Test {
protected:
    void SetUp() override { picture.fill(Qt::black); }

    void stroke(std::vector<QPoint> points, const QColor& colour, QRect clip = {0, 0, 40, 30}) {
        stroker.stroke(picture, points, clip, colour, 2);
    }

    QImage picture{40, 30, QImage::Format_ARGB32_Premultiplied};
    CurveStroker stroker;
};

TEST_F(Stroke, ALineTwoPixelsWideCoversTheRowsEitherSideOfItsCoordinate) {
    stroke({{0, 10}, {40, 10}}, Qt::white);
    for (const int x : {0, 17, 39}) {
        EXPECT_EQ(picture.pixel(x, 8), qRgb(0, 0, 0));
        EXPECT_EQ(picture.pixel(x, 9), qRgb(255, 255, 255));
        EXPECT_EQ(picture.pixel(x, 10), qRgb(255, 255, 255));
        EXPECT_EQ(picture.pixel(x, 11), qRgb(0, 0, 0));
    }
}

TEST_F(Stroke, TranslucentColoursBlendOverThePicture) {
    stroke({{0, 10}, {40, 10}}, QColor(255, 255, 255, 128));
    const QRgb p = picture.pixel(20, 10);
    EXPECT_NEAR(qRed(p), 128, 1);
    EXPECT_EQ(qAlpha(p), 255);
}

TEST_F(Stroke, EveryPixelIsBlendedOnceWhereSegmentsOverlap) {
    const QColor faint(255, 255, 255, 60);
    stroke({{0, 10}, {40, 10}}, faint);
    const QImage once = picture;
    picture.fill(Qt::black);
    stroke({{0, 10}, {30, 10}, {5, 10}, {40, 10}, {20, 10}}, faint);
    EXPECT_EQ(picture, once);
}

TEST_F(Stroke, SlopesAreSmoothedAndVerticalSegmentsDrawn) {
    stroke({{5, 0}, {5, 30}}, Qt::white);
    EXPECT_EQ(picture.pixel(4, 15), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(5, 15), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(7, 15), qRgb(0, 0, 0));
    stroke({{10, 0}, {40, 13}}, Qt::white);
    int partial = 0;
    for (int y = 0; y < 30; ++y) {
        const int red = qRed(picture.pixel(25, y));
        partial += red > 0 && red < 255;
    }
    EXPECT_GT(partial, 0) << "an antialiased edge";
}

TEST_F(Stroke, NothingIsDrawnOutsideTheClip) {
    const QRect clip(10, 5, 20, 10);
    stroke({{0, 2}, {20, 25}, {40, 8}}, Qt::white, clip);
    int inside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (picture.pixel(x, y) == qRgb(0, 0, 0)) continue;
            EXPECT_TRUE(clip.contains(x, y)) << x << "," << y;
            ++inside;
        }
    EXPECT_GT(inside, 0);
}

}  // namespace
}  // namespace tq370::response
