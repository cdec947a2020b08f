// Mouse and keyboard handling of ResponseScope, and the notifications it sends.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

#include "params/param_tables.h"
#include "response/response_scope.h"
#include "response/scope_rules.h"

namespace tq370::response {

namespace {

// One wheel notch in Qt's angle units (eighths of a degree).
constexpr int WHEEL_NOTCH = 120;

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

}  // namespace

int ResponseScope::bandAt(QPoint point) const {
    for (int band = 0; band < BAND_COUNT; ++band) {
        if (bandVisible_[at(band)] && handleRect(handleCentre(band)).contains(point)) return band;
    }
    return NO_BAND;
}

int ResponseScope::channelBoxAt(QPoint point) const {
    if (!channelBoxesShown_) return -1;
    for (int row = 0; row < curveCount_ && at(row) < channelBoxes_.size(); ++row) {
        if (channelBoxes_[at(row)].contains(point)) return row;
    }
    return -1;
}

void ResponseScope::scopeNotify(int band) {
    const BandNotification n = bandNotification(band);
    sendToParent(n.wParam, n.lParam);
}

void ResponseScope::updateCursor(bool overTarget) {
    const bool grabbing = isDraggingBand() || isDraggingQ();
    setCursor(overTarget || grabbing ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ResponseScope::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !initialised_) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    bool hit = false;
    if (qHandlesActive()) {
        qDragLeft_ = handleRect(qHandleCentre(false)).contains(point);
        qDragRight_ = !qDragLeft_ && handleRect(qHandleCentre(true)).contains(point);
        qDragMoved_ = false;
        hit = isDraggingQ();
    }
    // A band handle under a Q handle starts its drag too; its first move ends the Q drag.
    const int band = bandAt(point);
    if (band != NO_BAND) {
        draggingBand_ = band;
        selectedBand_ = band;
        scopeNotify(band);
        markDirty(currentCurve_);
        hit = true;
    }
    const int box = channelBoxAt(point);
    if (box >= 0) {
        if (box != currentCurve_) {
            ScopeCurve& curve = curves_.slot(box);
            curve.visible = !curve.visible;
            postToParent(CURVE_VISIBILITY_CHANGED, 0);
        }
        markDirty(box);
        hit = true;
    }
    updateCursor(hit);
    update();
}

void ResponseScope::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ResponseScope::mouseMoveEvent(QMouseEvent* event) {
    if (!initialised_) return;
    const QPoint point = event->position().toPoint();
    if (isDraggingBand()) {
        dragBandTo(point);
    } else if (const int band = bandAt(point); band != NO_BAND) {
        readoutBand_ = band;
        update();
    }
    if (isDraggingQ()) {
        qDragMoved_ = true;
        dragQTo(point.x());
    }
    updateCursor(bandAt(point) != NO_BAND || channelBoxAt(point) >= 0);
}

void ResponseScope::dragBandTo(QPoint point) {
    if (geometry_.plot.isEmpty()) return;  // no room to move a handle in
    const int band = draggingBand_;
    const bool crossover = band == HP_BAND || band == LP_BAND;
    const ScopeGeometry& g = geometry_;
    QPoint& handle = handlePos_[at(band)];
    // In graphic mode an EQ band keeps its column and only its gain follows the mouse.
    int x = !frequencyLocked_ || crossover ? point.x() - g.plot.left : handle.x();
    const int y = std::clamp(point.y(), g.plot.top, g.plot.bottom) - g.zeroY;
    double frequencyHz = snapScopeFrequency(frequencyOfX(g, x));
    const double lowHz = crossover ? CROSSOVER_MIN_HZ : EQ_MIN_HZ;
    const double highHz = crossover ? CROSSOVER_MAX_HZ : EQ_MAX_HZ;
    x = std::clamp(x, xOfFrequency(g, lowHz), xOfFrequency(g, highHz));
    frequencyHz = std::clamp(frequencyHz, lowHz, highHz);

    CurveParams& params = curves_.slot(currentCurve_).params;
    params.frequencyHz[at(band)] = frequencyHz;
    if (crossover) {
        handle = QPoint(x, g.crossoverHandleOffset);
    } else {
        handle = QPoint(x, y);
        params.gainDb[at(band)] = gainOfDraggedY(g, y);
    }
    markDirty(currentCurve_);
    scopeNotify(band);
    qDragLeft_ = false;
    qDragRight_ = false;
}

void ResponseScope::dragQTo(int mouseX) {
    const int bandX = handlePos_[at(selectedBand_)].x();
    const int index = qDragLeft_ ? leftQDragIndex(bandX, mouseX) : rightQDragIndex(bandX, mouseX);
    curves_.slot(currentCurve_).params.q[at(selectedBand_)] = Q_TABLE[at(index)];
    markDirty(currentCurve_);
    if (!isDraggingBand()) readoutBand_ = selectedBand_;
    scopeNotify(selectedBand_);
}

void ResponseScope::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !initialised_) return;
    const QPoint point = event->position().toPoint();
    // A Q handle clicked without moving keeps its Q.
    if (isDraggingQ() && qDragMoved_) dragQTo(point.x());
    qDragLeft_ = false;
    qDragRight_ = false;
    if (isDraggingBand()) endBandDrag();
    updateCursor(bandAt(point) != NO_BAND || channelBoxAt(point) >= 0);
    update();
}

void ResponseScope::endBandDrag() {
    const int band = draggingBand_;
    draggingBand_ = NO_BAND;
    // The handle settles on the column of the snapped frequency it stands for.
    const double frequencyHz = curves_.slot(currentCurve_).params.frequencyHz[at(band)];
    handlePos_[at(band)].setX(xOfFrequency(geometry_, frequencyHz));
    markDirty(currentCurve_);
}

void ResponseScope::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (!initialised_) return;
    // Fine-grained wheels and touchpads send parts of a notch; a step is a whole notch.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= WHEEL_NOTCH) {
        wheelRemainder_ -= WHEEL_NOTCH;
        step(true);
    }
    while (wheelRemainder_ <= -WHEEL_NOTCH) {
        wheelRemainder_ += WHEEL_NOTCH;
        step(false);
    }
}

void ResponseScope::keyPressEvent(QKeyEvent* event) {
    if (!initialised_ || (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)) {
        MessageWindow::keyPressEvent(event);
        return;
    }
    step(event->key() == Qt::Key_Up);
    event->accept();
}

void ResponseScope::step(bool awayFromUser) {
    const int band = selectedBand_;
    CurveParams& params = curves_.slot(currentCurve_).params;
    if (band >= FIRST_EQ_BAND) {
        // Away from the user raises the gain.
        setBandGain(band - FIRST_EQ_BAND, steppedGain(params.gainDb[at(band)], awayFromUser));
    } else {
        // Away from the user steps a crossover down the table.
        params.frequencyHz[at(band)] =
            steppedCrossoverFrequency(params.frequencyHz[at(band)], !awayFromUser);
        placeHandle(band);
        if (!isDraggingBand()) readoutBand_ = band;
        markDirty(currentCurve_);
    }
    scopeNotify(band);
}

}  // namespace tq370::response
