// The drawing steps of ResponseScope::composePicture, in the order they are drawn.
#include <QPainter>

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

void strokePolyline(QPainter& painter, const std::vector<QPoint>& points, const QColor& colour) {
    if (points.size() < 2) return;
    painter.setPen(QPen(colour, CURVE_PEN_WIDTH, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

}  // namespace

void ResponseScope::drawCurves(QPainter& painter) {
    painter.save();
    painter.setClipRect(geometry_.plot.toQRect());
    painter.setRenderHint(QPainter::Antialiasing);
    if (channelBoxesShown_) {
        for (int row = 0; row < curveCount_; ++row) {
            if (row != currentCurve_ && curves_.slot(row).visible)
                strokePolyline(painter, curves_.slot(row).polyline, OTHER_CURVE);
        }
    }
    strokePolyline(painter, curves_.highlightOutline(), HIGHLIGHT_OUTLINE);
    strokePolyline(painter, curves_.slot(currentCurve_).polyline, CURRENT_CURVE);
    painter.restore();
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

void ResponseScope::drawChannelBoxes(QPainter& painter) {
    if (!channelBoxesShown_) return;
    painter.setFont(boxFont_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < curveCount_ && at(row) < channelBoxes_.size(); ++row) {
        const QColor& colour = row == currentCurve_        ? CURRENT_CURVE
                               : curves_.slot(row).visible ? VISIBLE_BOX
                                                           : HIDDEN_BOX;
        const QRect box = channelBoxes_[at(row)].toQRect();
        painter.setPen(colour);
        painter.setBrush(Qt::NoBrush);
        // The outline keeps inside the box that a click hits.
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         QStringLiteral("CH%1").arg(row + 1));
    }
}

}  // namespace tq370::response
