// What the EQ panel does with its controls' notifications: it updates the controls that
// show the same value, and tells the main window which item to write.
#include <QKeyEvent>

#include "app/delay_link_dialog.h"
#include "app/eq_panel.h"
#include "app/message_boxes.h"
#include "app/pair_link_dialog.h"
#include "app/window_messages.h"
#include "params/eq_navigation.h"
#include "params/param_item.h"
#include "response/scope_rules.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {

using namespace eq_panel;

namespace {

bool isOn(const ImageButton& button) {
    return button.buttonCheck() == ImageButton::TOGGLE_ON;
}

// Navigation items of the combos (95 and 98 name no parameter of their own).
constexpr int NAVIGATION_ITEM_OF_COMBO[COMBO_COUNT] = {94, 95, 97, 98, 101};

}  // namespace

LResult EqPanel::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (handleNotification(static_cast<int>(message), static_cast<int>(wParam),
                           static_cast<int>(lParam))) {
        return 1;
    }
    return MessageWindow::handleMessage(message, wParam, lParam);
}

bool EqPanel::handleNotification(int m, int w, int l) {
    const auto in = [m](int first, int count) { return m >= first && m < first + count; };
    if (m == ID_SCOPE) {
        scopeChanged(w, l);
    } else if (in(ID_FREQUENCY_BOX, BANDS)) {
        frequencyBoxChanged(m - ID_FREQUENCY_BOX);
    } else if (in(ID_Q_BOX, BANDS)) {
        qBoxChanged(m - ID_Q_BOX);
    } else if (in(ID_GAIN_BOX, BANDS)) {
        gainBoxChanged(m - ID_GAIN_BOX);
    } else if (in(ID_GAIN_SLIDER, BANDS)) {
        gainSliderMoved(m - ID_GAIN_SLIDER, l);
    } else if (in(ID_BAND_BUTTON, BANDS)) {
        bandButtonToggled(m - ID_BAND_BUTTON);
    } else if (in(ID_BUTTON, BUTTON_COUNT)) {
        buttonToggled(m - ID_BUTTON);
    } else if (in(ID_CROSSOVER_BOX, CROSSOVER_BOX_COUNT)) {
        crossoverBoxChanged(m - ID_CROSSOVER_BOX);
    } else if (in(ID_COMBO, COMBO_COUNT)) {
        comboChanged(m - ID_COMBO);
    } else if (m == ID_VOLUME_SLIDER) {
        volumeSliderMoved(l);
    } else if (m == ID_VOLUME_BOX) {
        volumeBoxChanged();
    } else if (in(ID_CHANNEL_BUTTON, CHANNEL_COUNT)) {
        channelButtonClicked(m - ID_CHANNEL_BUTTON);
    } else if (in(ID_DELAY_BOX, CHANNEL_COUNT)) {
        sendItem(ITEM_DELAY_FIRST + m - ID_DELAY_BOX);
    } else {
        return false;
    }
    return true;
}

void EqPanel::sendItem(int item) {
    sendItem(item, item);
}

void EqPanel::sendItem(int item, int navigationItem) {
    send(parentWindow(), WM_SET_PARAM, CHANNEL_SENDER_BASE + currentSlot_, item);
    focusItem_ = navigationItem;
}

void EqPanel::frequencyBoxChanged(int band) {
    highlightBand(band);
    scope_->setBandFrequency(band, frequencyBox(band).getRealValue());
    sendItem(ITEM_BAND_FREQUENCY + band);
}

void EqPanel::qBoxChanged(int band) {
    highlightBand(band);
    scope_->setBandQ(band, qBox(band).getRealValue());
    sendItem(ITEM_BAND_Q + band);
}

void EqPanel::gainBoxChanged(int band) {
    highlightBand(band);
    const double gainDb = gainBox(band).getRealValue();
    scope_->setBandGain(band, gainDb);
    gainSlider(band).setSliderValue(gainDb);
    refreshBandStates();
    sendItem(ITEM_BAND_GAIN + band);
}

void EqPanel::gainSliderMoved(int band, int tenths) {
    highlightBand(band);
    gainBox(band).setPosition(tenths);
    scope_->setBandGain(band, gainBox(band).getRealValue());
    refreshBandStates();
    sendItem(ITEM_BAND_GAIN + band);
}

void EqPanel::bandButtonToggled(int band) {
    // The button has already changed: its first state is the sounding band.
    const bool on = !isOn(bandButton(band));
    setBandGain(band, gainStore_.toggleBand(band, on, gainBox(band).position()));
    refreshBandStates();
    sendItem(ITEM_BAND_GAIN + band);
}

void EqPanel::buttonToggled(int index) {
    switch (index) {
        case BUTTON_RESET:
            resetEq();
            break;
        case BUTTON_PASS:
            passToggled();
            break;
        case BUTTON_GRAPHIC:
            graphicModeToggled();
            break;
        case BUTTON_PHASE:
            showPhaseCaption();
            sendItem(ITEM_VOLUME);
            break;
        case BUTTON_UNIT_MS:
        case BUTTON_UNIT_CM:
        case BUTTON_UNIT_INCH:
            chooseUnit(index);
            break;
        case BUTTON_LINK_PAIRS:
            linkPairsToggled();
            break;
        case BUTTON_LINK_DELAY:
            openDelayLink();
            break;
        default:
            break;
    }
}

