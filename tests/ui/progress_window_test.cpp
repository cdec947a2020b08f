#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <ostream>
#include <thread>

#include "controls/artwork.h"
#include "controls/progress_window.h"
#include "ui_harness.h"

namespace tq370::test {
namespace {

// A row through the middle of the bar, where the program's empty and full bitmaps
// differ at every column of the bar.
constexpr int BAR_ROW = 65;

QImage solid(QRgb colour) {
    QImage image(ProgressWindow::WIDTH, ProgressWindow::HEIGHT, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Black and white stand-ins for the two bitmaps, so that the filled width can be read
// back from any column of the picture.
class ProgressWindowTest : public ::testing::Test {
protected:
    int filledWidth() const {
        const int x = firstDifference(window.picture(), solid(qRgb(255, 255, 255)), BAR_ROW);
        return x < 0 ? window.picture().width() : x;
    }

    ProgressWindow window{nullptr, solid(qRgb(0, 0, 0)), solid(qRgb(255, 255, 255))};
};

TEST(ProgressBitmaps, DifferAlongTheWholeBarOnly) {
    const QImage empty = loadArtwork(ProgressWindow::EMPTY_BITMAP);
    const QImage full = loadArtwork(ProgressWindow::FULL_BITMAP);
    ASSERT_EQ(firstDifference(empty, full, BAR_ROW), ProgressWindow::BAR_START);
    for (int x = ProgressWindow::BAR_START; x < 516; ++x) {
        ASSERT_NE(empty.pixel(x, BAR_ROW), full.pixel(x, BAR_ROW)) << x;
    }
    EXPECT_EQ(firstDifference(empty, full, BAR_ROW, 516), -1);
    // The program's window uses them.
    ProgressWindow window;
    window.setProgress(0);
    EXPECT_EQ(window.picture().pixel(100, BAR_ROW), empty.pixel(100, BAR_ROW));
    window.setProgress(100);
    EXPECT_EQ(window.picture().pixel(100, BAR_ROW), full.pixel(100, BAR_ROW));
}

TEST_F(ProgressWindowTest, StartsWithTheWelcomeLineAndAnEmptyBar) {
    EXPECT_EQ(window.percentageText(), QStringLiteral("欢迎使用!"));
    EXPECT_EQ(window.title(), QString());
    EXPECT_EQ(filledWidth(), 27);
    EXPECT_EQ(window.size(), QSize(541, 161));
}

struct FillCase {
    double value;
    int width;
};

void PrintTo(const FillCase& c, std::ostream* out) {
    *out << c.value << " -> " << c.width;
}

class ProgressFill : public ProgressWindowTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(ProgressFill, BarFillsFromTheLeft) {
    window.setProgressTotal(1901);
    window.setProgress(QStringLiteral("Read Device Data:%5.0f %%"), QString(), GetParam().value);
    EXPECT_EQ(filledWidth(), GetParam().width);
}

// 27 pixels at 0, 516 at the total, trunc(value·489/total + 27) between, clipped at 541.
INSTANTIATE_TEST_SUITE_P(Values, ProgressFill,
                         ::testing::Values(FillCase{0, 27}, FillCase{950.5, 271},
                                           FillCase{1901, 516}, FillCase{1990, 538},
                                           FillCase{2100, 541}, FillCase{5000, 541}));

TEST_F(ProgressWindowTest, PercentageLineAndTitle) {
    window.setProgressTotal(1901);
    window.setProgress(QStringLiteral("Read Device Data:%5.0f %%"), QStringLiteral("TQ370"), 1901);
    EXPECT_EQ(window.percentageText(), QStringLiteral("Read Device Data:  100 %"));
    EXPECT_EQ(window.title(), QStringLiteral("TQ370"));
    // The red text is drawn in the lower band.
    bool red = false;
    for (int y = 90; y < 161 && !red; ++y) {
        for (int x = 0; x < 541; ++x) {
            const QRgb p = window.picture().pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60) red = true;
        }
    }
    EXPECT_TRUE(red);
    window.closeProgress();
    EXPECT_EQ(window.percentageText(), QString());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProgressWindowTest, AZeroTotalShowsAnEmptyBarInsteadOfDividing) {
    window.setProgressTotal(0);
    window.setProgress(QStringLiteral("%5.0f %%"), QString(), 10);
    EXPECT_EQ(filledWidth(), 27);
    EXPECT_EQ(window.percentageText(), QStringLiteral("    0 %"));
}

TEST_F(ProgressWindowTest, WorkerThreadCallsNeverBlockAndArriveInOrder) {
    window.setProgressTotal(100);
    QElapsedTimer timer;
    timer.start();
    std::thread worker([this] {
        window.setProgressFormat(QStringLiteral("%5.0f %%"));
        for (int v = 0; v <= 100; ++v) window.setProgress(v);
    });
    // The UI thread is not running its loop while the worker calls: the calls must not
    // wait for it.
    worker.join();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(window.percentageText(), QStringLiteral("欢迎使用!")) << "not applied yet";
    processEvents();
    EXPECT_EQ(window.percentageText(), QStringLiteral("  100 %"));
    EXPECT_EQ(filledWidth(), 516);
}

TEST(ProgressWindowShape, FramelessTopmostTranslucentAndCentredOverItsOwner) {
    MessageRecorder owner;
    owner.setGeometry(100, 50, 1281, 729);
    ProgressWindow window(&owner);
    window.open();
    processEvents();
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_NEAR(window.windowOpacity(), 220 / 255.0, 0.01);
    const QRect frame = owner.frameGeometry();
    EXPECT_EQ(window.pos(), QPoint((frame.left() + frame.right() + 1 - 541) / 2,
                                   (frame.top() + frame.bottom() + 1 - 161) / 2));
    // Rounded corners: the very corner is outside the window's shape, the middle inside.
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(270, 80)));
    // A press anywhere drags the window.
    const QPoint start = window.pos();
    press(window, QPoint(270, 80));
    moveTo(window, QPoint(300, 100), true);
    release(window, QPoint(300, 100));
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
}

}  // namespace
}  // namespace tq370::test
