#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>

#include "controls/message_window.h"

namespace tq370 {

// A push or toggle button whose face is one frame of a horizontal PNG strip: frame 0
// normal (toggle off), 1 toggle on, 2 hover overlay, 3 disabled. The caption is drawn
// over the face as a filled text outline. A completed click posts the parent a message
// numbered with the control identifier, wParam = lParam = the button's index.
class ImageButton : public MessageWindow {
public:
    // A push button, or a toggle that is off or on (the numbers are the states the
    // notifications and the strips' items count with).
    enum class Check : int { Push = 0, Off = 1, On = 2 };
    static constexpr Check PUSH = Check::Push;
    static constexpr Check TOGGLE_OFF = Check::Off;
    static constexpr Check TOGGLE_ON = Check::On;
    static constexpr int HOVER_FRAME = 2;
    static constexpr int DISABLED_FRAME = 3;
    static constexpr int DEFAULT_FRAMES = 4;  // without an image

    ImageButton(QWidget* parent, int controlId, int index = 0);

    // Loads the strip of a resource number (or a given image); the frame count is the
    // image width over the button's width at this call, and stays when the button is
    // resized later (size the button at its design size first). Without a host the button draws on
    // RGB 240, 240, 240; with one, the host's picture shows around and through the face.
    void setButtonImage(int resourceNumber, QWidget* host);
    void setButtonImage(const QImage& strip, QWidget* host);

    // Toggle state 1 (off) or 2 (on), 0 makes it a push button; ignored while disabled.
    void setButtonCheck(Check state);
    Check buttonCheck() const { return toggleState_; }

    // Caption size in pixels, face name, the colours for toggle states 0/1 and 2,
    // CaptionAlign bits and FontStyleBits.
    void setButtonTextStyle(double pixelSize, const QString& faceName, QColor colourOff,
                            QColor colourOn, unsigned alignFlags, int style = 0);
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    // The caption box and active area in image pixels of one frame (default: the whole
    // frame; without an image the whole button).
    void setTextRect(const QRect& imageRect);
    void setClickable(bool clickable) { clickable_ = clickable; }

    int index() const { return index_; }
    void setIndex(int index) { index_ = index; }

    int frameIndex() const { return frame_; }
    int frameCount() const;
    bool isHovering() const { return hovering_; }
    bool isPressed() const { return pressed_; }

    // The active area in widget coordinates (the scaled text rectangle, kept one pixel
    // inside the button).
    QRect activeArea() const;

    // The finished picture of the button (its face and caption, background where no
    // host is set), redrawn only when something it shows has changed.
    const QImage& picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void invalidate();
    void followToggleState();
    void updateHover(const QPoint& pos);
    QRectF scaledTextRect() const;
    void render();

    int index_ = 0;
    QImage strip_;
    QPointer<QWidget> host_;
    int frameCount_ = DEFAULT_FRAMES;
    int frame_ = 0;
    Check toggleState_ = PUSH;
    bool clickable_ = true;
    bool pressed_ = false;
    bool hovering_ = false;

    QString caption_;
    double captionSize_ = 12;
    QString faceName_ = QStringLiteral("微软雅黑");
    int fontStyle_ = 0;
    unsigned alignFlags_ = 0;
    QColor colourOff_ = Qt::black;
    QColor colourOn_ = Qt::black;
    QRect textRect_;  // image pixels; empty = the whole frame

    QImage picture_;
    bool pictureValid_ = false;
};

}  // namespace tq370
