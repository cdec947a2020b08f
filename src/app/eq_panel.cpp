#include "app/eq_panel.h"

#include <QPainter>

#include <algorithm>

#include "controls/artwork.h"
#include "controls/caption_layout.h"
#include "controls/font_faces.h"
#include "params/param_item.h"
#include "params/register_access.h"
#include "response/scope_rules.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {

using namespace eq_panel;

namespace {

const QString FACE = QStringLiteral("微软雅黑");
const QString BAND_FACE = QStringLiteral("Arial Bold");
const QColor CAPTION(0xd8, 0xdc, 0xe2);
const QColor CAPTION_ON(0xff, 0xff, 0xff);
const QColor BAND_LABEL(186, 194, 208);
const QColor BAND_LABEL_HIGHLIGHT(255, 0, 0);
const QColor SECTION_FILL(0x24, 0x28, 0x2d);
const QColor SECTION_EDGE(0x3a, 0x40, 0x48);
const QColor CAR_FILL(0x2b, 0x30, 0x37);
const QColor CAR_EDGE(0x5a, 0x62, 0x6d);
constexpr unsigned CENTRED = ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER;

// Font sizes in pixels at scale 1.
constexpr double FONT_LABEL = 12;
constexpr double FONT_BAND_LABEL = 12;
constexpr double FONT_BUTTON = 13;
constexpr double FONT_SMALL_BUTTON = 12;
constexpr int BOX_FONT = 12;
// The band and delay boxes are narrow: their numbers ("20200", "20.000") need a smaller
// face and the whole box (their frame has the box's own colour and shows nothing).
const QString NUMBER_FACE = QStringLiteral("Arial");
constexpr int NARROW_BOX_FONT = 11;

// Areas of the panel's background (design pixels): the left column of settings, the
// band table under the scope, and the car behind the channel selector.
constexpr DesignRect LEFT_COLUMN = {4, 6, 226, 562};
constexpr DesignRect BAND_TABLE = {230, 322, 1272, 562};
constexpr DesignRect CAR_BODY = {50, 252, 180, 482};

QString entryText(int entry) {
    return QString::fromUtf8(text(entry));
}

// The lamp strip's first frame is grey and its second lit; the band and unit buttons show
// their first state (a sounding band, the chosen unit) with the lit lamp.
QImage litInFirstState(const QImage& lamps) {
    constexpr int LAMP_FRAMES = 4;
    QImage swapped = lamps.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int frame = lamps.width() / LAMP_FRAMES;
    QPainter painter(&swapped);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, lamps, frame, 0, frame, lamps.height());
    painter.drawImage(frame, 0, lamps, 0, 0, frame, lamps.height());
    return swapped;
}

}  // namespace

EqPanel::EqPanel(MessageWindow* mainWindow, const RegisterAccess& registers, ChannelLinks& links,
                 MessageBoxes& boxes)
    : MessageWindow(mainWindow), registers_(registers), links_(links), boxes_(boxes) {
    setAttribute(Qt::WA_NoSystemBackground);
    createControls();
    relabel();
}

void EqPanel::createControls() {
    scope_ = new response::ResponseScope(this, ID_SCOPE);
    watchKeys(*scope_);
    createBands();
    createLeftSide();
    createChannelSelector();
}

