#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>

#include "controls/message_window.h"

namespace tq370 {

// A text label drawn over its host's picture, optionally over a solid colour or one frame
// of an image. The caption never wraps with ALIGN_SINGLE_LINE and is never clipped to a
// box smaller than its measured size.
class StyledLabel : public MessageWindow {
public:
    StyledLabel(QWidget* parent, int controlId = 0);

    // Without a host the label draws on RGB 240, 240, 240.
    void setHost(QWidget* host);

    void setLabelText(const QString& text);
    QString labelText() const { return caption_; }

    // Pixel size, CaptionAlign bits, text colour (with alpha), face name.
    void setLabelStyle(double pixelSize, unsigned alignFlags, QColor colour,
                       const QString& faceName, int style = 0);

    // Used only while its alpha is not 0.
    void setFillColour(QColor colour);

    // Draws frame `frameIndex` (frameWidth × frameHeight image pixels) stretched under
    // the caption; a null image removes it.
    void setLabelImage(const QImage& image, int frameIndex, int frameWidth, int frameHeight);

    // The rectangle the caption is laid out in: the label less one pixel, widened
    // symmetrically to the measured text where that is larger.
    QRectF captionRect() const;

    const QImage& picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void invalidate();
    void render();
    QFont font() const;

    QPointer<QWidget> host_;
    QString caption_;
    double pixelSize_ = 12;
    int style_ = 0;
    QString faceName_ = QStringLiteral("微软雅黑");
    unsigned alignFlags_ = 0;
    QColor colour_ = Qt::black;
    QColor fill_ = Qt::transparent;
    QImage image_;
    int frameIndex_ = 0;
    int frameWidth_ = 0;
    int frameHeight_ = 0;

    QImage picture_;
    bool pictureValid_ = false;
};

}  // namespace tq370
