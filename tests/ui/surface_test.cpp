#include <gtest/gtest.h>

#include "controls/surface.h"

namespace tq370 {
namespace {

QImage solid(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

TEST(Surface, ResizeDrawsAnOutlinedLightRectangle) {
    Surface surface;
    ASSERT_TRUE(surface.resizeSurface(0, 0, 20, 10));
    EXPECT_EQ(surface.image().size(), QSize(20, 10));
    EXPECT_EQ(surface.image().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(surface.image().pixel(19, 9), qRgb(0, 0, 0));
    EXPECT_EQ(surface.image().pixel(10, 5), qRgb(240, 240, 240));
}

TEST(Surface, ResizeToAnEmptySizeKeepsThePicture) {
    Surface surface(30, 20);
    surface.copyInto(solid(30, 20, qRgb(1, 2, 3)), 0, 0, 30, 20);
    EXPECT_FALSE(surface.resizeSurface(0, 0, 0, 20));
    EXPECT_FALSE(surface.resizeSurface(0, 0, 30, 0));
    EXPECT_FALSE(surface.resizeSurface(10, 10, 5, 30));
    EXPECT_EQ(surface.image().size(), QSize(30, 20));
    EXPECT_EQ(surface.image().pixel(5, 5), qRgb(1, 2, 3));
}

TEST(Surface, CopyIntoGrowsAndKeepsWhatWasThere) {
    Surface surface(10, 10);
    surface.copyInto(solid(10, 10, qRgb(9, 9, 9)), 0, 0, 10, 10);
    surface.copyInto(solid(50, 50, qRgb(200, 0, 0)), 20, 5, 40, 25);
    EXPECT_EQ(surface.image().size(), QSize(40, 25));
    EXPECT_EQ(surface.right(), 40);
    EXPECT_EQ(surface.bottom(), 25);
    EXPECT_EQ(surface.image().pixel(3, 3), qRgb(9, 9, 9));
    EXPECT_EQ(surface.image().pixel(20, 5), qRgb(200, 0, 0));
    EXPECT_EQ(surface.image().pixel(39, 24), qRgb(200, 0, 0));
}

TEST(Surface, StretchIntoScalesTheSource) {
    Surface surface(40, 40);
    QImage source = solid(4, 4, qRgb(0, 0, 255));
    surface.stretchInto(source, QRect(0, 0, 40, 20), QRect(0, 0, 4, 4));
    EXPECT_EQ(surface.image().pixel(35, 15), qRgb(0, 0, 255));
    EXPECT_NE(surface.image().pixel(35, 30), qRgb(0, 0, 255));
}

TEST(Surface, FromAResourceTakesItsSize) {
    const Surface surface = Surface::fromResource(129);
    EXPECT_EQ(surface.image().size(), QSize(541, 161));
    EXPECT_EQ(surface.right(), 541);
    EXPECT_EQ(surface.bottom(), 161);
}

}  // namespace
}  // namespace tq370
