#pragma once

#include "app_fixture.h"
#include "params/channel_register_map.h"
#include "ui/ui_harness.h"
#include "window_actions.h"

namespace tq370::test {

// The main window with its EQ panel, nothing written yet, in English.
class EqFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        makeWindow();
        window->showStartState();
        settle();
        registers().clearLinkFlags();
    }

    EqPanel& panel() { return window->eqPanel(); }

    static int bandRegister(int slot, int band, BandField field) {
        return CHANNEL_REGISTER_MAP[slot][bandEntry(band, field)];
    }
    int bandGain(int slot, int band) {
        return registers().getRegister(bandRegister(slot, band, BandField::Gain));
    }

    // A click as the user makes it; the button tells the panel once events run.
    void clickButton(ImageButton& button) {
        click(button, button.activeArea().center());
        settle();
    }
    // A value the processor reported, shown through the display path.
    void showFromProcessor(int reg, int value) {
        registers().storeDeviceValue(reg, static_cast<std::uint16_t>(value));
        sendToWindow(WM_LINK_NOTIFY, LINK_NOTIFY_REGISTER, reg);
        settle();
    }
};

}  // namespace tq370::test
