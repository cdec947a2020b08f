#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "controls/caption_layout.h"
#include "controls/font_faces.h"
#include "controls/styled_label.h"
#include "ui_harness.h"

namespace tq370::test {
namespace {

TEST(StyledLabel, TransparentFillShowsTheHostThroughTheLabel) {
    MessageRecorder host;
    StyledLabel label(&host);
    label.setHost(&host);
    label.resize(60, 17);
    label.setFillColour(QColor(255, 0, 0, 0));
    EXPECT_EQ(qAlpha(label.picture().pixel(2, 2)), 0);
    label.setFillColour(QColor(255, 0, 0, 255));
    EXPECT_EQ(label.picture().pixel(2, 2), qRgb(255, 0, 0));
}

TEST(StyledLabel, WithoutAHostItDrawsOnTheNoHostBackground) {
    StyledLabel label(nullptr);
    label.resize(60, 17);
    EXPECT_EQ(label.picture().pixel(2, 2), qRgb(240, 240, 240));
}

TEST(StyledLabel, ASingleLineCaptionWiderThanTheLabelWidensSymmetrically) {
    StyledLabel label(nullptr);
    label.resize(40, 17);
    label.setLabelStyle(14, ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER, Qt::black,
                        QStringLiteral("Arial"));
    label.setLabelText(QStringLiteral("Midrange Tweeter"));
    const QRectF box = label.captionRect();
    const double measured =
        QFontMetricsF(faceFont(QStringLiteral("Arial"), 14)).horizontalAdvance(label.labelText());
    EXPECT_NEAR(box.width(), measured, 0.5);
    EXPECT_NEAR(box.center().x(), 19.5, 0.5);
    // Short captions keep the label's box less one pixel.
    label.setLabelText(QStringLiteral("Q"));
    EXPECT_EQ(label.captionRect(), QRectF(0, 0, 39, 16));
}

TEST(StyledLabel, ShowsAnImageFrame) {
    QImage frames(20, 10, QImage::Format_ARGB32_Premultiplied);
    frames.fill(qRgb(0, 0, 200));
    for (int y = 0; y < 10; ++y) {
        for (int x = 10; x < 20; ++x) frames.setPixel(x, y, qRgb(0, 200, 0));
    }
    StyledLabel label(nullptr);
    label.resize(30, 30);
    label.setLabelImage(frames, 1, 10, 10);
    EXPECT_EQ(label.picture().pixel(15, 15), qRgb(0, 200, 0));
}

}  // namespace
}  // namespace tq370::test
