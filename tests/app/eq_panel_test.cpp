#include <gtest/gtest.h>

#include <QMessageBox>

#include "eq_fixture.h"
#include "params/param_encoding.h"
#include "params/param_tables.h"

namespace tq370::test {
namespace {

using namespace eq_panel;
using response::FIRST_EQ_BAND;
constexpr auto OFF = ImageButton::TOGGLE_OFF;  // a toggle's state 1
constexpr auto ON = ImageButton::TOGGLE_ON;    // state 2

using EqPanelTest = EqFixture;

TEST_F(EqPanelTest, ControlsSitAtTheirDesignRectanglesInTheirFirstStates) {
    struct Case {
        const char* what;
        QWidget* control;
        QRect atFullSize;  // the window at 1280 × 728
        QRect atHalfWidth;
    };
    const Case cases[] = {
        {"scope", &panel().scope(), {233, 11, 1037, 302}, {116, 11, 519, 302}},
        {"gain box 31", &panel().gainBox(30), {1235, 396, 30, 15}, {617, 396, 15, 15}},
        {"slider 2", &panel().gainSlider(1), {303, 414, 22, 125}, {151, 414, 11, 125}},
        {"CH12 button", &panel().channelButton(11), {98, 454, 33, 23}, {49, 454, 16, 23}},
        {"CH12 delay", &panel().delayBox(11), {131, 456, 37, 19}, {65, 456, 19, 19}},
        {"limiter level",
         &panel().crossoverBox(BOX_LIMITER_LEVEL),
         {-1107, 140, 72, 16},
         {-553, 140, 36, 16}},
        {"release combo",
         &panel().combo(COMBO_RELEASE),
         {-1018, 233, 72, 150},
         {-509, 233, 36, 150}},
    };
    EXPECT_EQ(panel().geometry(), QRect(0, 160, 1280, 568));
    for (const Case& c : cases) EXPECT_EQ(c.control->geometry(), c.atFullSize) << c.what;
    window->resize(640, 728);
    settle();
    for (const Case& c : cases) EXPECT_EQ(c.control->geometry(), c.atHalfWidth) << c.what;

    EXPECT_EQ(pendingWrites(), 0);
    EXPECT_EQ(panel().button(BUTTON_GRAPHIC).caption(), "GEQ");
    EXPECT_TRUE(panel().scope().isFrequencyLocked());
    const ImageButton::Check first[BUTTON_COUNT] = {OFF, ON, OFF, OFF, OFF, ON, ON, OFF, OFF};
    for (int i = 0; i < BUTTON_COUNT; ++i)
        EXPECT_EQ(panel().button(i).buttonCheck(), first[i]) << i;
    for (int k = 0; k < BANDS; ++k) {
        EXPECT_FALSE(panel().frequencyBox(k).isEditable()) << k;
        EXPECT_FALSE(panel().qBox(k).isEditable()) << k;
        EXPECT_EQ(panel().bandButton(k).buttonCheck(), ON) << "flat band " << k;
    }
    EXPECT_EQ(panel().frequencyBox(6).text(), "80.3");
    EXPECT_EQ(panel().qBox(6).text(), "7.60");
    EXPECT_EQ(panel().button(BUTTON_PHASE).caption(), "180'");
    EXPECT_EQ(panel().combo(COMBO_HIGH_PASS_SLOPE).itemText(5), "36dB/Oct");
    EXPECT_EQ(panel().combo(COMBO_HIGH_PASS_SLOPE).displayedIndex(), 5) << "register 291 is 52";
    EXPECT_EQ(panel().channelButton(0).buttonCheck(), ON);
    EXPECT_EQ(panel().channelButton(1).buttonCheck(), OFF);
}

TEST_F(EqPanelTest, ABandGainLightsItsButtonAndTheButtonSwitchesTheBand) {
    typeInto(panel().gainBox(5), "-3");
    EXPECT_EQ(bandGain(0, 5), 470);
    EXPECT_EQ(panel().bandButton(5).buttonCheck(), OFF) << "state 1: the band sounds";
    EXPECT_EQ(panel().button(BUTTON_PASS).buttonCheck(), OFF);
    EXPECT_TRUE(panel().scope().isEqActive());
    EXPECT_EQ(panel().gainSlider(5).sliderValue(), -30);
    EXPECT_EQ(panel().scope().curve(0).gainDb[FIRST_EQ_BAND + 5], -3);
    EXPECT_EQ(panel().highlightedBand(), 5);
    EXPECT_EQ(panel().focusItem(), 62 + 5);

    clickButton(panel().bandButton(5));
    EXPECT_EQ(bandGain(0, 5), 500);
    EXPECT_EQ(panel().bandButton(5).buttonCheck(), ON);
    EXPECT_EQ(panel().button(BUTTON_PASS).buttonCheck(), ON);
    EXPECT_FALSE(panel().scope().isEqActive()) << "the scope shows its bypass picture";
    EXPECT_EQ(panel().gainSlider(5).sliderValue(), 0);

    clickButton(panel().bandButton(5));
    EXPECT_EQ(bandGain(0, 5), 470);
    EXPECT_EQ(panel().gainBox(5).text(), "-3.0");
}

TEST_F(EqPanelTest, PassFlattensEveryBandAndBringsTheGainsBack) {
    typeInto(panel().gainBox(0), "-3");
    typeInto(panel().gainBox(2), "2");
    clickButton(panel().button(BUTTON_PASS));
    EXPECT_EQ(bandGain(0, 0), 500);
    EXPECT_EQ(bandGain(0, 1), 500);
    EXPECT_EQ(bandGain(0, 2), 500);
    EXPECT_EQ(panel().button(BUTTON_PASS).buttonCheck(), ON);

    clickButton(panel().button(BUTTON_PASS));
    EXPECT_EQ(bandGain(0, 0), 470);
    EXPECT_EQ(bandGain(0, 1), 500) << "a band that was flat stays flat";
    EXPECT_EQ(bandGain(0, 2), 520);
    EXPECT_EQ(panel().gainSlider(2).sliderValue(), 20);
    EXPECT_EQ(panel().button(BUTTON_PASS).buttonCheck(), OFF);
}

TEST_F(EqPanelTest, ResetAsksFirstAndOnYesWritesTheFlatBandsAndOpenCrossovers) {
    typeInto(panel().gainBox(3), "6");
    showFromProcessor(REG_HIGH_PASS_FREQUENCY, 80);
    showFromProcessor(bandRegister(0, 9, BandField::Frequency), 1000);
    registers().clearLinkFlags();
    window->messageBoxes().setAnswerAtOnce(false);

    QString question, caption;
    whenModalOpens([&](QWidget& box) {
        question = static_cast<QMessageBox&>(box).text();
        caption = box.windowTitle();
        clickCaptioned(box, "No");
    });
    clickButton(panel().button(BUTTON_RESET));
    EXPECT_EQ(question, "Whether to reset EQ");
    EXPECT_EQ(caption, "Tip!");
    EXPECT_EQ(pendingWrites(), 0) << "No changes nothing";
    EXPECT_EQ(panel().gainBox(3).text(), "6.0");
    EXPECT_EQ(panel().crossoverBox(BOX_HIGH_PASS).text(), "80.3");

    whenModalOpens([](QWidget& box) { clickCaptioned(box, "Yes"); });
    clickButton(panel().button(BUTTON_RESET));
    for (int k = 0; k < BANDS; ++k) {
        EXPECT_EQ(registers().getRegister(bandRegister(0, k, BandField::Frequency)),
                  encodeFrequency(ISO_BAND_FREQUENCIES[k]))
            << k;
        EXPECT_EQ(registers().getRegister(bandRegister(0, k, BandField::Q)), 240) << k;
        EXPECT_EQ(bandGain(0, k), 500) << k;
    }
    EXPECT_EQ(registers().getRegister(REG_HIGH_PASS_FREQUENCY), 32965) << "19.7 Hz";
    EXPECT_EQ(registers().getRegister(REG_LOW_PASS_FREQUENCY), 20600);
    EXPECT_FALSE(registers().isWritePending(REG_HIGH_PASS_CODE)) << "codes are not touched";
    EXPECT_EQ(panel().button(BUTTON_PASS).buttonCheck(), ON);
    EXPECT_EQ(panel().button(BUTTON_RESET).buttonCheck(), OFF);
    EXPECT_EQ(panel().scope().curve(0).frequencyHz[FIRST_EQ_BAND + 9], 161);

    clickButton(panel().bandButton(3));
    EXPECT_EQ(bandGain(0, 3), 500) << "the reset forgot the band's gain";
}

TEST_F(EqPanelTest, GraphicAndParametricModeWriteEveryQ) {
    clickButton(panel().button(BUTTON_GRAPHIC));
    EXPECT_EQ(panel().button(BUTTON_GRAPHIC).caption(), "PEQ");
    EXPECT_FALSE(panel().scope().isFrequencyLocked());
    EXPECT_TRUE(panel().frequencyBox(4).isEditable());
    typeInto(panel().qBox(4), "2");
    typeInto(panel().frequencyBox(4), "1000");
    EXPECT_EQ(registers().getRegister(bandRegister(0, 4, BandField::Q)), encodeQ(2));
    EXPECT_EQ(registers().getRegister(bandRegister(0, 4, BandField::Frequency)), 1000);
    registers().clearLinkFlags();

    clickButton(panel().button(BUTTON_GRAPHIC));
    EXPECT_EQ(panel().button(BUTTON_GRAPHIC).caption(), "GEQ");
    for (int k = 0; k < BANDS; ++k) {
        const int q = bandRegister(0, k, BandField::Q);
        EXPECT_EQ(registers().getRegister(q), 240) << k;
        EXPECT_TRUE(registers().isWritePending(q)) << k;
        EXPECT_FALSE(registers().isWritePending(bandRegister(0, k, BandField::Frequency))) << k;
    }
    EXPECT_EQ(registers().getRegister(bandRegister(0, 4, BandField::Frequency)), 1000);
    EXPECT_EQ(panel().qBox(4).text(), "7.60");
    EXPECT_FALSE(panel().qBox(4).isEditable());
    EXPECT_EQ(panel().highlightedBand(), -1);
}

TEST_F(EqPanelTest, AChannelButtonOfAJointGroupSelectsTheGroupsSource) {
    sendToWindow(WM_LINK_PAIRS, 1, static_cast<LParam>(PairSource::Left));
    settle();
    ASSERT_EQ(window->channelLinks().jointGroup[3], 3);
    clickButton(panel().channelButton(3));
    EXPECT_EQ(window->currentSlot(), 2);
    EXPECT_EQ(panel().currentSlot(), 2);
    EXPECT_EQ(panel().scope().currentCurve(), 2);
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        EXPECT_EQ(panel().channelButton(s).buttonCheck(), s == 2 || s == 3 ? ON : OFF) << s;
    }
    EXPECT_EQ(panel().button(BUTTON_LINK_PAIRS).buttonCheck(), ON) << "lit while linked";

