// The operations the host calls: values, clamps, codes, curves and layout.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "scope_fixture.h"

namespace tq370::response {
namespace {

using Points = std::vector<QPoint>;
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
constexpr int BAND_1K = eqSlot(17);  // the 1 kHz band

TEST(ResponseScopeStart, BeforeInitCurvesThereIsNoCurve) {
    test::MessageRecorder host;
    auto* scope = new ResponseScope(&host, SCOPE_ID);
    scope->setGeometry(0, 0, 1037, 302);
    scope->composePicture();  // before initialise: nothing to draw, nothing to break
    scope->initialise();
    scope->setBandGain(0, 17, 6);
    scope->composePicture();
    EXPECT_EQ(scope->curveCount(), 0);
    EXPECT_TRUE(scope->lastRecomputedCurves().empty());
    EXPECT_TRUE(scope->curvePolyline(0).empty());
    EXPECT_TRUE(scope->highlightOutline().empty());
    EXPECT_EQ(scope->channelBoxRect(0), ScopeRect{});
    EXPECT_EQ(scope->curve(0).frequencyHz[HP_BAND], 19);
    EXPECT_EQ(scope->curve(0).frequencyHz[LP_BAND], 20600);
}

TEST_F(ScopeFixture, InitCurvesLaysOutTwelveBoxesBesideANarrowerPlot) {
    EXPECT_EQ(scope->curveCount(), 12);
    EXPECT_EQ(g().plot, (ScopeRect{30, 10, 977, 284}));
    EXPECT_EQ(scope->channelBoxRect(0), (ScopeRect{989, 5, 1029, 20}));
    EXPECT_FALSE(scope->channelBoxRect(11).isEmpty());
    for (int row = 0; row < 12; ++row) EXPECT_FALSE(scope->isCurveVisible(row));
}

TEST_F(ScopeFixture, SettersClampSnapAndMoveTheCurrentCurvesHandles) {
    scope->setBandGain(17, 25);
    EXPECT_EQ(gain(BAND_1K), 20);
    EXPECT_EQ(centre(BAND_1K).y(), g().plot.top) << "+20 dB sits on the top line";
    EXPECT_EQ(scope->readoutBand(), BAND_1K);
    scope->setBandGain(0, 17, -31);
    EXPECT_EQ(gain(BAND_1K), -20);
    scope->setBandFrequency(0, 17, 5);
    EXPECT_EQ(frequency(BAND_1K), 19.7);
    scope->setBandFrequency(0, 17, 1003);
    EXPECT_EQ(frequency(BAND_1K), 1020);
    EXPECT_EQ(centre(BAND_1K).x(), g().plot.left + xOfFrequency(g(), 1020));
    scope->setCrossoverFrequency(0, HP_BAND, 3);
    EXPECT_EQ(frequency(HP_BAND), 19);
    scope->setCrossoverFrequency(0, LP_BAND, 99999);
    EXPECT_EQ(frequency(LP_BAND), 20600);
    scope->setBandQ(17, 0.2);  // Q is stored as given
    EXPECT_EQ(q(BAND_1K), 0.2);
}

TEST_F(ScopeFixture, ValuesOfAnotherCurveLeaveTheHandlesAlone) {
    const QPoint before = centre(BAND_1K);
    scope->setBandGain(4, 17, 12);
    scope->setBandFrequency(4, 17, 2000);
    scope->setBandQ(4, 17, 2.5);
    EXPECT_EQ(centre(BAND_1K), before);
    EXPECT_EQ(scope->curve(4).gainDb[BAND_1K], 12);
    EXPECT_EQ(scope->curve(4).q[BAND_1K], 2.5);
    EXPECT_EQ(q(BAND_1K), INITIAL_Q);
    scope->selectCurve(4);
    EXPECT_EQ(centre(BAND_1K).y(), g().zeroY + yOfGain(g(), 12));
    EXPECT_EQ(centre(BAND_1K).x(), g().plot.left + xOfFrequency(g(), 2000));
}

TEST_F(ScopeFixture, BadRowsBandsAndValuesChangeNothing) {
    const CurveParams before = current();
    scope->setBandGain(20, 17, 3);
    scope->setBandGain(-1, 17, 3);
    scope->setBandGain(0, 31, 3);
    scope->setBandGain(17, NOT_A_NUMBER);
    scope->setBandFrequency(17, INFINITY);
    scope->setBandQ(17, NOT_A_NUMBER);
    scope->setCrossoverFrequency(0, 2, 100);
    scope->setCrossoverFrequency(0, HP_BAND, NOT_A_NUMBER);
    scope->selectCurve(20);
    EXPECT_EQ(scope->currentCurve(), 0);
    EXPECT_EQ(current().gainDb, before.gainDb);
    EXPECT_EQ(current().frequencyHz, before.frequencyHz);
    EXPECT_EQ(current().q, before.q);
    EXPECT_TRUE(host.messages.empty()) << "setters never notify";
}

TEST_F(ScopeFixture, CrossoverHandlesStayOnTheMinusTenLine) {
    scope->setCrossoverFrequency(0, HP_BAND, 80);
    scope->setCrossoverFrequency(0, LP_BAND, 8000);
    scope->selectCurve(0);
    for (int band : {HP_BAND, LP_BAND})
        EXPECT_EQ(centre(band).y(), g().zeroY + g().crossoverHandleOffset);
}

struct CodeCase {
    int code;
    bool applied;
    int hpCode, lpCode;
};

void PrintTo(const CodeCase& c, std::ostream* out) {
    *out << "code " << c.code;
}

class CrossoverCodes : public ScopeFixture, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(CrossoverCodes, ValidCodesSelectTheirCrossover) {
    const CodeCase& c = GetParam();
    scope->setBandGain(17, 3);  // readout on an EQ band
    scope->setCrossoverCode(c.code);
    EXPECT_EQ(scope->hpCode(), c.hpCode);
    EXPECT_EQ(scope->lpCode(), c.lpCode);
    const int expected = !c.applied ? HP_BAND : c.code % 2 == 0 ? HP_BAND : LP_BAND;
    EXPECT_EQ(scope->selectedBand(), expected);
    EXPECT_EQ(scope->readoutBand(), c.applied ? expected : BAND_1K);
}

INSTANTIATE_TEST_SUITE_P(Table, CrossoverCodes,
                         ::testing::Values(CodeCase{7, false, 8, 9}, CodeCase{35, false, 8, 9},
                                           CodeCase{70, false, 8, 9}, CodeCase{20, true, 20, 9},
                                           CodeCase{27, true, 8, 27}, CodeCase{40, true, 40, 9},
                                           CodeCase{67, true, 8, 67}));

TEST_F(ScopeFixture, AnOffLowPassDrawsNothingButKeepsItsHandleAndReadout) {
    scope->setCrossoverFrequency(0, LP_BAND, 1000);
    scope->setCrossoverCode(27);
    scope->composePicture();
    const Points filtered = scope->curvePolyline(0);
    scope->setCrossoverCode(67);
    const QPoint handle = centre(LP_BAND);
    scope->composePicture();
    EXPECT_NE(filtered.size(), 2u);
    EXPECT_EQ(scope->curvePolyline(0), (Points{{29, g().zeroY}, {1037, g().zeroY}}));
    EXPECT_EQ(centre(LP_BAND), handle);
    EXPECT_EQ(scope->readoutText(), QStringLiteral("F:1000"));
}

TEST_F(ScopeFixture, OnlyTheCurrentCurveAndVisibleChangedCurvesAreRecomputed) {
    scope->composePicture();
    EXPECT_EQ(scope->lastRecomputedCurves(), (std::vector<int>{0}));
    scope->setBandGain(5, 3, 4);  // hidden: stays dirty, not computed
    scope->composePicture();
    EXPECT_EQ(scope->lastRecomputedCurves(), (std::vector<int>{0}));
    EXPECT_TRUE(scope->isCurveDirty(5));
    scope->setCurveVisible(5, true);
    scope->setCurveVisible(7, true);
    scope->composePicture();
    EXPECT_EQ(scope->lastRecomputedCurves(), (std::vector<int>{0, 5, 7}));
    scope->composePicture();
    EXPECT_EQ(scope->lastRecomputedCurves(), (std::vector<int>{0}));
    scope->setBandGain(7, 3, 4);
    scope->composePicture();
    EXPECT_EQ(scope->lastRecomputedCurves(), (std::vector<int>{0, 7}));
}

TEST_F(ScopeFixture, ANewCrossoverCodeRedrawsEveryVisibleCurve) {
    // The codes are shared: a curve cached with the old code would be drawn wrongly.
    scope->setCurveVisible(3, true);
    scope->setCrossoverFrequency(3, HP_BAND, 200);
    scope->composePicture();
    const Points before = scope->curvePolyline(3);
    scope->setCrossoverCode(26);  // 48 dB/oct instead of 12
    scope->composePicture();
    EXPECT_EQ(scope->lastRecomputedCurves(), (std::vector<int>{0, 3}));
    EXPECT_NE(scope->curvePolyline(3), before);
}

TEST_F(ScopeFixture, TheOutlineFollowsTheCurrentCurvesSelectedBand) {
    scope->setBandGain(17, 6);
    click(BAND_1K);
    scope->composePicture();
    const Points own = scope->highlightOutline();
    ASSERT_GT(own.size(), 8u);
    // A later visible curve with a different band there must not take the outline over.
    scope->setBandGain(9, 17, -12);
    scope->setCurveVisible(9, true);
    scope->composePicture();
    EXPECT_EQ(scope->highlightOutline(), own);
}

TEST_F(ScopeFixture, FrequencyLockHidesTheQHandles) {
    EXPECT_FALSE(scope->isFrequencyLocked());
    EXPECT_TRUE(scope->qHandlesShown());
    scope->setFrequencyLock(true);
    EXPECT_TRUE(scope->isFrequencyLocked());
    EXPECT_FALSE(scope->qHandlesShown());
}

TEST_F(ScopeFixture, ScaleTakesEffectAtTheNextLayout) {
    scope->setBandGain(17, 6);
    scope->setScale(1.5);
    test::processEvents();
    EXPECT_EQ(g().plot, (ScopeRect{45, 15, 947, 275}));
    EXPECT_EQ(centre(BAND_1K), QPoint(45 + xOfFrequency(g(), 1000), g().zeroY + yOfGain(g(), 6)));
    EXPECT_EQ(scope->channelBoxRect(0).left, 947 + 18);
}

TEST_F(ScopeFixture, RepeatedResizesLeaveHandlesOnTheirValues) {
    host.show();
    scope->setBandGain(17, 7);
    for (int height : {250, 313, 171, 302, 287, 302}) scope->resize(1037, height);
    EXPECT_EQ(centre(BAND_1K).y(), g().zeroY + yOfGain(g(), 7));
    EXPECT_EQ(centre(HP_BAND).y(), g().zeroY + g().crossoverHandleOffset);
}

TEST_F(ScopeFixture, ATinyScopePaintsAndIgnoresDrags) {
    host.show();
    scope->resize(20, 12);  // no room for a plot
    scope->composePicture();
    const CurveParams before = current();
    for (const int band : {HP_BAND, LP_BAND, BAND_1K})
        test::drag(*scope, centre(band), QPoint(15, 2));
    EXPECT_EQ(current().frequencyHz, before.frequencyHz);
    EXPECT_EQ(current().gainDb, before.gainDb);
    EXPECT_EQ(scope->composePicture().size(), QSize(20, 12));
}

TEST_F(ScopeFixture, PaintIntoDrawsTheLastPictureAtTheScopesPlaceInItsWindow) {
    scope->move(7, 9);
    QImage target(1100, 320, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::black);
    scope->paintInto(target);
    const QImage& picture = scope->composePicture();
    EXPECT_EQ(target.pixel(7 + 500, 9 + 200), picture.pixel(500, 200));
    EXPECT_EQ(target.pixel(3, 3), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tq370::response
