#include <gtest/gtest.h>

#include <QPushButton>

#include "app/pair_link_dialog.h"
#include "app_fixture.h"
#include "link/frame.h"
#include "params/channel_register_map.h"
#include "params/param_encoding.h"
#include "sim/processor_simulator.h"
#include "ui/ui_harness.h"
#include "window_actions.h"

namespace tq370::test {
namespace {

// The whole program against the simulated processor on a pseudo-terminal, through the
// serial transport and the engine, every protocol wait scaled down.
class DemoEndToEnd : public AppFixture {
protected:
    static constexpr double TIME_SCALE = 0.1;

    void SetUp() override {
        AppFixture::SetUp();
        makeWindow(true, TIME_SCALE);
        ASSERT_TRUE(window->start());
        ASSERT_TRUE(waitUntilShown());
    }
    // Connected, read back, and every report shown.
    bool waitUntilShown() {
        return waitFor([this] {
            return link->running() && !window->engineProgress().isVisible() &&
                   !window->linkHost().changedRegisters().pending();
        });
    }
    ProcessorSimulator& sim() { return *link->simulator(); }
    QString linkCaption() { return window->windowButton(BUTTON_LINK).caption(); }
};

TEST_F(DemoEndToEnd, ConnectingAndShowingWriteNoRegister) {
    EXPECT_EQ(linkCaption(), "Successful");
    EXPECT_EQ(window->titleLabel().labelText(), "TQ370-COM");
    EXPECT_EQ(window->windowTitle(), "TQ370-COM Demo");
    settle();
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        if (reg == REG_HOST_LINK) continue;  // the engine's own keep-alive
        EXPECT_EQ(sim().writesReceived(reg), 0) << reg;
    }
    EXPECT_EQ(pendingWrites(), 0);
}

TEST_F(DemoEndToEnd, AClickOnAMuteReachesTheProcessor) {
    ImageButton& mute = window->strip(4).button(ChannelStrip::BUTTON_MUTE);
    click(mute, mute.rect().center());
    EXPECT_TRUE(waitFor([&] { return sim().registerValue(REG_CHANNEL_MUTE + 4) == 1; }));
    EXPECT_TRUE(waitFor([&] { return !registers().isWritePending(REG_CHANNEL_MUTE + 4); }))
        << "acknowledged";
}

TEST_F(DemoEndToEnd, ATypedMasterVolumeReachesTheProcessor) {
    ValueBox& box = window->masterBox();
    focus(box);
    box.editField().selectAll();
    typeText(box.editField(), "-12");
    key(box.editField(), Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return sim().registerValue(REG_MASTER_VOLUME) == 588; }));
    EXPECT_EQ(window->masterSlider().sliderValue(), -12);
}

TEST_F(DemoEndToEnd, AChangeAtTheProcessorShowsInItsStrip) {
    sim().reportRegisterChange(REG_CHANNEL_MUTE + 2, 1);
    sim().reportRegisterChange(REG_SPEAKER_POSITION + 2, 24);
    ChannelStrip& strip = window->strip(2);
    EXPECT_TRUE(waitFor([&] {
        return strip.button(ChannelStrip::BUTTON_MUTE).buttonCheck() == ImageButton::TOGGLE_ON &&
               strip.button(ChannelStrip::BUTTON_POSITION).caption() == "Subwoofer";
    }));
    settle();
    EXPECT_EQ(sim().writesReceived(REG_CHANNEL_MUTE + 2), 0) << "shown, not written back";
}

int bandRegister(int slot, int band, BandField field) {
    return CHANNEL_REGISTER_MAP[slot][bandEntry(band, field)];
}

TEST_F(DemoEndToEnd, ADragInTheScopeAndATypedGainReachTheProcessor) {
    EqPanel& panel = window->eqPanel();
    response::ResponseScope& scope = panel.scope();
    const int band = response::FIRST_EQ_BAND + 17;
    const QPoint handle = scope.handleCentre(band);
    drag(scope, handle, handle - QPoint(0, 50));
    const int dragged = encodeGain(scope.curve(0).gainDb[band]);
    ASSERT_GT(dragged, 500);
    typeInto(panel.gainBox(3), "-4.5");

    const int gain17 = bandRegister(0, 17, BandField::Gain);
    const int gain3 = bandRegister(0, 3, BandField::Gain);
    EXPECT_TRUE(waitFor([&] {
        return sim().registerValue(gain17) == dragged && sim().registerValue(gain3) == 455;
    }));
    EXPECT_TRUE(waitFor([&] { return !registers().isWritePending(gain3); })) << "acknowledged";
    EXPECT_EQ(sim().registerValue(bandRegister(0, 17, BandField::Frequency)), 1000);
}

TEST_F(DemoEndToEnd, AChangeAtTheProcessorShowsInTheEqPanelAndItsCurve) {
    EqPanel& panel = window->eqPanel();
    sim().reportRegisterChange(bandRegister(0, 20, BandField::Gain), 580);
    sim().reportRegisterChange(bandRegister(5, 20, BandField::Gain), 420);
    sim().reportRegisterChange(REG_CHANNEL_DELAY + 9, 1000);
    EXPECT_TRUE(waitFor([&] {
        return panel.gainBox(20).text() == "8.0" && panel.delayBox(9).text() == "1.000" &&
               panel.scope().curve(5).gainDb[response::FIRST_EQ_BAND + 20] == -8;
    }));
    EXPECT_EQ(panel.gainSlider(20).sliderValue(), 80);
    settle();
    EXPECT_EQ(sim().writesReceived(bandRegister(0, 20, BandField::Gain)), 0) << "not echoed";
}

TEST_F(DemoEndToEnd, LinkingLeftAndRightCopiesToTheProcessor) {
    EqPanel& panel = window->eqPanel();
    typeInto(panel.gainBox(8), "3");
    whenModalOpens([](QWidget& w) { dynamic_cast<PairLinkDialog&>(w).okButton().click(); });
    ImageButton& link = panel.button(eq_panel::BUTTON_LINK_PAIRS);
    click(link, link.activeArea().center());
    // CH2 is CH1's right partner; CH4 is CH3's.
    EXPECT_TRUE(
        waitFor([&] { return sim().registerValue(bandRegister(1, 8, BandField::Gain)) == 530; }));
    typeInto(panel.gainBox(9), "-1");
    EXPECT_TRUE(
        waitFor([&] { return sim().registerValue(bandRegister(1, 9, BandField::Gain)) == 490; }));
}

TEST_F(DemoEndToEnd, PauseThenResumeRunsAFullReconnect) {
    const int bulkReads = sim().framesReceived(CMD_SEND_ALL);
    ASSERT_GE(bulkReads, 1);
    ImageButton& status = window->windowButton(BUTTON_LINK);
    click(status, status.activeArea().center());
    settle();
    EXPECT_EQ(linkCaption(), "Suspended");
    EXPECT_TRUE(link->paused());

    click(status, status.activeArea().center());
    ASSERT_TRUE(waitFor([&] { return sim().framesReceived(CMD_SEND_ALL) > bulkReads; }));
    EXPECT_TRUE(waitUntilShown());
    EXPECT_EQ(linkCaption(), "Successful");
}

}  // namespace
}  // namespace tq370::test
