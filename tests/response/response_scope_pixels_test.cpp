// Checks on the composed picture where a position is the point.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "scope_fixture.h"

namespace tq370::response {
namespace {

constexpr int BAND_100 = eqSlot(7);
constexpr int BAND_1K = eqSlot(17);
constexpr int BAND_5K = eqSlot(24);

using ColourTest = std::function<bool(QRgb)>;

bool magenta(QRgb p) {
    return qRed(p) > 150 && qBlue(p) > 150 && qGreen(p) < 100;
}
bool red(QRgb p) {
    return qRed(p) > 120 && qGreen(p) < 80 && qBlue(p) < 80;
}
bool yellow(QRgb p) {
    return qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) < 80;
}
bool whitish(QRgb p) {
    return qRed(p) > 110 && qGreen(p) > 110 && qBlue(p) > 110;
}
bool background(QRgb p) {
    return p == qRgb(29, 25, 26);
}

// The rows of one column (from top to just above bottom) whose pixels pass the test.
std::vector<int> rowsIn(const QImage& image, int x, const ColourTest& test, int top = 0,
                        int bottom = -1) {
    std::vector<int> rows;
    for (int y = top; y < (bottom < 0 ? image.height() : bottom); ++y)
        if (test(image.pixel(x, y))) rows.push_back(y);
    return rows;
}

// Whether the curve crosses the column within a pixel of y: a curve is drawn 2 pixels
// wide through points where its height changes, so it covers one or two rows there.
void expectCurveNear(const std::vector<int>& rows, int y) {
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), y - 1);
    EXPECT_LE(rows.back(), y + 1);
    EXPECT_LE(rows.size(), 2u);
}

// The middle of the box around every pixel inside `area` that passes the test.
std::optional<QPointF> middleOf(const QImage& image, QRect area, const ColourTest& test) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    if (box.isNull()) return std::nullopt;
    return QPointF((box.left() + box.right()) / 2.0, (box.top() + box.bottom()) / 2.0);
}

// EQ handles hidden so that the curves can be seen along the 0 dB line.
class ScopePicture : public ScopeFixture {
protected:
    void SetUp() override {
        ScopeFixture::SetUp();
        for (int band = FIRST_EQ_BAND; band < BAND_COUNT; ++band)
            scope->setBandVisible(band, false);
    }
    int columnOf(double hz) const { return g().plot.left + xOfFrequency(g(), hz); }
};

TEST_F(ScopePicture, AFlatCurveLiesOnTheZeroDecibelLine) {
    const QImage& picture = scope->composePicture();
    const int x = g().plot.left + 110;  // between grid lines
    EXPECT_EQ(rowsIn(picture, x, magenta), (std::vector<int>{g().zeroY - 1, g().zeroY}));
    EXPECT_TRUE(background(picture.pixel(x, g().zeroY - 4)));
    EXPECT_TRUE(background(picture.pixel(x, g().zeroY + 4)));
}

TEST_F(ScopePicture, TheCurvePeaksAtTheBandsGain) {
    scope->setBandGain(17, 6);
    const QImage& picture = scope->composePicture();
    const int peakY = g().zeroY - static_cast<int>(6 * pixelsPerDb(g()));  // 147 − 41
    expectCurveNear(rowsIn(picture, columnOf(1000), magenta), peakY);
    // Far from the band the curve is back on the 0 dB line.
    expectCurveNear(rowsIn(picture, columnOf(100) + 3, magenta), g().zeroY);
}

TEST_F(ScopePicture, VisibleOtherCurvesAreDrawnHiddenOnesAreNot) {
    scope->setBandFrequency(2, 7, 100);  // curve 2: +10 dB at 100 Hz, shown
    scope->setBandGain(2, 7, 10);
    scope->setCurveVisible(2, true);
    scope->setBandFrequency(3, 24, 5000);  // curve 3: +10 dB at 5 kHz, hidden
    scope->setBandGain(3, 24, 10);
    const QImage& picture = scope->composePicture();
    const int peakY = g().zeroY - static_cast<int>(10 * pixelsPerDb(g()));
    // Within the plot: the axis label "100" is whitish too.
    expectCurveNear(rowsIn(picture, columnOf(100), whitish, g().plot.top, g().plot.bottom), peakY);
    EXPECT_FALSE(whitish(picture.pixel(columnOf(5000), peakY)));
}