void EqPanel::createBands() {
    for (int k = 0; k < BANDS; ++k) {
        auto* label = new StyledLabel(this);
        label->setHost(this);
        label->setLabelText(QString::number(k + 1));
        bandLabels_[at(k)] = label;

        auto box = [this, k](int id, const ValueFormat& format, std::array<ValueBox*, BANDS>& to) {
            auto* b = new ValueBox(this, id + k);
            b->setFormat(format);
            b->setNotifyIndex(k);
            b->setFramed(false);
            watchKeys(b->editField());
            to[at(k)] = b;
            return b;
        };
        box(ID_FREQUENCY_BOX,
            {ValueKind::Frequency, EQ_FREQ_INDEX_MIN, EQ_FREQ_INDEX_MAX, 1, "%0.0f"},
            frequencyBoxes_)
            ->setRealValue(ISO_BAND_FREQUENCIES[at(k)]);
        box(ID_Q_BOX, {ValueKind::Q, 0, Q_TABLE_DISTINCT, 1, "%0.2f"}, qBoxes_)
            ->setPosition(Q_INDEX_DEFAULT);
        box(ID_GAIN_BOX, {ValueKind::Gain, -200, 200, 10, "%0.1f"}, gainBoxes_)->setPosition(0);
        frequencyBox(k).setEditable(false);
        qBox(k).setEditable(false);

        auto* slider = new ImageSlider(this, ID_GAIN_SLIDER + k);
        slider->setSliderStyle(STYLE_GAIN_SLIDER, this, IMAGE_GAIN_SLIDER);
        slider->setRange(-200, 200);
        slider->setValueScale(10);
        slider->setNotifyIndex(k);
        slider->setSliderValue(0);
        gainSliders_[at(k)] = slider;

        auto* button = new ImageButton(this, ID_BAND_BUTTON + k, k);
        const DesignRectF r = bandButtonRect(k);
        button->resize(static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
        button->setButtonImage(litInFirstState(loadArtwork(IMAGE_LAMP)), this);
        button->setButtonCheck(ImageButton::TOGGLE_ON);
        bandButtons_[at(k)] = button;
    }
    for (int i = 0; i < COLUMN_LABEL_COUNT; ++i) {
        columnLabels_[at(i)] = new StyledLabel(this);
        columnLabels_[at(i)]->setHost(this);
    }
}

void EqPanel::createLeftSide() {
    constexpr int IMAGES[BUTTON_COUNT] = {
        IMAGE_PANEL_BUTTON, IMAGE_PANEL_BUTTON, IMAGE_PANEL_BUTTON, IMAGE_PHASE, IMAGE_LAMP,
        IMAGE_LAMP,         IMAGE_LAMP,         IMAGE_LINK,         IMAGE_LINK};
    constexpr ImageButton::Check STATES[BUTTON_COUNT] = {
        ImageButton::TOGGLE_OFF, ImageButton::TOGGLE_ON,  ImageButton::TOGGLE_OFF,
        ImageButton::TOGGLE_OFF, ImageButton::TOGGLE_OFF, ImageButton::TOGGLE_ON,
        ImageButton::TOGGLE_ON,  ImageButton::TOGGLE_OFF, ImageButton::TOGGLE_OFF};
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const DesignRect& r = BUTTON_RECTS[at(i)];
        auto* button = new ImageButton(this, ID_BUTTON + i, i);
        button->resize(r.right - r.left, r.bottom - r.top);
        const bool unit = i >= BUTTON_UNIT_MS && i <= BUTTON_UNIT_INCH;
        if (unit) {
            button->setButtonImage(litInFirstState(loadArtwork(IMAGES[i])), this);
        } else {
            button->setButtonImage(IMAGES[i], this);
        }
        button->setButtonCheck(STATES[i]);
        buttons_[at(i)] = button;
    }
    for (int i = 0; i < LABEL_COUNT; ++i) {
        labels_[at(i)] = new StyledLabel(this);
        labels_[at(i)]->setHost(this);
    }

    const ValueFormat corner{ValueKind::Frequency, CROSSOVER_FREQ_INDEX_MIN,
                             CROSSOVER_FREQ_INDEX_MAX, 1, "%0.0f"};
    const ValueFormat formats[CROSSOVER_BOX_COUNT] = {
        corner,
        corner,
        {ValueKind::Level, -300, 60, 10, "%0.1f dBu"},
        {ValueKind::Attack, 0, ATTACK_TABLE_SIZE - 1, 1, "%0.1fms"},
    };
    constexpr double INITIAL[CROSSOVER_BOX_COUNT] = {19.7, 20600, -30, 0.3};
    for (int b = 0; b < CROSSOVER_BOX_COUNT; ++b) {
        auto* box = new ValueBox(this, ID_CROSSOVER_BOX + b);
        box->setFormat(formats[b]);
        box->setNotifyIndex(b);
        box->setRealValue(INITIAL[b]);
        watchKeys(box->editField());
        crossoverBoxes_[at(b)] = box;
    }
    for (int t = 0; t < COMBO_COUNT; ++t) {
        auto* combo = new StyledComboBox(this, ID_COMBO + t);
        combo->setComboStyle(this);
        combo->setNotifyIndex(t);
        watchKeys(combo->list());
        combos_[at(t)] = combo;
    }
    fillFamilyCombos();
    for (int t : {COMBO_HIGH_PASS_SLOPE, COMBO_LOW_PASS_SLOPE}) {
        for (const char* slope : FILTER_SLOPE_TEXTS) combo(t).addItem(QString::fromUtf8(slope));
    }
    for (const char* release : RELEASE_TEXTS) combo(COMBO_RELEASE).addItem(release);
    for (StyledComboBox* c : combos_) c->setComboIndex(0);

    volumeLabel_ = new StyledLabel(this);
    volumeLabel_->setHost(this);
    volumeBox_ = new ValueBox(this, ID_VOLUME_BOX);
    volumeBox_->setFormat({ValueKind::Volume, VOLUME_MIN_DB, VOLUME_MAX_DB, 1, "%0.0fdB"});
    volumeBox_->setRealValue(0);
    volumeSlider_ = new ImageSlider(this, ID_VOLUME_SLIDER);
    volumeSlider_->setSliderStyle(STYLE_VOLUME_SLIDER, this, IMAGE_VOLUME_SLIDER);
    volumeSlider_->setVertical(false);
    volumeSlider_->setRange(VOLUME_MIN_DB, VOLUME_MAX_DB);
    volumeSlider_->setValueScale(1);
    volumeSlider_->setSliderValue(0);
}