void EqPanel::resetEq() {
    // RST acts like a push button: it is lit only while pressed.
    button(BUTTON_RESET).setButtonCheck(ImageButton::TOGGLE_OFF);
    const bool yes = boxes_.ask(QString::fromUtf8(text(TXT_CONFIRM_RESET_EQ)),
                                QString::fromUtf8(text(TXT_TIP)), BoxButtons::YesNo);
    if (!yes) return;
    gainStore_.clear();
    for (int k = 0; k < BANDS; ++k) {
        frequencyBox(k).setRealValue(ISO_BAND_FREQUENCIES[at(k)]);
        qBox(k).setRealValue(EQ_RESET_Q);
        scope_->setBandFrequency(currentSlot_, k, ISO_BAND_FREQUENCIES[at(k)]);
        scope_->setBandQ(currentSlot_, k, EQ_RESET_Q);
        setBandGain(k, 0);
        sendItem(ITEM_BAND_FREQUENCY + k);
        sendItem(ITEM_BAND_Q + k);
        sendItem(ITEM_BAND_GAIN + k);
    }
    scope_->setCrossoverFrequency(currentSlot_, response::HP_BAND, EQ_RESET_HIGH_PASS_HZ);
    scope_->setCrossoverFrequency(currentSlot_, response::LP_BAND, EQ_RESET_LOW_PASS_HZ);
    crossoverBox(BOX_HIGH_PASS).setRealValue(EQ_RESET_HIGH_PASS_HZ);
    crossoverBox(BOX_LOW_PASS).setRealValue(EQ_RESET_LOW_PASS_HZ);
    sendItem(ITEM_HIGH_PASS_FREQUENCY);
    sendItem(ITEM_LOW_PASS_FREQUENCY);
    refreshBandStates();
}

void EqPanel::passToggled() {
    BandGains gains{};
    for (int k = 0; k < BANDS; ++k) gains[at(k)] = gainBox(k).position();
    const BandGains shown = gainStore_.pass(isOn(button(BUTTON_PASS)), gains);
    for (int k = 0; k < BANDS; ++k) {
        setBandGain(k, shown[at(k)]);
        sendItem(ITEM_BAND_GAIN + k);
    }
    refreshBandStates();
}

void EqPanel::graphicModeToggled() {
    graphicMode_ = !isOn(button(BUTTON_GRAPHIC));
    showGraphicCaption();
    scope_->setFrequencyLock(graphicMode_);
    for (int k = 0; k < BANDS; ++k) {
        if (graphicMode_) {
            qBox(k).setRealValue(GRAPHIC_EQ_Q);
            scope_->setBandQ(currentSlot_, k, GRAPHIC_EQ_Q);
        }
        frequencyBox(k).setEditable(!graphicMode_);
        qBox(k).setEditable(!graphicMode_);
    }
    for (int k = 0; k < BANDS; ++k) sendItem(ITEM_BAND_Q + k);
    highlightBand(-1);
}

void EqPanel::chooseUnit(int unitButton) {
    for (int b = BUTTON_UNIT_MS; b <= BUTTON_UNIT_INCH; ++b) {
        button(b).setButtonCheck(b == unitButton ? ImageButton::TOGGLE_OFF
                                                 : ImageButton::TOGGLE_ON);
    }
    const ValueKind kind = unitButton == BUTTON_UNIT_CM     ? ValueKind::DelayCm
                           : unitButton == BUTTON_UNIT_INCH ? ValueKind::DelayInch
                                                            : ValueKind::DelayMs;
    for (ValueBox* box : delayBoxes_) box->setValueKind(kind);
}

void EqPanel::linkPairsToggled() {
    if (isOn(button(BUTTON_LINK_PAIRS))) {
        PairLinkDialog dialog(window());
        if (dialog.exec() == QDialog::Accepted) {
            send(parentWindow(), WM_LINK_PAIRS, 1, static_cast<LParam>(dialog.source()));
        }
    } else {
        send(parentWindow(), WM_LINK_PAIRS, 0, 0);
    }
    // Lit while pairs are linked: a cancelled dialog, or positions that form no pair,
    // leave it off.
    showLinkStates();
}

void EqPanel::openDelayLink() {
    DelayLinkDialog dialog(window(), registers_, links_.delayGroup,
                           [this](int slot, int samples) { delayEditedInDialog(slot, samples); });
    dialog.exec();
    showLinkStates();
}

void EqPanel::delayEditedInDialog(int slot, int samples) {
    delayBox(slot).setPosition(samples);
    sendItem(ITEM_DELAY_FIRST + slot);
}