TEST_F(ScopePicture, TheCachedBackdropFollowsChangesOfTheOtherCurves) {
    const int x = columnOf(100);
    const int up = g().zeroY - static_cast<int>(10 * pixelsPerDb(g()));
    const int down = g().zeroY + static_cast<int>(10 * pixelsPerDb(g()));
    const auto plotRows = [&](const ColourTest& test) {
        return rowsIn(scope->composePicture(), x, test, g().plot.top, g().plot.bottom);
    };
    scope->setBandFrequency(2, 7, 100);
    scope->setBandGain(2, 7, 10);
    scope->setCurveVisible(2, true);
    expectCurveNear(plotRows(whitish), up);
    scope->setBandGain(2, 7, -10);
    expectCurveNear(plotRows(whitish), down);
    // Made current, curve 2 is drawn as the current curve and no longer as another one.
    scope->selectCurve(2);
    scope->setBandGain(7, 10);
    expectCurveNear(plotRows(magenta), up);
    EXPECT_TRUE(plotRows(whitish).empty());
}

TEST_F(ScopePicture, HandlesAreDrawnAroundTheirCentres) {
    scope->setCrossoverFrequency(0, HP_BAND, 100);
    scope->setBandVisible(BAND_5K, true);
    scope->setBandGain(24, 8);
    test::click(*scope, scope->handleCentre(BAND_5K));  // selected: its Q handles show
    const QImage& picture = scope->composePicture();
    const QPoint hp = scope->handleCentre(HP_BAND);
    const auto ring = middleOf(picture, handleRect(hp), red);
    ASSERT_TRUE(ring);
    EXPECT_NEAR(ring->x(), hp.x(), 1.0);
    EXPECT_NEAR(ring->y(), hp.y(), 1.0);
    for (const bool right : {false, true}) {
        const QPoint q = scope->qHandleCentre(right);
        const auto arrow = middleOf(picture, handleRect(q), yellow);
        ASSERT_TRUE(arrow);
        // The arrows' tips are single points, lighter than the test's threshold.
        EXPECT_NEAR(arrow->x(), q.x(), 2.0);
        EXPECT_NEAR(arrow->y(), q.y(), 1.0);
    }
}

TEST_F(ScopePicture, ChannelBoxesShowWhichCurveIsCurrentAndWhichAreShown) {
    scope->setCurveVisible(3, true);
    const QImage& picture = scope->composePicture();
    const auto topEdge = [&](int row) {
        const ScopeRect box = scope->channelBoxRect(row);
        return picture.pixel(box.left + 5, box.top);
    };
    EXPECT_TRUE(magenta(topEdge(0)));
    EXPECT_EQ(topEdge(3), qRgb(255, 255, 0));
    EXPECT_TRUE(whitish(topEdge(5)));
    EXPECT_FALSE(yellow(topEdge(5)));
}

TEST_F(ScopePicture, EqPassOverlayCoversOnlyItsPlace) {
    const QImage active = scope->composePicture();
    scope->setEqActive(false);
    const QImage bypassed = scope->composePicture();
    const QRect overlay(g().plot.width() / 2 - 64, g().plot.bottom - 70, 448, 64);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < active.height(); ++y)
        for (int x = 0; x < active.width(); ++x)
            if (active.pixel(x, y) != bypassed.pixel(x, y))
                ++(overlay.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 500);
    EXPECT_EQ(outside, 0);
}

TEST(ScopePictureStart, BeforeInitCurvesGridAndHandlesButNoCurve) {
    test::MessageRecorder host;
    auto* scope = new ResponseScope(&host, SCOPE_ID);
    scope->setGeometry(0, 0, 1037, 302);
    scope->initialise();
    scope->setCrossoverFrequency(0, HP_BAND, 100);
    const QImage& picture = scope->composePicture();
    const int zeroY = scope->geometry().zeroY;
    for (const int x : {200, 700}) EXPECT_TRUE(rowsIn(picture, x, magenta).empty());
    EXPECT_EQ(picture.pixel(200, zeroY), qRgb(60, 60, 60)) << "the 0 dB grid line";
    EXPECT_TRUE(middleOf(picture, handleRect(scope->handleCentre(HP_BAND)), red));
}

}  // namespace
}  // namespace tq370::response
