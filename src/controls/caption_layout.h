#pragma once

#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace tq370 {

// Alignment bits of the captions of buttons and labels.
enum CaptionAlign : unsigned {
    ALIGN_CENTER = 0x1,
    ALIGN_RIGHT = 0x2,
    ALIGN_VCENTER = 0x4,
    ALIGN_BOTTOM = 0x8,
    ALIGN_SINGLE_LINE = 0x20,
};

struct CaptionLine {
    QString text;
    QPointF baseline;  // left end of the line's baseline
    double width = 0;
};

struct CaptionLayout {
    std::vector<CaptionLine> lines;
    QRectF bounds;  // the box the lines fill; may reach outside the layout rectangle
};

// Lays the caption out in the rectangle: one line with ALIGN_SINGLE_LINE (never
// clipped), otherwise wrapped at the rectangle's width and at line breaks; then placed
// by the alignment bits. Nothing is clipped: text may run outside the rectangle.
CaptionLayout layoutCaption(const QString& text, const QFont& font, const QRectF& rect,
                            unsigned alignFlags);

// The measured size of the caption laid out as layoutCaption does.
QSizeF measureCaption(const QString& text, const QFont& font, double wrapWidth,
                      unsigned alignFlags);

// The laid-out caption as one outline, for filling.
QPainterPath captionPath(const CaptionLayout& layout, const QFont& font);

}  // namespace tq370
