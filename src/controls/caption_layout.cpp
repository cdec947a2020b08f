#include "controls/caption_layout.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>

namespace tq370 {

namespace {

std::vector<QString> breakLines(const QString& text, const QFont& font, double width,
                                unsigned alignFlags) {
    if ((alignFlags & ALIGN_SINGLE_LINE) != 0) return {text};
    std::vector<QString> lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        bool any = false;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1.0, width));
            lines.push_back(paragraph.mid(line.textStart(), line.textLength()).trimmed());
            any = true;
        }
        layout.endLayout();
        if (!any) lines.emplace_back();
    }
    return lines;
}

}  // namespace

CaptionLayout layoutCaption(const QString& text, const QFont& font, const QRectF& rect,
                            unsigned alignFlags) {
    const QFontMetricsF metrics(font);
    CaptionLayout result;
    const std::vector<QString> lines = breakLines(text, font, rect.width(), alignFlags);
    const double lineHeight = metrics.height();
    const double totalHeight = lineHeight * static_cast<double>(lines.size());

    double top = rect.top();
    if ((alignFlags & ALIGN_VCENTER) != 0) {
        top += (rect.height() - totalHeight) / 2;
    } else if ((alignFlags & ALIGN_BOTTOM) != 0) {
        top += rect.height() - totalHeight;
    }

    double left = rect.right();
    double right = rect.left();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double width = metrics.horizontalAdvance(lines[i]);
        double x = rect.left();
        if ((alignFlags & ALIGN_CENTER) != 0) {
            x += (rect.width() - width) / 2;
        } else if ((alignFlags & ALIGN_RIGHT) != 0) {
            x += rect.width() - width;
        }
        const double baseline = top + lineHeight * static_cast<double>(i) + metrics.ascent();
        result.lines.push_back({lines[i], QPointF(x, baseline), width});
        left = std::min(left, x);
        right = std::max(right, x + width);
    }
    result.bounds = QRectF(QPointF(left, top), QPointF(std::max(left, right), top + totalHeight));
    return result;
}

QSizeF measureCaption(const QString& text, const QFont& font, double wrapWidth,
                      unsigned alignFlags) {
    return layoutCaption(text, font, QRectF(0, 0, wrapWidth, 0), alignFlags).bounds.size();
}

QPainterPath captionPath(const CaptionLayout& layout, const QFont& font) {
    QPainterPath path;
    for (const CaptionLine& line : layout.lines) path.addText(line.baseline, font, line.text);
    return path;
}

}  // namespace tq370