void EqPanel::crossoverBoxChanged(int b) {
    const double value = crossoverBox(b).getRealValue();
    switch (b) {
        case BOX_HIGH_PASS:
            scope_->setCrossoverFrequency(currentSlot_, response::HP_BAND, value);
            sendItem(ITEM_HIGH_PASS_FREQUENCY);
            break;
        case BOX_LOW_PASS:
            scope_->setCrossoverFrequency(currentSlot_, response::LP_BAND, value);
            sendItem(ITEM_LOW_PASS_FREQUENCY);
            break;
        case BOX_LIMITER_LEVEL:
            sendItem(ITEM_LIMITER_LEVEL);
            break;
        default:
            sendItem(ITEM_LIMITER_ATTACK);
            break;
    }
}

void EqPanel::comboChanged(int t) {
    const int navigationItem = NAVIGATION_ITEM_OF_COMBO[t];
    if (t == COMBO_RELEASE) {
        sendItem(ITEM_LIMITER_RELEASE, navigationItem);
        return;
    }
    const bool lowPass = t == COMBO_LOW_PASS_FAMILY || t == COMBO_LOW_PASS_SLOPE;
    if (const auto code = filterCode(lowPass)) scope_->setCrossoverCode(*code);
    sendItem(lowPass ? ITEM_LOW_PASS_CODE : ITEM_HIGH_PASS_CODE, navigationItem);
}

void EqPanel::volumeSliderMoved(int levelDb) {
    volumeBox_->setRealValue(levelDb);
    sendItem(ITEM_VOLUME);
}

void EqPanel::volumeBoxChanged() {
    volumeSlider_->setSliderValue(volumeBox_->getRealValue());
    sendItem(ITEM_VOLUME);
}

void EqPanel::channelButtonClicked(int slot) {
    const int source = selectionSource(links_.jointGroup, slot);
    showChannelButtons(source);
    send(parentWindow(), WM_SELECT_CHANNEL, 0, source);
}

void EqPanel::scopeChanged(int what, int band) {
    const response::CurveParams& curve = scope_->curve(scope_->currentCurve());
    if (what == 1) {
        crossoverBox(BOX_HIGH_PASS).setRealValue(curve.frequencyHz[response::HP_BAND]);
        sendItem(ITEM_HIGH_PASS_FREQUENCY);
        return;
    }
    if (what == 2) {
        crossoverBox(BOX_LOW_PASS).setRealValue(curve.frequencyHz[response::LP_BAND]);
        sendItem(ITEM_LOW_PASS_FREQUENCY);
        return;
    }
    // A CH box showing or hiding another curve changes no value.
    if (what != 0 || band < 0 || band >= BANDS) return;
    const auto slotOf = static_cast<std::size_t>(response::FIRST_EQ_BAND + band);
    frequencyBox(band).setRealValue(curve.frequencyHz[slotOf]);
    qBox(band).setRealValue(curve.q[slotOf]);
    gainBox(band).setRealValue(curve.gainDb[slotOf]);
    gainSlider(band).setSliderValue(gainBox(band).getRealValue());
    refreshBandStates();
    highlightBand(band);
    sendItem(ITEM_BAND_FREQUENCY + band);
    sendItem(ITEM_BAND_Q + band);
    sendItem(ITEM_BAND_GAIN + band);
}

bool EqPanel::acceptsInput(int item) const {
    if (item >= ITEM_BAND_FREQUENCY && item < ITEM_BAND_FREQUENCY + BANDS)
        return frequencyBoxes_[at(item)]->isEditable();
    if (item >= ITEM_BAND_Q && item < ITEM_BAND_Q + BANDS)
        return qBoxes_[at(item - ITEM_BAND_Q)]->isEditable();
    return true;
}

QWidget* EqPanel::navigationControl(int item) {
    if (item >= ITEM_BAND_FREQUENCY && item < ITEM_BAND_FREQUENCY + BANDS)
        return &frequencyBox(item).editField();
    if (item >= ITEM_BAND_Q && item < ITEM_BAND_Q + BANDS)
        return &qBox(item - ITEM_BAND_Q).editField();
    if (item >= ITEM_BAND_GAIN && item < ITEM_BAND_GAIN + BANDS)
        return &gainBox(item - ITEM_BAND_GAIN).editField();
    switch (item) {
        case 93:
            return &crossoverBox(BOX_HIGH_PASS).editField();
        case 96:
            return &crossoverBox(BOX_LOW_PASS).editField();
        case 99:
            return &crossoverBox(BOX_LIMITER_LEVEL).editField();
        case 100:
            return &crossoverBox(BOX_LIMITER_ATTACK).editField();
        default:
            break;
    }
    for (int t = 0; t < COMBO_COUNT; ++t) {
        if (NAVIGATION_ITEM_OF_COMBO[t] == item) return &combo(t).list();
    }
    return nullptr;
}

void EqPanel::navigateFrom(bool forward) {
    const NavigationStep step =
        navigate(focusItem_, forward, [this](int item) { return acceptsInput(item); });
    focusItem_ = step.focusItem;
    if (!step.takesFocus) return;
    if (QWidget* control = navigationControl(step.focusItem)) {
        control->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
}

bool EqPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Right) {
            navigateFrom(true);
            return true;
        }
        if (key == Qt::Key_Left || key == Qt::Key_Backtab) {
            navigateFrom(false);
            return true;
        }
    }
    return MessageWindow::eventFilter(watched, event);
}

}  // namespace tq370
