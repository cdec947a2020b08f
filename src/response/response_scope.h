#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>
#include <vector>

#include "controls/message_window.h"
#include "response/math/curve_params.h"
#include "response/scope_curves.h"
#include "response/scope_geometry.h"
#include "response/scope_stroke.h"

namespace tq370::response {

// The frequency-response graph of the EQ panel: a logarithmic frequency axis from 19 Hz
// to 20600 Hz against −20..+20 dB, the summed response of the current curve and
// optionally of other curves, one handle per band of the current curve (HP, LP, the 31
// EQ bands), two Q handles beside the selected EQ band, a readout of one band's values
// and a column of "CH%d" boxes that show or hide the other curves.
//
// The user drags handles, turns the wheel or presses Up/Down; the scope changes its own
// values first and then tells its parent with a message numbered with its control
// identifier (see scope_rules.h for the parameters). The setters below never notify, so
// values pushed from the processor do not echo back. UI thread only.
class ResponseScope : public MessageWindow {
public:
    ResponseScope(QWidget* parent, int controlId);

    // Once, right after the widget has its size: images, curve slots, grid; the current
    // curve's HP at 19 Hz and LP at 20600 Hz. Nothing is drawn before it.
    void initialise();
    // Enables the twelve channel curves (all hidden) and the CH boxes, and lays the
    // scope out again (posted, so it takes effect once events run).
    void initCurves();

    // Rows are curve slots 0..CURVE_SLOTS − 1, eqBand 0..30; other rows and bands, and
    // values that are not finite numbers, are ignored.
    void selectCurve(int row);
    // Clamped to 19.7..20600 Hz and snapped. The forms without a row act on the current
    // curve and also show the band in the readout.
    void setBandFrequency(int row, int eqBand, double frequencyHz);
    void setBandFrequency(int eqBand, double frequencyHz);
    // Clamped to ±20 dB.
    void setBandGain(int row, int eqBand, double gainDb);
    void setBandGain(int eqBand, double gainDb);
    // Stored as given. The form without a row acts on the current curve and also shows
    // the band in the readout.
    void setBandQ(int row, int eqBand, double q);
    void setBandQ(int eqBand, double q);
    // which 0 = HP, 1 = LP; clamped to 19..20600 Hz and snapped.
    void setCrossoverFrequency(int row, int which, double frequencyHz);
    // The FilterCode of every curve's HP (even codes) or LP (odd codes); codes in no
    // block are ignored. Selects the crossover unless a band is being dragged.
    void setCrossoverCode(int code);
    // Graphic mode: EQ handles move only vertically and the Q handles are hidden.
    void setFrequencyLock(bool locked);
    // False shows the "EQ PASS" overlay.
    void setEqActive(bool active);
    // Multiplies margins and font sizes; takes effect at the next layout (posted).
    void setScale(double scale);
    void setCurveVisible(int row, bool visible);
    void setBandVisible(int band, bool visible);

    // Composes the picture afresh and draws it into the target at the scope's position
    // inside its top-level window.
    void paintInto(QPaintDevice& target);
    // Composes the picture as a paint does and returns it.
    const QImage& composePicture();

