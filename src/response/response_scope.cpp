#include "response/response_scope.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "controls/font_faces.h"
#include "response/math/filter_code.h"
#include "response/scope_artwork.h"
#include "response/scope_grid.h"
#include "response/scope_palette.h"
#include "response/scope_rules.h"

namespace tq370::response {

namespace {

// The scope's own message asking it to lay itself out again once events run.
constexpr unsigned RELAYOUT_MESSAGE = 0x0005;

bool isEqBand(int eqBand) {
    return eqBand >= 0 && eqBand < EQ_BAND_COUNT;
}

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

QImage clientImage(QSize size) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(SCOPE_BACKGROUND);
    return image;
}

}  // namespace

ResponseScope::ResponseScope(QWidget* parent, int controlId) : MessageWindow(parent, controlId) {
    // The picture covers the whole client area: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void ResponseScope::initialise() {
    initialised_ = true;
    const ScopeRect client{0, 0, width(), height()};
    geometry_ = scopeGeometry(client, provisionalPlotRect(client), scale_);
    handleSheet_ = makeHandleSheet();
    qArrowSheet_ = makeQArrowSheet();
    passOverlay_ = makePassOverlay();
    resetPictures();
    curves_ = CurveCache();
    curves_.setGeometry(geometry_);
    drawScopeGrid(grid_, geometry_);
    gridValid_ = true;
    bandVisible_.fill(true);
    storeCrossoverFrequency(currentCurve_, HP_BAND, CROSSOVER_MIN_HZ);
    storeCrossoverFrequency(currentCurve_, LP_BAND, CROSSOVER_MAX_HZ);
    for (int band = 0; band < BAND_COUNT; ++band) placeHandle(band);
    update();
}

void ResponseScope::initCurves() {
    curveCount_ = CHANNEL_CURVES;
    channelBoxes_.clear();
    for (int row = 0; row < CURVE_SLOTS; ++row) curves_.slot(row).visible = false;
    channelBoxesShown_ = true;
    post(this, RELAYOUT_MESSAGE, 0, 0);
}

void ResponseScope::selectCurve(int row) {
    if (!CurveCache::isRow(row)) return;
    currentCurve_ = row;
    CurveParams& params = curves_.slot(row).params;
    for (int band = 0; band < BAND_COUNT; ++band) {
        params.gainDb[at(band)] =
            std::clamp(params.gainDb[at(band)], -GAIN_LIMIT_DB, GAIN_LIMIT_DB);
        placeHandle(band);
    }
    update();
}

void ResponseScope::setBandFrequency(int row, int eqBand, double frequencyHz) {
    if (!CurveCache::isRow(row) || !isEqBand(eqBand) || !std::isfinite(frequencyHz)) return;
    const int band = FIRST_EQ_BAND + eqBand;
    curves_.slot(row).params.frequencyHz[at(band)] = eqFrequency(frequencyHz);
    if (row == currentCurve_) placeHandle(band);
    markDirty(row);
}

void ResponseScope::setBandFrequency(int eqBand, double frequencyHz) {
    if (!isEqBand(eqBand) || !std::isfinite(frequencyHz)) return;
    setBandFrequency(currentCurve_, eqBand, frequencyHz);
    readoutBand_ = FIRST_EQ_BAND + eqBand;
    update();
}

void ResponseScope::setBandGain(int row, int eqBand, double gainDb) {
    if (!CurveCache::isRow(row) || !isEqBand(eqBand) || !std::isfinite(gainDb)) return;
    const int band = FIRST_EQ_BAND + eqBand;
    curves_.slot(row).params.gainDb[at(band)] =
        std::clamp(gainDb, -GAIN_LIMIT_DB, GAIN_LIMIT_DB) + 0.0;
    if (row == currentCurve_) placeHandle(band);
    markDirty(row);
}

void ResponseScope::setBandGain(int eqBand, double gainDb) {
    if (!isEqBand(eqBand) || !std::isfinite(gainDb)) return;
    setBandGain(currentCurve_, eqBand, gainDb);
    readoutBand_ = FIRST_EQ_BAND + eqBand;
    update();
}

void ResponseScope::setBandQ(int row, int eqBand, double q) {
    if (!CurveCache::isRow(row) || !isEqBand(eqBand) || !std::isfinite(q)) return;
    curves_.slot(row).params.q[at(FIRST_EQ_BAND + eqBand)] = q;
    markDirty(row);
}

void ResponseScope::setBandQ(int eqBand, double q) {
    if (!isEqBand(eqBand) || !std::isfinite(q)) return;
    setBandQ(currentCurve_, eqBand, q);
    readoutBand_ = FIRST_EQ_BAND + eqBand;
}

void ResponseScope::setCrossoverFrequency(int row, int which, double frequencyHz) {
    if (!CurveCache::isRow(row) || (which != HP_BAND && which != LP_BAND) ||
        !std::isfinite(frequencyHz))
        return;
    storeCrossoverFrequency(row, which, frequencyHz);
}

void ResponseScope::storeCrossoverFrequency(int row, int band, double frequencyHz) {
    curves_.slot(row).params.frequencyHz[at(band)] = crossoverFrequency(frequencyHz);
    if (row == currentCurve_) placeHandle(band);
    markDirty(row);
}

