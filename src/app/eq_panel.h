#pragma once

#include <array>

#include "app/design_layout.h"
#include "app/eq_panel_design.h"
#include "controls/image_button.h"
#include "controls/image_slider.h"
#include "controls/message_window.h"
#include "controls/styled_combo_box.h"
#include "controls/styled_label.h"
#include "controls/value_box.h"
#include "params/channel_links.h"
#include "params/eq_band_states.h"
#include "params/param_encoding.h"
#include "response/response_scope.h"

namespace tq370 {

class MessageBoxes;
class RegisterAccess;

// The lower part of the main window: the current channel's 31 EQ bands (boxes, sliders,
// on/off buttons), its crossovers, volume and phase, the response scope with every
// channel's curve, and what concerns all channels: the car-shaped channel selector with a
// delay box per channel, the delay unit, and the Link L&R and Link Delay buttons.
//
// It never writes a register: after a user's change it sends WM_SET_PARAM (wParam 100 +
// current slot, lParam the channel item) to the main window, which asks encodeItem for
// the value; what the registers hold comes back through showItem and loadChannel. The
// limiter's controls lie left of the visible area but follow the registers. UI thread only.
class EqPanel : public MessageWindow {
public:
    // registers are read when a channel is loaded; links are the main window's (the
    // delay-link dialog edits its delay groups); boxes ask the reset question.
    EqPanel(MessageWindow* mainWindow, const RegisterAccess& registers, ChannelLinks& links,
            MessageBoxes& boxes);

    // Places every control for the main window's scale factors.
    void layoutPanel(const Scale& scale);

    // The register value of a channel item from the controls of the current slot; 0 for
    // an item without a parameter.
    int encodeItem(int item) const;
    // A register value of slot's item: its curve in the scope, and the controls when slot
    // is the current one; the delay boxes show every slot.
    void showItem(int item, int value, int slot);
    // Makes slot current: its channel button (or its joint group's), its values from the
    // registers, and every curve of the scope refilled.
    void loadChannel(int slot);
    // Every caption in the current language.
    void relabel();

    int currentSlot() const { return currentSlot_; }
    int focusItem() const { return focusItem_; }
    bool isGraphicMode() const { return graphicMode_; }
    // The highlighted band, or -1.
    int highlightedBand() const { return highlightedBand_; }

    response::ResponseScope& scope() { return *scope_; }
    ValueBox& frequencyBox(int band) { return *frequencyBoxes_[at(band)]; }
    ValueBox& qBox(int band) { return *qBoxes_[at(band)]; }
    ValueBox& gainBox(int band) { return *gainBoxes_[at(band)]; }
    ImageSlider& gainSlider(int band) { return *gainSliders_[at(band)]; }
    ImageButton& bandButton(int band) { return *bandButtons_[at(band)]; }
    StyledLabel& bandLabel(int band) { return *bandLabels_[at(band)]; }
    StyledLabel& columnLabel(int i) { return *columnLabels_[at(i)]; }
    StyledLabel& label(int i) { return *labels_[at(i)]; }
    ImageButton& button(int index) { return *buttons_[at(index)]; }
    ValueBox& crossoverBox(int b) { return *crossoverBoxes_[at(b)]; }
    StyledComboBox& combo(int t) { return *combos_[at(t)]; }
    ImageSlider& volumeSlider() { return *volumeSlider_; }
    ValueBox& volumeBox() { return *volumeBox_; }
    StyledLabel& volumeLabel() { return *volumeLabel_; }
    ImageButton& channelButton(int slot) { return *channelButtons_[at(slot)]; }
    ValueBox& delayBox(int slot) { return *delayBoxes_[at(slot)]; }

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static std::size_t at(int index) { return static_cast<std::size_t>(index); }

    // Creation (eq_panel.cpp).
    void createControls();
    void createBands();
    void createLeftSide();
    void createChannelSelector();
    void watchKeys(QWidget& widget);
    void fillFamilyCombos();

    // The user's changes (eq_panel_actions.cpp).
    bool handleNotification(int message, int wParam, int lParam);
    void sendItem(int item);
    void sendItem(int item, int navigationItem);
    void frequencyBoxChanged(int band);
    void qBoxChanged(int band);
    void gainBoxChanged(int band);
    void gainSliderMoved(int band, int tenths);
    void bandButtonToggled(int band);
    void buttonToggled(int index);
    void crossoverBoxChanged(int b);
    void comboChanged(int t);
    void volumeSliderMoved(int levelDb);
    void volumeBoxChanged();
    void channelButtonClicked(int slot);
    void scopeChanged(int what, int band);
    void resetEq();
    void passToggled();
    void graphicModeToggled();
    void chooseUnit(int unitButton);
    void linkPairsToggled();
    void openDelayLink();
    void delayEditedInDialog(int slot, int samples);
    void navigateFrom(bool forward);
    bool acceptsInput(int item) const;
    QWidget* navigationControl(int item);

    // What the controls show.
    void setBandGain(int band, int tenths);  // box, slider and scope; not sent
    void highlightBand(int band);            // -1: none
    void styleBandMarks();
    void refreshBandStates();
    void showPhaseCaption();
    void showGraphicCaption();
    void showLinkStates();
    void showChannelButtons(int slot);
    CrossoverChoice crossoverChoice() const;
    std::optional<int> filterCode(bool lowPass) const;

    const RegisterAccess& registers_;
    ChannelLinks& links_;
    MessageBoxes& boxes_;
    EqGainStore gainStore_;
    Scale scale_;
    int currentSlot_ = 0;
    int focusItem_ = 0;
    int highlightedBand_ = -1;
    bool graphicMode_ = true;  // the frequency and Q boxes take no input

    response::ResponseScope* scope_ = nullptr;
    bool scopeInitialised_ = false;
    std::array<StyledLabel*, eq_panel::BANDS> bandLabels_{};
    std::array<ValueBox*, eq_panel::BANDS> frequencyBoxes_{};
    std::array<ValueBox*, eq_panel::BANDS> qBoxes_{};
    std::array<ValueBox*, eq_panel::BANDS> gainBoxes_{};
    std::array<ImageSlider*, eq_panel::BANDS> gainSliders_{};
    std::array<ImageButton*, eq_panel::BANDS> bandButtons_{};
    std::array<StyledLabel*, eq_panel::COLUMN_LABEL_COUNT> columnLabels_{};
    std::array<ImageButton*, eq_panel::BUTTON_COUNT> buttons_{};
    std::array<StyledLabel*, eq_panel::LABEL_COUNT> labels_{};
    std::array<ValueBox*, eq_panel::CROSSOVER_BOX_COUNT> crossoverBoxes_{};
    std::array<StyledComboBox*, eq_panel::COMBO_COUNT> combos_{};
    ImageSlider* volumeSlider_ = nullptr;
    ValueBox* volumeBox_ = nullptr;
    StyledLabel* volumeLabel_ = nullptr;
    std::array<ImageButton*, CHANNEL_COUNT> channelButtons_{};
    std::array<ValueBox*, CHANNEL_COUNT> delayBoxes_{};
};

}  // namespace tq370