void EqPanel::createChannelSelector() {
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        const DesignRect r = channelButtonRect(s);
        auto* button = new ImageButton(this, ID_CHANNEL_BUTTON + s, s);
        button->resize(r.right - r.left, r.bottom - r.top);
        button->setButtonImage(channelButtonImage(s), this);
        button->setButtonCheck(s == 0 ? ImageButton::TOGGLE_ON : ImageButton::TOGGLE_OFF);
        button->setToolTip(QStringLiteral("CH%1").arg(s + 1));
        channelButtons_[at(s)] = button;

        auto* box = new ValueBox(this, ID_DELAY_BOX + s);
        box->setFormat({ValueKind::DelayMs, 0, DELAY_MAX_SAMPLES, 1, "%0.3f"});
        box->setNotifyIndex(s);
        box->setFramed(false);
        box->setPosition(0);
        delayBoxes_[at(s)] = box;
    }
}

void EqPanel::watchKeys(QWidget& widget) {
    widget.installEventFilter(this);
}

void EqPanel::fillFamilyCombos() {
    for (int t : {COMBO_HIGH_PASS_FAMILY, COMBO_LOW_PASS_FAMILY}) {
        StyledComboBox& c = combo(t);
        const int shown = c.displayedIndex();
        c.clearItems();
        for (int entry : {TXT_BUTTERWORTH, TXT_BESSEL, TXT_LINKWITZ}) {
            c.addItem(QString::fromUtf8(text(entry)));
        }
        c.setComboIndex(shown);
    }
}

