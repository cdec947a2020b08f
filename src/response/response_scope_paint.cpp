// The drawing steps of ResponseScope::composePicture, in the order they are drawn.
#include <QPainter>

#include <algorithm>

#include "response/response_scope.h"
#include "response/scope_artwork.h"
#include "response/scope_palette.h"
#include "response/scope_readout.h"

namespace tq370::response {

namespace {

// The "EQ PASS" overlay stands this far left of the plot's middle and this far above its
// bottom.
constexpr int PASS_OVERLAY_LEFT_OF_MIDDLE = 64;
constexpr int PASS_OVERLAY_ABOVE_BOTTOM = 70;

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

}  // namespace

ResponseScope::BackdropKey ResponseScope::backdropKey() const {
    BackdropKey key;
    key.currentCurve = currentCurve_;
    key.curveCount = channelBoxesShown_ ? curveCount_ : 0;
    for (int row = 0; row < key.curveCount; ++row) {
        if (curves_.slot(row).visible) key.visibleCurves |= 1u << row;
    }
    return key;
}

bool ResponseScope::backdropIsStale() const {
    if (!backdropValid_ || backdropKey() != backdropKey_) return true;
    const std::vector<int>& recomputed = curves_.lastRecomputed();
    return std::any_of(recomputed.begin(), recomputed.end(),
                       [this](int row) { return row != currentCurve_; });
}

void ResponseScope::composeBackdrop() {
    std::copy_n(grid_.constBits(), grid_.sizeInBytes(), backdrop_.bits());
    backdropKey_ = backdropKey();
    backdropValid_ = true;
    for (int row = 0; row < backdropKey_.curveCount; ++row) {
        if (row != currentCurve_ && curves_.slot(row).visible)
            stroker_.stroke(backdrop_, curves_.slot(row).polyline, geometry_.plot.toQRect(),
                            OTHER_CURVE, CURVE_PEN_WIDTH);
    }
    QPainter painter(&backdrop_);
    drawChannelBoxes(painter);
}

void ResponseScope::drawChannelBoxes(QPainter& painter) {
    if (!channelBoxesShown_) return;
    painter.setFont(boxFont_);
    painter.setBrush(Qt::NoBrush);
    for (int row = 0; row < curveCount_ && at(row) < channelBoxes_.size(); ++row) {
        const QColor& colour = row == currentCurve_        ? CURRENT_CURVE
                               : curves_.slot(row).visible ? VISIBLE_BOX
                                                           : HIDDEN_BOX;
        const QRect box = channelBoxes_[at(row)].toQRect();
        painter.setPen(colour);
        // The outline keeps inside the box that a click hits.
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         QStringLiteral("CH%1").arg(row + 1));
    }
}

void ResponseScope::drawCurrentCurve() {
    const QRect plot = geometry_.plot.toQRect();
    stroker_.stroke(picture_, curves_.highlightOutline(), plot, HIGHLIGHT_OUTLINE, CURVE_PEN_WIDTH);
    stroker_.stroke(picture_, curves_.slot(currentCurve_).polyline, plot, CURRENT_CURVE,
                    CURVE_PEN_WIDTH);
}

void ResponseScope::drawPassOverlay(QPainter& painter) {
    const ScopeRect& plot = geometry_.plot;
    const QPoint topLeft(plot.width() / 2 - PASS_OVERLAY_LEFT_OF_MIDDLE,
                         plot.bottom - PASS_OVERLAY_ABOVE_BOTTOM);
    painter.drawImage(topLeft, passOverlay_, PASS_OVERLAY_SOURCE);
}

void ResponseScope::drawQHandles(QPainter& painter) {
    if (!qHandlesActive()) return;
    painter.drawImage(handleRect(qHandleCentre(false)).topLeft(), qArrowSheet_,
                      qArrowCell(false, qDragLeft_));
    painter.drawImage(handleRect(qHandleCentre(true)).topLeft(), qArrowSheet_,
                      qArrowCell(true, qDragRight_));
}

void ResponseScope::drawHandles(QPainter& painter) {
    for (int band = 0; band < BAND_COUNT; ++band) {
        if (bandVisible_[at(band)])
            painter.drawImage(handleRect(handleCentre(band)).topLeft(), handleSheet_,
                              handleCell(band));
    }
}

void ResponseScope::drawReadout(QPainter& painter) {
    readoutText_.clear();
    readoutRect_ = QRect();
    if (readoutBand_ < 0 || readoutBand_ >= BAND_COUNT || !bandVisible_[at(readoutBand_)]) return;
    readoutText_ = response::readoutText(curves_.slot(currentCurve_).params, readoutBand_);
    const QFontMetrics metrics(readoutFont_);
    const QSize textSize(metrics.horizontalAdvance(readoutText_), metrics.height());
    readoutRect_ = response::readoutRect(geometry_, handlePos_[at(readoutBand_)], textSize);
    painter.setFont(readoutFont_);
    painter.setPen(READOUT_TEXT);
    painter.drawText(readoutRect_, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     readoutText_);
}

}  // namespace tq370::response
