#pragma once

#include <QImage>
#include <QPointer>

#include "controls/message_window.h"
#include "controls/slider_geometry.h"

namespace tq370 {

// A slider cut from one PNG: two track images (the lit part runs from the minimum end to
// the thumb) and a thumb in a normal and a focused look. Moved with the mouse, the wheel
// or Up/Down; after every user change it clamps its value and sends the parent a message
// numbered with the control identifier, wParam = notifyIndex, lParam = the value.
class ImageSlider : public MessageWindow {
public:
    ImageSlider(QWidget* parent, int controlId);

    // Style row of SLIDER_STYLES and the PNG resource (or image) holding its artwork.
    // Without a host the slider draws on RGB 240, 240, 240.
    void setSliderStyle(int styleRow, QWidget* host, int resourceNumber);
    void setSliderStyle(int styleRow, QWidget* host, const QImage& artwork);

    // Shows a value pushed from elsewhere (value × valueScale); never notifies.
    void setSliderValue(double value);

    int sliderValue() const { return sliderValue_; }
    void setRange(int minValue, int maxValue);
    int minValue() const { return minValue_; }
    int maxValue() const { return maxValue_; }
    int valueScale() const { return valueScale_; }
    void setValueScale(int scale) { valueScale_ = scale; }
    int notifyIndex() const { return notifyIndex_; }
    void setNotifyIndex(int index) { notifyIndex_ = index; }
    void setVertical(bool vertical);
    bool isVertical() const { return vertical_; }
    void setStep(double step) { step_ = step; }

    // A host's mark on this slider (the EQ panel's selected band): the thumb keeps its
    // focused look while it is set.
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return highlighted_; }

    bool isDragging() const { return dragging_; }
    bool hasFocusLook() const { return focusLook_; }
    SliderGeometry geometry() const;
    QRect currentThumbRect() const;

    const QImage& picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void notify();
    void stepBy(double delta);
    void invalidate();
    void render();
    double along(const QPointF& point) const { return vertical_ ? point.y() : point.x(); }

    int styleRow_ = 16;
    QImage artwork_;
    QPointer<QWidget> host_;
    int sliderValue_ = 50;
    int minValue_ = 0;
    int maxValue_ = 100;
    int valueScale_ = 10;
    int notifyIndex_ = 0;
    bool vertical_ = true;
    double step_ = 1.0;
    bool dragging_ = false;
    bool focusLook_ = false;
    bool highlighted_ = false;

    QImage picture_;
    bool pictureValid_ = false;
};

}  // namespace tq370