    clickButton(panel().channelButton(9));  // CH10 is in no group
    EXPECT_EQ(window->currentSlot(), 9);
}

TEST_F(EqPanelTest, DelayBoxesShowEverySlotInTheChosenUnit) {
    clickButton(panel().button(BUTTON_UNIT_CM));
    EXPECT_EQ(panel().button(BUTTON_UNIT_MS).buttonCheck(), ON);
    EXPECT_EQ(panel().button(BUTTON_UNIT_CM).buttonCheck(), OFF) << "the chosen unit";
    EXPECT_EQ(panel().button(BUTTON_UNIT_INCH).buttonCheck(), ON);
    showFromProcessor(REG_CHANNEL_DELAY, 1000);
    showFromProcessor(REG_CHANNEL_DELAY + 7, 500);
    EXPECT_EQ(panel().delayBox(0).text(), "34.60");
    EXPECT_EQ(panel().delayBox(7).text(), "17.30");
    EXPECT_EQ(pendingWrites(), 0) << "a unit is only how the boxes show the delay";

    typeInto(panel().delayBox(0), "69.2");
    EXPECT_EQ(registers().getRegister(REG_CHANNEL_DELAY), 2000);
    clickButton(panel().button(BUTTON_UNIT_INCH));
    EXPECT_EQ(panel().delayBox(0).text(), "27.24");
    clickButton(panel().button(BUTTON_UNIT_MS));
    EXPECT_EQ(panel().delayBox(0).text(), "2.000");
    clickButton(panel().button(BUTTON_UNIT_MS));
    EXPECT_EQ(panel().button(BUTTON_UNIT_MS).buttonCheck(), OFF) << "a unit stays chosen";
}

TEST_F(EqPanelTest, TheVolumeRegisterShowsLevelAndPhase) {
    showFromProcessor(REG_CHANNEL_VOLUME, 560);
    EXPECT_EQ(panel().volumeBox().text(), "-40dB");
    EXPECT_EQ(panel().volumeSlider().sliderValue(), -40);
    EXPECT_EQ(panel().button(BUTTON_PHASE).buttonCheck(), OFF);
    EXPECT_EQ(panel().button(BUTTON_PHASE).caption(), "180'");
    showFromProcessor(REG_CHANNEL_VOLUME, 60);
    EXPECT_EQ(panel().volumeBox().text(), "-40dB");
    EXPECT_EQ(panel().button(BUTTON_PHASE).caption(), "0'");
    showFromProcessor(REG_CHANNEL_VOLUME, 0);
    EXPECT_EQ(panel().volumeBox().text(), "OFF");

    registers().clearLinkFlags();
    wheel(panel().volumeSlider(), panel().volumeSlider().rect().center(), 1);
    EXPECT_EQ(registers().getRegister(REG_CHANNEL_VOLUME), 41) << "-59 dB, second phase state";
    clickButton(panel().button(BUTTON_PHASE));
    EXPECT_EQ(registers().getRegister(REG_CHANNEL_VOLUME), 541);
    EXPECT_EQ(panel().button(BUTTON_PHASE).caption(), "180'");
}

TEST_F(EqPanelTest, ReportsOfAnotherSlotChangeItsCurveAndDelayButNotTheBoxes) {
    showFromProcessor(bandRegister(3, 7, BandField::Gain), 560);
    showFromProcessor(bandRegister(3, 7, BandField::Q), encodeQ(2));
    showFromProcessor(REG_HIGH_PASS_FREQUENCY + 4 * 3, 125);
    EXPECT_EQ(panel().scope().curve(3).gainDb[FIRST_EQ_BAND + 7], 6);
    EXPECT_NEAR(panel().scope().curve(3).q[FIRST_EQ_BAND + 7], 2, 0.05);
    EXPECT_EQ(panel().scope().curve(3).frequencyHz[response::HP_BAND], 125);
    EXPECT_EQ(panel().gainBox(7).text(), "0.0");
    EXPECT_EQ(panel().crossoverBox(BOX_HIGH_PASS).text(), "19.7");

    sendToWindow(WM_SELECT_CHANNEL, 0, 3);
    settle();
    EXPECT_EQ(panel().gainBox(7).text(), "6.0");
    EXPECT_EQ(panel().gainSlider(7).sliderValue(), 60);
    EXPECT_EQ(panel().bandButton(7).buttonCheck(), OFF);
    EXPECT_EQ(panel().crossoverBox(BOX_HIGH_PASS).text(), "125");
    EXPECT_EQ(panel().scope().currentCurve(), 3);
    EXPECT_EQ(pendingWrites(), 0) << "loading a channel writes nothing";
}

TEST_F(EqPanelTest, AHandleDraggedInTheScopeWritesItsBand) {
    response::ResponseScope& scope = panel().scope();
    const int band = FIRST_EQ_BAND + 17;
    const QPoint from = scope.handleCentre(band);
    drag(scope, from, from - QPoint(30, 40));
    settle();
    const double gainDb = scope.curve(0).gainDb[band];
    EXPECT_GT(gainDb, 4);
    EXPECT_EQ(bandGain(0, 17), encodeGain(gainDb));
    EXPECT_EQ(registers().getRegister(bandRegister(0, 17, BandField::Frequency)), 1000)
        << "graphic mode keeps the frequency";
    EXPECT_EQ(panel().gainBox(17).getRealValue(), gainDb);
    EXPECT_EQ(panel().gainSlider(17).sliderValue(), gainDb * 10);
    EXPECT_EQ(panel().highlightedBand(), 17);
    EXPECT_EQ(panel().bandButton(17).buttonCheck(), OFF);

    const QPoint hp = scope.handleCentre(response::HP_BAND);
    drag(scope, hp, hp + QPoint(120, 0));
    const double cornerHz = scope.curve(0).frequencyHz[response::HP_BAND];
    EXPECT_GT(cornerHz, 19.7);
    EXPECT_EQ(registers().getRegister(REG_HIGH_PASS_FREQUENCY), encodeFrequency(cornerHz));
    EXPECT_EQ(panel().crossoverBox(BOX_HIGH_PASS).getRealValue(), cornerHz);

    registers().clearLinkFlags();
    const response::ScopeRect box = scope.channelBoxRect(4);
    click(scope, QPoint(box.left + 3, box.top + 3));
    settle();
    EXPECT_TRUE(scope.isCurveVisible(4));
    EXPECT_EQ(pendingWrites(), 0) << "showing another curve writes nothing";
}

TEST_F(EqPanelTest, SlidersAndCombosWriteTheirItems) {
    ImageSlider& slider = panel().gainSlider(2);
    for (int notch = 0; notch < 3; ++notch) wheel(slider, slider.rect().center(), 1);
    EXPECT_EQ(panel().gainBox(2).text(), "0.3");
    EXPECT_EQ(bandGain(0, 2), 503);

    // Bessel for the high-pass: 36 dB/Oct (52) becomes 54.
    panel().combo(COMBO_HIGH_PASS_FAMILY).list().activated(1);
    settle();
    EXPECT_EQ(registers().getRegister(REG_HIGH_PASS_CODE), 54);
    EXPECT_EQ(panel().scope().hpCode(), 54);
    EXPECT_EQ(panel().focusItem(), 94);
    panel().combo(COMBO_LOW_PASS_SLOPE).list().activated(8);  // "OFF"
    settle();
    EXPECT_EQ(registers().getRegister(REG_LOW_PASS_CODE), 65);
    EXPECT_EQ(panel().focusItem(), 98) << "navigation resumes on the slope combo";

    showFromProcessor(REG_LIMITER_RELEASE, 16);
    EXPECT_EQ(panel().combo(COMBO_RELEASE).displayedIndex(), 4) << "the hidden limiter follows";
    panel().combo(COMBO_RELEASE).list().activated(1);
    settle();
    EXPECT_EQ(registers().getRegister(REG_LIMITER_RELEASE), 4);
}

TEST_F(EqPanelTest, TabAndArrowsWalkTheBoxesSkippingThoseWithoutInput) {
    QLineEdit& gain0 = panel().gainBox(0).editField();
    focus(gain0);
    EXPECT_EQ(panel().focusItem(), 62);
    key(gain0, Qt::Key_Tab);
    EXPECT_TRUE(panel().gainBox(1).editField().hasFocus());
    EXPECT_EQ(panel().focusItem(), 63);
    key(panel().gainBox(1).editField(), Qt::Key_Left);
    EXPECT_TRUE(gain0.hasFocus());
    // Graphic mode: the frequency and Q boxes are skipped, so Left wraps round.
    key(gain0, Qt::Key_Left);
    EXPECT_EQ(panel().focusItem(), 114);
    EXPECT_TRUE(gain0.hasFocus()) << "no control took the focus";
    key(gain0, Qt::Key_Tab);
    EXPECT_EQ(panel().focusItem(), 0);
    key(gain0, Qt::Key_Right);
    EXPECT_EQ(panel().focusItem(), 62);

    focus(panel().gainBox(30).editField());
    key(panel().gainBox(30).editField(), Qt::Key_Right);
    EXPECT_TRUE(panel().crossoverBox(BOX_HIGH_PASS).editField().hasFocus());
    key(panel().crossoverBox(BOX_HIGH_PASS).editField(), Qt::Key_Tab);
    EXPECT_TRUE(panel().combo(COMBO_HIGH_PASS_FAMILY).list().hasFocus());
    EXPECT_EQ(panel().focusItem(), 94);
}

TEST_F(EqPanelTest, ALanguageSwitchRelabelsEveryCaptionAndKeepsTheFamilies) {
    showFromProcessor(REG_HIGH_PASS_CODE, 54);  // Bessel
    clickButton(panel().button(BUTTON_GRAPHIC));
    setCurrentLanguage(Language::SimplifiedChinese);
    sendToWindow(WM_LANGUAGE_CHANGED, 0, 0);
    EXPECT_EQ(panel().button(BUTTON_RESET).caption(), "复位");
    EXPECT_EQ(panel().button(BUTTON_PASS).caption(), "直通");
    EXPECT_EQ(panel().button(BUTTON_GRAPHIC).caption(), "参数均衡");
    EXPECT_EQ(panel().button(BUTTON_PHASE).caption(), "正相");
    EXPECT_EQ(panel().button(BUTTON_LINK_PAIRS).caption(), "    左右联调");
    EXPECT_EQ(panel().volumeLabel().labelText(), "通道音量");
    EXPECT_EQ(panel().label(0).labelText(), "分频器");
    EXPECT_EQ(panel().label(9).labelText(), "英寸");
    EXPECT_EQ(panel().columnLabel(0).labelText(), "标号");
    EXPECT_EQ(panel().combo(COMBO_HIGH_PASS_FAMILY).displayedIndex(), 1);
    EXPECT_EQ(panel().combo(COMBO_HIGH_PASS_FAMILY).itemText(1), "贝塞尔");
    setCurrentLanguage(Language::TraditionalChinese);
    sendToWindow(WM_LANGUAGE_CHANGED, 0, 0);
    EXPECT_EQ(panel().combo(COMBO_LOW_PASS_FAMILY).itemText(2), "甯克");
    EXPECT_EQ(panel().button(BUTTON_RESET).caption(), "複位");
    setCurrentLanguage(Language::English);
}

TEST_F(EqPanelTest, LinkedChannelsFollowAnEditOnEitherPartner) {
    sendToWindow(WM_LINK_PAIRS, 1, static_cast<LParam>(PairSource::Left));
    settle();
    typeInto(panel().gainBox(3), "4.5");
    settle();
    EXPECT_EQ(bandGain(0, 3), 545);
    EXPECT_EQ(bandGain(1, 3), 545);
    EXPECT_EQ(panel().scope().curve(1).gainDb[FIRST_EQ_BAND + 3], 4.5) << "its curve follows";

    sendToWindow(WM_SELECT_CHANNEL, 0, 1);  // the strip's name makes the partner current
    settle();
    typeInto(panel().gainBox(3), "-2");
    settle();
    EXPECT_EQ(bandGain(1, 3), 480);
    EXPECT_EQ(bandGain(0, 3), 480);
    EXPECT_EQ(panel().scope().curve(0).gainDb[FIRST_EQ_BAND + 3], -2);
}

}  // namespace
}  // namespace tq370::test