    // --- Reading.
    const CurveParams& curve(int row) const { return curves_.slot(row).params; }
    int currentCurve() const { return currentCurve_; }
    int curveCount() const { return curveCount_; }
    bool isCurveVisible(int row) const { return curves_.slot(row).visible; }
    bool isCurveDirty(int row) const { return curves_.slot(row).dirty; }
    const std::vector<QPoint>& curvePolyline(int row) const { return curves_.slot(row).polyline; }
    const std::vector<QPoint>& highlightOutline() const { return curves_.highlightOutline(); }
    const std::vector<int>& lastRecomputedCurves() const { return curves_.lastRecomputed(); }
    int hpCode() const { return hpCode_; }
    int lpCode() const { return lpCode_; }
    int selectedBand() const { return selectedBand_; }
    int readoutBand() const { return readoutBand_; }
    bool isDraggingBand() const { return draggingBand_ != NO_BAND; }
    bool isDraggingQ() const { return qDragLeft_ || qDragRight_; }
    bool isFrequencyLocked() const { return frequencyLocked_; }
    bool qHandlesShown() const { return qHandlesShown_; }
    bool isEqActive() const { return eqActive_; }
    double scale() const { return scale_; }
    const ScopeGeometry& geometry() const { return geometry_; }
    // Centres in client pixels.
    QPoint handleCentre(int band) const;
    // Where the selected band's Q handles are while they are shown and can be grabbed.
    bool qHandlesActive() const;
    QPoint qHandleCentre(bool right) const;
    // The CH box of a curve; empty while the boxes are not laid out.
    ScopeRect channelBoxRect(int row) const;
    // The readout's text and box as the last picture showed them (empty when none).
    const QString& readoutText() const { return readoutText_; }
    QRect readoutRect() const { return readoutRect_; }

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int NO_BAND = -1;

    // Layout and values.
    void relayout();
    // Images and fonts of the client size and scale, all to be drawn afresh.
    void resetPictures();
    void placeHandle(int band);
    void storeCrossoverFrequency(int row, int band, double frequencyHz);
    void markDirty(int row);

    // Painting (response_scope_paint.cpp). The backdrop holds what changes rarely: the
    // grid, the other visible curves and the CH boxes.
    struct BackdropKey {
        int currentCurve = -1;
        std::uint32_t visibleCurves = 0;
        int curveCount = 0;
        bool operator==(const BackdropKey&) const = default;
    };
    BackdropKey backdropKey() const;
    bool backdropIsStale() const;
    void composeBackdrop();
    void drawChannelBoxes(QPainter& painter);
    void drawCurrentCurve();
    void drawPassOverlay(QPainter& painter);
    void drawQHandles(QPainter& painter);
    void drawHandles(QPainter& painter);
    void drawReadout(QPainter& painter);

    // Input (response_scope_input.cpp).
    int bandAt(QPoint point) const;
    int channelBoxAt(QPoint point) const;
    // Tells the parent at once that a band was selected or changed.
    void scopeNotify(int band);
    void dragBandTo(QPoint point);
    void dragQTo(int mouseX);
    void endBandDrag();
    void step(bool awayFromUser);
    void updateCursor(bool overTarget);

    bool initialised_ = false;
    ScopeGeometry geometry_;
    double scale_ = 1.0;
    CurveCache curves_;
    int curveCount_ = 0;
    int currentCurve_ = 0;
    bool channelBoxesShown_ = false;
    std::vector<ScopeRect> channelBoxes_;

    // Handles of the current curve: x relative to the plot's left edge, y to zeroY.
    std::array<QPoint, BAND_SLOTS> handlePos_{};
    std::array<bool, BAND_SLOTS> bandVisible_{};
    int selectedBand_ = HP_BAND;
    int readoutBand_ = HP_BAND;
    int draggingBand_ = NO_BAND;
    bool qDragLeft_ = false;
    bool qDragRight_ = false;
    bool qDragMoved_ = false;
    int wheelRemainder_ = 0;

    bool eqActive_ = true;
    bool qHandlesShown_ = true;
    bool frequencyLocked_ = false;
    int hpCode_ = 8;  // 12 dB/oct Butter high-pass
    int lpCode_ = 9;  // 12 dB/oct Butter low-pass

    QImage handleSheet_;
    QImage qArrowSheet_;
    QImage passOverlay_;
    QImage grid_;
    bool gridValid_ = false;
    QImage backdrop_;
    bool backdropValid_ = false;
    BackdropKey backdropKey_;
    CurveStroker stroker_;
    QImage picture_;  // the last composed picture
    QFont readoutFont_;
    QFont boxFont_;
    QString readoutText_;
    QRect readoutRect_;
};

}  // namespace tq370::response