void EqPanel::layoutPanel(const Scale& scale) {
    scale_ = scale;
    const double s = scale.s;
    const QRect scopeRect = scaledStretched(SCOPE_RECT, scale);
    scope_->setScale(s);
    scope_->setGeometry(scopeRect);
    if (!scopeInitialised_) {
        // The current curve starts flat on the ISO bands with its high-pass off; loading
        // a channel then fills every curve from the registers.
        scopeInitialised_ = true;
        scope_->initialise();
        scope_->initCurves();
        for (int k = 0; k < BANDS; ++k) {
            scope_->setBandFrequency(0, k, ISO_BAND_FREQUENCIES[at(k)]);
            scope_->setBandQ(0, k, response::INITIAL_Q);
            scope_->setBandGain(0, k, 0);
        }
        scope_->setCrossoverFrequency(0, response::HP_BAND, 0);
        scope_->setCrossoverFrequency(0, response::LP_BAND, response::CROSSOVER_MAX_HZ);
        scope_->setFrequencyLock(graphicMode_);
    }

    styleBandMarks();
    for (int k = 0; k < BANDS; ++k) {
        bandLabel(k).setGeometry(scaledStretched(bandLabelRect(k), scale));
        frequencyBox(k).setGeometry(scaledStretched(frequencyBoxRect(k), scale));
        qBox(k).setGeometry(scaledStretched(qBoxRect(k), scale));
        gainBox(k).setGeometry(scaledStretched(gainBoxRect(k), scale));
        for (ValueBox* box : {&frequencyBox(k), &qBox(k), &gainBox(k)})
            box->setBoxFont(scaled(NARROW_BOX_FONT * s), Qt::white, NUMBER_FACE);
        gainSlider(k).setGeometry(scaledStretched(gainSliderRect(k), scale));
        bandButton(k).setGeometry(scaledStretched(bandButtonRect(k), scale));
    }
    for (int i = 0; i < COLUMN_LABEL_COUNT; ++i) {
        columnLabel(i).setGeometry(scaledStretched(COLUMN_LABEL_RECTS[at(i)], scale));
        columnLabel(i).setLabelStyle(FONT_LABEL * s, CENTRED, CAPTION, FACE);
    }
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        button(i).setGeometry(scaledStretched(BUTTON_RECTS[at(i)], scale));
        const double font = i <= BUTTON_GRAPHIC ? FONT_BUTTON : FONT_SMALL_BUTTON;
        button(i).setButtonTextStyle(font * s, FACE, CAPTION, CAPTION_ON, CENTRED);
    }
    for (int i = 0; i < LABEL_COUNT; ++i) {
        label(i).setGeometry(scaledStretched(LABEL_RECTS[at(i)], scale));
        label(i).setLabelStyle(FONT_LABEL * s, CENTRED, CAPTION, FACE);
    }
    for (int b = 0; b < CROSSOVER_BOX_COUNT; ++b) {
        crossoverBox(b).setGeometry(scaledStretched(CROSSOVER_BOX_RECTS[at(b)], scale));
        crossoverBox(b).setBoxFont(scaled(BOX_FONT * s), Qt::white, FACE);
    }
    for (int t = 0; t < COMBO_COUNT; ++t)
        combo(t).setGeometry(scaledStretched(COMBO_RECTS[at(t)], scale));
    volumeLabel_->setGeometry(scaledStretched(VOLUME_LABEL_RECT, scale));
    volumeLabel_->setLabelStyle(FONT_LABEL * s, CENTRED, CAPTION, FACE);
    volumeBox_->setGeometry(scaledStretched(VOLUME_BOX_RECT, scale));
    volumeBox_->setBoxFont(scaled(BOX_FONT * s), Qt::white, FACE);
    volumeSlider_->setGeometry(scaledStretched(VOLUME_SLIDER_RECT, scale));
    for (int slot = 0; slot < CHANNEL_COUNT; ++slot) {
        channelButton(slot).setGeometry(scaledStretched(channelButtonRect(slot), scale));
        delayBox(slot).setGeometry(scaledStretched(delayBoxRect(slot), scale));
        delayBox(slot).setBoxFont(scaled(NARROW_BOX_FONT * s), Qt::white, NUMBER_FACE);
    }
    update();
}

int EqPanel::encodeItem(int item) const {
    auto real = [](const ValueBox* box) { return box->getRealValue(); };
    if (item >= ITEM_BAND_FREQUENCY && item < ITEM_BAND_FREQUENCY + BANDS)
        return encodeFrequency(real(frequencyBoxes_[at(item - ITEM_BAND_FREQUENCY)]));
    if (item >= ITEM_BAND_Q && item < ITEM_BAND_Q + BANDS)
        return encodeQ(real(qBoxes_[at(item - ITEM_BAND_Q)]));
    if (item >= ITEM_BAND_GAIN && item < ITEM_BAND_GAIN + BANDS)
        return encodeGain(real(gainBoxes_[at(item - ITEM_BAND_GAIN)]));
    if (item >= ITEM_DELAY_FIRST && item <= ITEM_DELAY_LAST)
        return encodeDelay(delayBoxes_[at(item - ITEM_DELAY_FIRST)]->position());
    switch (item) {
        case ITEM_HIGH_PASS_FREQUENCY:
            return encodeFrequency(real(crossoverBoxes_[BOX_HIGH_PASS]));
        case ITEM_LOW_PASS_FREQUENCY:
            return encodeFrequency(real(crossoverBoxes_[BOX_LOW_PASS]));
        case ITEM_HIGH_PASS_CODE:
            return filterCode(false).value_or(0);
        case ITEM_LOW_PASS_CODE:
            return filterCode(true).value_or(0);
        case ITEM_LIMITER_LEVEL:
            return encodeLimiterLevel(real(crossoverBoxes_[BOX_LIMITER_LEVEL]));
        case ITEM_LIMITER_ATTACK:
            return encodeAttack(real(crossoverBoxes_[BOX_LIMITER_ATTACK]));
        case ITEM_LIMITER_RELEASE:
            return releaseCodeFromIndex(combos_[COMBO_RELEASE]->displayedIndex());
        case ITEM_VOLUME:
            return encodeChannelVolume(
                real(volumeBox_), buttons_[BUTTON_PHASE]->buttonCheck() == ImageButton::TOGGLE_OFF);
        default:
            return 0;
    }
}

