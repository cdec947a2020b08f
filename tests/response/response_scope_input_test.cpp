// What the user does with the mouse and keys, and what the host is told.
#include <QApplication>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "response/scope_rules.h"
#include "scope_fixture.h"

namespace tq370::response {
namespace {

using test::Message;
constexpr int BAND_1K = eqSlot(17);
constexpr int BAND_630 = eqSlot(15);
const Message HP_CHANGED{SCOPE_ID, 1, 0};
const Message LP_CHANGED{SCOPE_ID, 2, 0};
const Message BAND_1K_CHANGED{SCOPE_ID, 0, 17};

TEST_F(ScopeFixture, PressingAHandleSelectsItAndTellsTheHostAtOnce) {
    test::press(*scope, centre(BAND_1K));
    EXPECT_EQ(host.messages, (std::vector<Message>{BAND_1K_CHANGED}));  // sent, not posted
    EXPECT_EQ(scope->selectedBand(), BAND_1K);
    EXPECT_TRUE(scope->isDraggingBand());
    test::release(*scope, centre(BAND_1K));
    EXPECT_FALSE(scope->isDraggingBand());
    click(HP_BAND);
    click(LP_BAND);
    EXPECT_EQ(host.messages, (std::vector<Message>{BAND_1K_CHANGED, HP_CHANGED, LP_CHANGED}));
}

struct DragCase {
    const char* name;
    int band;
    QPoint to;
    double frequencyHz;
    double gainDb;
};

void PrintTo(const DragCase& c, std::ostream* out) {
    *out << c.name;
}

class DragToEdges : public ScopeFixture, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragToEdges, StopsAtTheLimits) {
    const DragCase& c = GetParam();
    test::drag(*scope, centre(c.band), c.to);
    EXPECT_EQ(frequency(c.band), c.frequencyHz);
    EXPECT_EQ(gain(c.band), c.gainDb);
    const Message changed = bandNotification(c.band).wParam == 0
                                ? Message{SCOPE_ID, 0, c.band - FIRST_EQ_BAND}
                                : Message{SCOPE_ID, bandNotification(c.band).wParam, 0};
    // The press and both moves notify; the release does not.
    EXPECT_EQ(host.messages, (std::vector<Message>(3, changed)));
    const QPoint at = centre(c.band);
    EXPECT_EQ(at.x(), g().plot.left + xOfFrequency(g(), c.frequencyHz));
    EXPECT_GE(at.y(), g().plot.top);
    EXPECT_LE(at.y(), g().plot.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DragToEdges,
    ::testing::Values(DragCase{"HpFarLeft", HP_BAND, {-200, 200}, 19, -10},
                      DragCase{"HpFarRight", HP_BAND, {2000, 150}, 20600, -10},
                      DragCase{"LpFarRight", LP_BAND, {2000, 400}, 20600, -10},
                      DragCase{"LpFarLeft", LP_BAND, {0, -50}, 19, -10},
                      DragCase{"EqAboveThePlot", BAND_1K, {567, -80}, 1000, 20},
                      DragCase{"EqBelowThePlot", BAND_1K, {567, 900}, 1000, -20},
                      DragCase{"EqFarLeft", BAND_1K, {-300, 147}, 19.7, 0},
                      DragCase{"EqFarRight", BAND_1K, {3000, 147}, 20600, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScopeFixture, AnHpDraggedFullyLeftReadsOff) {
    test::drag(*scope, centre(HP_BAND), QPoint(-100, 215));
    test::moveTo(*scope, centre(HP_BAND), false);
    scope->composePicture();
    EXPECT_EQ(scope->readoutText(), QStringLiteral("F:OFF"));
}

TEST_F(ScopeFixture, ADraggedHandleFollowsTheMouseAndSettlesOnItsFrequency) {
    test::press(*scope, centre(BAND_1K));
    test::moveTo(*scope, QPoint(701, 100), true);
    EXPECT_EQ(centre(BAND_1K), QPoint(701, 100));
    const double hz = frequency(BAND_1K);
    EXPECT_EQ(hz, snapScopeFrequency(frequencyOfX(g(), 701 - g().plot.left)));
    EXPECT_EQ(gain(BAND_1K), gainOfDraggedY(g(), 100 - g().zeroY));
    test::release(*scope, QPoint(701, 100));
    EXPECT_EQ(centre(BAND_1K).x(), g().plot.left + xOfFrequency(g(), hz));
}

TEST_F(ScopeFixture, InGraphicModeAnEqHandleMovesOnlyUpAndDown) {
    scope->setFrequencyLock(true);
    const QPoint start = centre(BAND_1K);
    test::drag(*scope, start, start + QPoint(200, -41));
    EXPECT_EQ(centre(BAND_1K).x(), start.x());
    EXPECT_EQ(frequency(BAND_1K), 1000);
    EXPECT_EQ(gain(BAND_1K), 6);
    // The crossovers still move sideways.
    test::drag(*scope, centre(HP_BAND), centre(HP_BAND) + QPoint(100, 0));
    EXPECT_GT(frequency(HP_BAND), 19);
}

struct StepCase {
    const char* name;
    int band;
    double startHz;  // crossovers
    int notches;     // 0: a key instead
    int key;
    double frequencyHz;
    double gainDb;
};

void PrintTo(const StepCase& c, std::ostream* out) {
    *out << c.name;
}

class WheelAndKeys : public ScopeFixture, public ::testing::WithParamInterface<StepCase> {};

TEST_P(WheelAndKeys, StepTheSelectedBand) {
    const StepCase& c = GetParam();
    if (c.band == HP_BAND || c.band == LP_BAND) scope->setCrossoverFrequency(0, c.band, c.startHz);
    click(c.band);
    host.messages.clear();
    if (c.notches != 0) {
        test::wheel(*scope, QPoint(5, 5), c.notches);  // wherever the mouse is
    } else {
        test::key(*scope, c.key);
    }
    EXPECT_EQ(frequency(c.band), c.frequencyHz);
    EXPECT_EQ(gain(c.band), c.gainDb);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].wParam, bandNotification(c.band).wParam);
    EXPECT_EQ(host.messages[0].lParam, bandNotification(c.band).lParam);
    EXPECT_EQ(scope->readoutBand(), c.band);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WheelAndKeys,
    ::testing::Values(StepCase{"LpAtTopTowardsTheUser", LP_BAND, 20600, -1, 0, 20600, -10},
                      StepCase{"LpAtTopAwayFromTheUser", LP_BAND, 20600, 1, 0, 20200, -10},
                      StepCase{"UpOnHpAtBottom", HP_BAND, 19, 0, Qt::Key_Up, 19, -10},
                      StepCase{"DownOnHpAtBottom", HP_BAND, 19, 0, Qt::Key_Down, 19.7, -10},
                      StepCase{"WheelUpOnEqBand", BAND_1K, 0, 1, 0, 1000, 0.1},
                      StepCase{"WheelDownOnEqBand", BAND_1K, 0, -1, 0, 1000, -0.1},
                      StepCase{"UpOnEqBand", BAND_1K, 0, 0, Qt::Key_Up, 1000, 0.1},
                      StepCase{"DownOnEqBand", BAND_1K, 0, 0, Qt::Key_Down, 1000, -0.1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScopeFixture, PartsOfAWheelNotchAddUpToOneStep) {
    click(BAND_1K);
    QWheelEvent half(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 60), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(scope, &half);
    EXPECT_EQ(gain(BAND_1K), 0);
    QApplication::sendEvent(scope, &half);
    EXPECT_EQ(gain(BAND_1K), 0.1);
}

TEST_F(ScopeFixture, OtherKeysPassOn) {
    click(BAND_1K);
    host.messages.clear();
    test::key(*scope, Qt::Key_Left);
    test::key(*scope, Qt::Key_PageUp);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(gain(BAND_1K), 0);
}

TEST_F(ScopeFixture, TheCurrentCurvesBoxDoesNothingAnotherBoxTogglesItsCurve) {
    const QPoint ownBox = scope->channelBoxRect(0).toQRect().center();
    const QPoint box3 = scope->channelBoxRect(3).toQRect().center();
    test::click(*scope, ownBox);
    test::processEvents();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(scope->isCurveVisible(0));

    test::click(*scope, box3);
    EXPECT_TRUE(scope->isCurveVisible(3));
    EXPECT_TRUE(host.messages.empty()) << "the toggle is posted, not sent";
    test::processEvents();
    EXPECT_EQ(host.messages, (std::vector<Message>{{SCOPE_ID, CURVE_VISIBILITY_CHANGED, 0}}));
    test::click(*scope, box3);
    test::processEvents();
    EXPECT_FALSE(scope->isCurveVisible(3));
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(ScopeFixture, HiddenHandlesIgnoreClicksAndHovering) {
    scope->setBandVisible(BAND_1K, false);
    test::moveTo(*scope, centre(BAND_1K), false);
    click(BAND_1K);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(scope->selectedBand(), HP_BAND);
    EXPECT_EQ(scope->readoutBand(), HP_BAND);
    EXPECT_FALSE(scope->isDraggingBand());
}

TEST_F(ScopeFixture, HoveringAHandleShowsItsReadoutAndTheHandCursor) {
    test::moveTo(*scope, centre(BAND_630), false);
    EXPECT_EQ(scope->readoutBand(), BAND_630);
    EXPECT_EQ(scope->cursor().shape(), Qt::PointingHandCursor);
    test::moveTo(*scope, QPoint(300, 40), false);
    EXPECT_EQ(scope->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(scope->readoutBand(), BAND_630) << "the readout stays on the last band";
    test::moveTo(*scope, scope->channelBoxRect(5).toQRect().center(), false);
    EXPECT_EQ(scope->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(host.messages.empty());
}

// The 1 kHz band raised clear of the other handles and selected, its Q handles 75
// pixels either side (Q 7.6).
class QHandles : public ScopeFixture {
protected:
    void SetUp() override {
        ScopeFixture::SetUp();
        scope->setBandGain(17, 10);
        click(BAND_1K);
        host.messages.clear();
    }
    int bandX() const { return centre(BAND_1K).x() - g().plot.left; }
};

TEST_F(QHandles, StandBesideTheSelectedBand) {
    ASSERT_TRUE(scope->qHandlesActive());
    EXPECT_EQ(scope->qHandleCentre(false), centre(BAND_1K) - QPoint(75, 0));
    EXPECT_EQ(scope->qHandleCentre(true), centre(BAND_1K) + QPoint(75, 0));
}

TEST_F(QHandles, DraggingTheLeftHandleSetsQFromItsDistance) {
    const QPoint start = scope->qHandleCentre(false);
    test::press(*scope, start);
    EXPECT_TRUE(scope->isDraggingQ());
    test::moveTo(*scope, start - QPoint(30, 0), true);
    const int mouseX = start.x() - 30;
    EXPECT_EQ(q(BAND_1K), Q_TABLE[static_cast<std::size_t>(leftQDragIndex(bandX(), mouseX))]);
    EXPECT_LT(q(BAND_1K), 7.6);
    EXPECT_EQ(lastMessage(), BAND_1K_CHANGED);
    EXPECT_EQ(scope->readoutBand(), BAND_1K);
    test::release(*scope, start - QPoint(40, 0));
    EXPECT_FALSE(scope->isDraggingQ());
    EXPECT_EQ(q(BAND_1K), Q_TABLE[static_cast<std::size_t>(leftQDragIndex(bandX(), mouseX - 10))]);
    EXPECT_EQ(host.messages.size(), 2u) << "a move and the release";
}

TEST_F(QHandles, DraggingTheRightHandleTowardsTheBandRaisesQ) {
    const QPoint start = scope->qHandleCentre(true);
    test::drag(*scope, start, start - QPoint(60, 0));
    EXPECT_EQ(q(BAND_1K),
              Q_TABLE[static_cast<std::size_t>(rightQDragIndex(bandX(), start.x() - 60))]);
    EXPECT_GT(q(BAND_1K), 7.6);
}

TEST_F(QHandles, AClickWithoutMovingKeepsQ) {
    test::click(*scope, scope->qHandleCentre(false));
    test::click(*scope, scope->qHandleCentre(true));
    EXPECT_EQ(q(BAND_1K), 7.6);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(QHandles, HiddenInGraphicModeTheyCannotBeGrabbed) {
    const QPoint left = scope->qHandleCentre(false);
    scope->setFrequencyLock(true);
    EXPECT_FALSE(scope->qHandlesActive());
    test::drag(*scope, left, left - QPoint(40, 0));
    EXPECT_EQ(q(BAND_1K), 7.6);
}

TEST_F(QHandles, WhereABandHandleLiesUnderAQHandleTheBandDragWins) {
    scope->setBandGain(17, 0);  // back among the others: the left Q handle meets 630 Hz
    const QRect qSquare = handleRect(scope->qHandleCentre(false));
    const QRect bandSquare = handleRect(centre(BAND_630));
    const QPoint both = (qSquare.center() + bandSquare.center()) / 2;
    ASSERT_TRUE(qSquare.contains(both) && bandSquare.contains(both));
    test::press(*scope, both);
    EXPECT_TRUE(scope->isDraggingQ());
    EXPECT_TRUE(scope->isDraggingBand());
    EXPECT_EQ(scope->selectedBand(), BAND_630);
    test::moveTo(*scope, both + QPoint(-20, -30), true);
    EXPECT_FALSE(scope->isDraggingQ());
    test::release(*scope, both + QPoint(-20, -30));
    EXPECT_EQ(q(BAND_1K), 7.6);
    EXPECT_EQ(q(BAND_630), 7.6);
    EXPECT_EQ(gain(BAND_630), gainOfDraggedY(g(), both.y() - 30 - g().zeroY));
    for (const Message& m : host.messages) EXPECT_EQ(m, (Message{SCOPE_ID, 0, 15}));
}

}  // namespace
}  // namespace tq370::response