void ResponseScope::setCrossoverCode(int code) {
    if (!decodeFilterCode(code)) return;
    const bool lowPass = code % 2 != 0;
    (lowPass ? lpCode_ : hpCode_) = code;
    if (!isDraggingBand()) {
        selectedBand_ = lowPass ? LP_BAND : HP_BAND;
        readoutBand_ = selectedBand_;
    }
    // Every curve is drawn with the one pair of codes, so every cached curve is stale.
    curves_.markAllDirty();
    update();
}

void ResponseScope::setFrequencyLock(bool locked) {
    frequencyLocked_ = locked;
    qHandlesShown_ = !locked;
    update();
}

void ResponseScope::setEqActive(bool active) {
    eqActive_ = active;
    update();
}

void ResponseScope::setScale(double scale) {
    if (!std::isfinite(scale) || scale <= 0) return;
    scale_ = scale;
    post(this, RELAYOUT_MESSAGE, 0, 0);
}

void ResponseScope::setCurveVisible(int row, bool visible) {
    if (!CurveCache::isRow(row)) return;
    curves_.slot(row).visible = visible;
    markDirty(row);
}

void ResponseScope::setBandVisible(int band, bool visible) {
    if (band < 0 || band >= BAND_COUNT) return;
    bandVisible_[at(band)] = visible;
    update();
}

void ResponseScope::markDirty(int row) {
    curves_.slot(row).dirty = true;
    update();
}

void ResponseScope::placeHandle(int band) {
    const CurveParams& params = curves_.slot(currentCurve_).params;
    const int x = xOfFrequency(geometry_, params.frequencyHz[at(band)]);
    // The crossover handles stay on the −10 dB line whatever their frequency.
    const bool crossover = band == HP_BAND || band == LP_BAND;
    const int y =
        crossover ? geometry_.crossoverHandleOffset : yOfGain(geometry_, params.gainDb[at(band)]);
    handlePos_[at(band)] = QPoint(x, y);
}

void ResponseScope::resetPictures() {
    grid_ = clientImage(size());
    gridValid_ = false;
    backdrop_ = clientImage(size());
    backdropValid_ = false;
    picture_ = clientImage(size());
    readoutFont_ = faceFont(QString::fromUtf8(LABEL_FACE), READOUT_TEXT_PX * scale_, FONT_BOLD);
    boxFont_ = faceFont(QString::fromUtf8(LABEL_FACE), BOX_TEXT_PX * scale_, FONT_BOLD);
}

void ResponseScope::relayout() {
    if (!initialised_) return;
    const ScopeRect client{0, 0, width(), height()};
    geometry_ = scopeGeometry(client, plotRect(client, scale_, channelBoxesShown_), scale_);
    // Handles are placed from their values, so repeated resizes cannot drift them.
    for (int band = 0; band < BAND_COUNT; ++band) placeHandle(band);
    resetPictures();
    curves_.setGeometry(geometry_);
    channelBoxes_ =
        channelBoxesShown_ ? channelBoxRects(geometry_, curveCount_) : std::vector<ScopeRect>();
    update();
}

LResult ResponseScope::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (message == RELAYOUT_MESSAGE) {
        relayout();
        return 0;
    }
    return MessageWindow::handleMessage(message, wParam, lParam);
}

void ResponseScope::resizeEvent(QResizeEvent*) {
    relayout();
}

QPoint ResponseScope::handleCentre(int band) const {
    return response::handleCentre(geometry_, handlePos_[at(band)]);
}

bool ResponseScope::qHandlesActive() const {
    return selectedBand_ >= FIRST_EQ_BAND && selectedBand_ < BAND_COUNT &&
           bandVisible_[at(selectedBand_)] && qHandlesShown_;
}

QPoint ResponseScope::qHandleCentre(bool right) const {
    const double q = curves_.slot(currentCurve_).params.q[at(selectedBand_)];
    const int distance = qHandleDistance(q);
    return handleCentre(selectedBand_) + QPoint(right ? distance : -distance, 0);
}

ScopeRect ResponseScope::channelBoxRect(int row) const {
    if (row < 0 || at(row) >= channelBoxes_.size()) return {};
    return channelBoxes_[at(row)];
}

// The picture is the backdrop (grid, other curves, CH boxes; recomposed only when one of
// them changed) with the current curve, its outline, the overlay, the handles and the
// readout drawn over it.
const QImage& ResponseScope::composePicture() {
    if (!initialised_) {
        picture_ = clientImage(size());
        return picture_;
    }
    if (!gridValid_) {
        drawScopeGrid(grid_, geometry_);
        gridValid_ = true;
        backdropValid_ = false;
    }
    curves_.recompute(curveCount_, currentCurve_, selectedBand_, hpCode_, lpCode_);
    if (backdropIsStale()) composeBackdrop();
    std::copy_n(backdrop_.constBits(), backdrop_.sizeInBytes(), picture_.bits());
    drawCurrentCurve();
    QPainter painter(&picture_);
    if (!eqActive_) drawPassOverlay(painter);
    drawQHandles(painter);
    drawHandles(painter);
    drawReadout(painter);
    return picture_;
}

void ResponseScope::paintInto(QPaintDevice& target) {
    const QImage& picture = composePicture();
    QPainter painter(&target);
    painter.drawImage(isWindow() ? QPoint(0, 0) : mapTo(window(), QPoint(0, 0)), picture);
}

void ResponseScope::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, composePicture());
}

}  // namespace tq370::response