CrossoverChoice EqPanel::crossoverChoice() const {
    return {{combos_[COMBO_HIGH_PASS_SLOPE]->displayedIndex(),
             combos_[COMBO_HIGH_PASS_FAMILY]->displayedIndex()},
            {combos_[COMBO_LOW_PASS_SLOPE]->displayedIndex(),
             combos_[COMBO_LOW_PASS_FAMILY]->displayedIndex()}};
}

std::optional<int> EqPanel::filterCode(bool lowPass) const {
    const CrossoverChoice choice = crossoverChoice();
    return encodeFilterCode(lowPass ? choice.lowPass : choice.highPass, lowPass);
}

void EqPanel::showItem(int item, int value, int slot) {
    if (!isSlot(slot)) return;
    const bool current = slot == currentSlot_;
    if (item >= ITEM_DELAY_FIRST && item <= ITEM_DELAY_LAST) {
        delayBox(item - ITEM_DELAY_FIRST).setPosition(decodeDelay(value));
        return;
    }
    if (item >= ITEM_BAND_FREQUENCY && item < ITEM_BAND_FREQUENCY + BANDS) {
        const int k = item - ITEM_BAND_FREQUENCY;
        scope_->setBandFrequency(slot, k, decodeFrequency(value));
        if (current) frequencyBox(k).setRealValue(decodeFrequency(value));
        return;
    }
    if (item >= ITEM_BAND_Q && item < ITEM_BAND_Q + BANDS) {
        const int k = item - ITEM_BAND_Q;
        scope_->setBandQ(slot, k, decodeQ(value));
        if (current) qBox(k).setRealValue(decodeQ(value));
        return;
    }
    if (item >= ITEM_BAND_GAIN && item < ITEM_BAND_GAIN + BANDS) {
        const int k = item - ITEM_BAND_GAIN;
        scope_->setBandGain(slot, k, decodeGain(value));
        if (current) {
            // The register holds tenths of a dB above 500, as the box counts them from 0.
            setBandGain(k, value - encodeGain(0));
            refreshBandStates();
        }
        return;
    }
    switch (item) {
        case ITEM_HIGH_PASS_FREQUENCY:
        case ITEM_LOW_PASS_FREQUENCY: {
            const bool low = item == ITEM_LOW_PASS_FREQUENCY;
            scope_->setCrossoverFrequency(slot, low ? response::LP_BAND : response::HP_BAND,
                                          decodeFrequency(value));
            if (current)
                crossoverBox(low ? BOX_LOW_PASS : BOX_HIGH_PASS)
                    .setRealValue(decodeFrequency(value));
            return;
        }
        default:
            break;
    }
    if (!current) return;
    switch (item) {
        case ITEM_HIGH_PASS_CODE:
        case ITEM_LOW_PASS_CODE: {
            scope_->setCrossoverCode(value);
            CrossoverChoice choice = crossoverChoice();
            if (!applyFilterCode(choice, value)) return;
            const bool low = isLowPassCode(value);
            const FilterChoice& side = low ? choice.lowPass : choice.highPass;
            combo(low ? COMBO_LOW_PASS_FAMILY : COMBO_HIGH_PASS_FAMILY)
                .setComboIndex(side.familyIndex);
            combo(low ? COMBO_LOW_PASS_SLOPE : COMBO_HIGH_PASS_SLOPE)
                .setComboIndex(side.slopeIndex);
            return;
        }
        case ITEM_LIMITER_LEVEL:
            crossoverBox(BOX_LIMITER_LEVEL).setRealValue(decodeLimiterLevel(value));
            return;
        case ITEM_LIMITER_ATTACK:
            crossoverBox(BOX_LIMITER_ATTACK).setRealValue(decodeAttack(value));
            return;
        case ITEM_LIMITER_RELEASE:
            combo(COMBO_RELEASE).setComboIndex(releaseIndexFromCode(value));
            return;
        case ITEM_VOLUME: {
            const ChannelVolume volume = decodeChannelVolume(value);
            volumeBox_->setRealValue(volume.levelDb);
            volumeSlider_->setSliderValue(volume.levelDb);
            button(BUTTON_PHASE)
                .setButtonCheck(volume.phaseFirst ? ImageButton::TOGGLE_OFF
                                                  : ImageButton::TOGGLE_ON);
            showPhaseCaption();
            return;
        }
        default:
            return;
    }
}

