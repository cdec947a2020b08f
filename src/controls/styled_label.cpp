#include "controls/styled_label.h"

#include <QPainter>

#include <algorithm>

#include "controls/caption_layout.h"
#include "controls/font_faces.h"

namespace tq370 {

StyledLabel::StyledLabel(QWidget* parent, int controlId) : MessageWindow(parent, controlId) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void StyledLabel::setHost(QWidget* host) {
    host_ = host;
    invalidate();
}

void StyledLabel::setLabelText(const QString& text) {
    caption_ = text;
    invalidate();
}

void StyledLabel::setLabelStyle(double pixelSize, unsigned alignFlags, QColor colour,
                                const QString& faceName, int style) {
    pixelSize_ = pixelSize;
    alignFlags_ = alignFlags;
    colour_ = colour;
    faceName_ = faceName;
    style_ = style;
    invalidate();
}

void StyledLabel::setFillColour(QColor colour) {
    fill_ = colour;
    invalidate();
}

void StyledLabel::setLabelImage(const QImage& image, int frameIndex, int frameWidth,
                                int frameHeight) {
    image_ = image;
    frameIndex_ = frameIndex;
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    invalidate();
}

QFont StyledLabel::font() const {
    return faceFont(faceName_, pixelSize_, style_);
}

QRectF StyledLabel::captionRect() const {
    QRectF box(0, 0, std::max(0, width() - 1), std::max(0, height() - 1));
    const QSizeF measured = measureCaption(caption_, font(), box.width(), alignFlags_);
    if (measured.width() > box.width()) {
        const double grow = (measured.width() - box.width()) / 2;
        box.adjust(-grow, 0, grow, 0);
    }
    if (measured.height() > box.height()) {
        const double grow = (measured.height() - box.height()) / 2;
        box.adjust(0, -grow, 0, grow);
    }
    return box;
}

const QImage& StyledLabel::picture() {
    if (!pictureValid_ || picture_.size() != size()) render();
    return picture_;
}

void StyledLabel::render() {
    pictureValid_ = true;
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(host_ ? QColor(Qt::transparent) : QColor(240, 240, 240));

    QPainter painter(&picture_);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    if (fill_.alpha() != 0) painter.fillRect(rect(), fill_);
    if (!image_.isNull() && frameWidth_ > 0 && frameHeight_ > 0) {
        painter.drawImage(QRectF(rect()), image_,
                          QRectF(frameIndex_ * frameWidth_, 0, frameWidth_, frameHeight_));
    }
    if (caption_.isEmpty()) return;
    const QFont captionFont = font();
    const CaptionLayout layout = layoutCaption(caption_, captionFont, captionRect(), alignFlags_);
    painter.setFont(captionFont);
    painter.setPen(colour_);
    for (const CaptionLine& line : layout.lines) painter.drawText(line.baseline, line.text);
}

void StyledLabel::invalidate() {
    pictureValid_ = false;
    update();
}

void StyledLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void StyledLabel::resizeEvent(QResizeEvent*) {
    invalidate();
}

void StyledLabel::focusOutEvent(QFocusEvent*) {
    update();
}

}  // namespace tq370