void EqPanel::loadChannel(int slot) {
    if (!isSlot(slot)) return;
    currentSlot_ = slot;
    showChannelButtons(slot);
    const auto show = [this, slot](int item, int entry) {
        showItem(item, registers_.getRegister(CHANNEL_REGISTER_MAP[slot][entry]), slot);
    };
    for (int k = 0; k < BANDS; ++k) {
        show(ITEM_BAND_FREQUENCY + k, bandEntry(k, BandField::Frequency));
        show(ITEM_BAND_Q + k, bandEntry(k, BandField::Q));
        show(ITEM_BAND_GAIN + k, bandEntry(k, BandField::Gain));
    }
    show(ITEM_VOLUME, ENTRY_VOLUME);
    refreshBandStates();
    show(ITEM_HIGH_PASS_FREQUENCY, ENTRY_HIGH_PASS_FREQUENCY);
    show(ITEM_LOW_PASS_FREQUENCY, ENTRY_LOW_PASS_FREQUENCY);
    show(ITEM_HIGH_PASS_CODE, ENTRY_HIGH_PASS_CODE);
    show(ITEM_LOW_PASS_CODE, ENTRY_LOW_PASS_CODE);
    show(ITEM_LIMITER_LEVEL, ENTRY_LIMITER_LEVEL);
    show(ITEM_LIMITER_ATTACK, ENTRY_LIMITER_ATTACK);
    show(ITEM_LIMITER_RELEASE, ENTRY_LIMITER_RELEASE);

    scope_->selectCurve(slot);
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        const auto& map = CHANNEL_REGISTER_MAP[c];
        for (int k = 0; k < BANDS; ++k) {
            scope_->setBandFrequency(
                c, k,
                decodeFrequency(registers_.getRegister(map[bandEntry(k, BandField::Frequency)])));
            scope_->setBandQ(c, k,
                             decodeQ(registers_.getRegister(map[bandEntry(k, BandField::Q)])));
            scope_->setBandGain(
                c, k, decodeGain(registers_.getRegister(map[bandEntry(k, BandField::Gain)])));
        }
        scope_->setCrossoverFrequency(
            c, response::HP_BAND,
            decodeFrequency(registers_.getRegister(map[ENTRY_HIGH_PASS_FREQUENCY])));
        scope_->setCrossoverFrequency(
            c, response::LP_BAND,
            decodeFrequency(registers_.getRegister(map[ENTRY_LOW_PASS_FREQUENCY])));
    }
    showLinkStates();
}

void EqPanel::relabel() {
    for (int i = 0; i < COLUMN_LABEL_COUNT; ++i)
        columnLabel(i).setLabelText(entryText(COLUMN_LABEL_TEXTS[at(i)]));
    for (int i = 0; i < LABEL_COUNT; ++i) label(i).setLabelText(entryText(LABEL_TEXTS[at(i)]));
    volumeLabel_->setLabelText(entryText(TXT_CHANNEL_VOLUME));
    button(BUTTON_RESET).setCaption(entryText(TXT_EQ_RESET));
    button(BUTTON_PASS).setCaption(entryText(TXT_EQ_BYPASS));
    button(BUTTON_LINK_PAIRS).setCaption(entryText(TXT_LINK_LEFT_RIGHT));
    button(BUTTON_LINK_DELAY).setCaption(entryText(TXT_LINK_DELAY));
    showGraphicCaption();
    showPhaseCaption();
    fillFamilyCombos();
}

void EqPanel::showPhaseCaption() {
    const bool first = button(BUTTON_PHASE).buttonCheck() != ImageButton::TOGGLE_ON;
    button(BUTTON_PHASE).setCaption(entryText(first ? TXT_PHASE_NORMAL : TXT_PHASE_INVERTED));
}

void EqPanel::showGraphicCaption() {
    const bool graphic = button(BUTTON_GRAPHIC).buttonCheck() != ImageButton::TOGGLE_ON;
    button(BUTTON_GRAPHIC).setCaption(entryText(graphic ? TXT_GRAPHIC_EQ : TXT_PARAMETRIC_EQ));
}

void EqPanel::showChannelButtons(int slot) {
    const auto selected = selectedSlots(links_.jointGroup, slot);
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        channelButton(s).setButtonCheck(selected[at(s)] ? ImageButton::TOGGLE_ON
                                                        : ImageButton::TOGGLE_OFF);
    }
}

void EqPanel::showLinkStates() {
    const auto any = [](const GroupArray& groups) {
        return std::any_of(groups.begin(), groups.end(), [](int g) { return g > 0; });
    };
    button(BUTTON_LINK_PAIRS)
        .setButtonCheck(any(links_.jointGroup) ? ImageButton::TOGGLE_ON : ImageButton::TOGGLE_OFF);
    button(BUTTON_LINK_DELAY)
        .setButtonCheck(any(links_.delayGroup) ? ImageButton::TOGGLE_ON : ImageButton::TOGGLE_OFF);
}

void EqPanel::setBandGain(int band, int tenths) {
    gainBox(band).setPosition(tenths);
    const int shown = gainBox(band).position();
    gainSlider(band).setSliderValue(shown / 10.0);
    scope_->setBandGain(currentSlot_, band, shown / 10.0);
}

void EqPanel::highlightBand(int band) {
    highlightedBand_ = band >= 0 && band < BANDS ? band : -1;
    styleBandMarks();
}

void EqPanel::styleBandMarks() {
    for (int k = 0; k < BANDS; ++k) {
        const bool on = k == highlightedBand_;
        bandLabel(k).setLabelStyle(FONT_BAND_LABEL * scale_.s, CENTRED,
                                   on ? BAND_LABEL_HIGHLIGHT : BAND_LABEL, BAND_FACE);
        gainSlider(k).setHighlighted(on);
    }
}

void EqPanel::refreshBandStates() {
    BandGains gains{};
    for (int k = 0; k < BANDS; ++k) gains[at(k)] = gainBox(k).position();
    const BandStates states = gainStore_.refresh(gains);
    for (int k = 0; k < BANDS; ++k) {
        bandButton(k).setButtonCheck(states.bandOn[at(k)] ? ImageButton::TOGGLE_OFF
                                                          : ImageButton::TOGGLE_ON);
    }
    button(BUTTON_PASS)
        .setButtonCheck(states.eqActive ? ImageButton::TOGGLE_OFF : ImageButton::TOGGLE_ON);
    scope_->setEqActive(states.eqActive);
}

void EqPanel::paintEvent(QPaintEvent*) {
    // Over the main window's picture: a raised field for the settings column and the band
    // table, and the outline of a car behind the channel selector.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = 6 * scale_.s;
    painter.setPen(QPen(SECTION_EDGE, 1));
    painter.setBrush(SECTION_FILL);
    for (const DesignRect& r : {LEFT_COLUMN, BAND_TABLE}) {
        painter.drawRoundedRect(QRectF(scaledStretched(r, scale_)), radius, radius);
    }
    const QRectF car(scaledStretched(CAR_BODY, scale_));
    painter.setPen(QPen(CAR_EDGE, 1.5));
    painter.setBrush(CAR_FILL);
    painter.drawRoundedRect(car, car.width() * 0.35, car.width() * 0.35);
}

}  // namespace tq370
