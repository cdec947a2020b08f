#include "sheet.h"

#include <QFontMetrics>
#include <QPainter>

#include "controls/font_faces.h"

namespace tq370::gallery {

namespace {

constexpr int MARGIN = 24;
constexpr int GAP = 18;
constexpr int CAPTION_HEIGHT = 18;
constexpr int TITLE_HEIGHT = 34;

QFont captionFont() {
    return faceFont(QStringLiteral("微软雅黑"), 12);
}
QFont titleFont() {
    return faceFont(QStringLiteral("微软雅黑"), 17, FONT_BOLD);
}

}  // namespace

Sheet::Sheet(int width, int zoom) : width_(width), zoom_(zoom), x_(MARGIN), y_(MARGIN) {}

void Sheet::section(const QString& title) {
    if (x_ > MARGIN) {
        y_ += rowHeight_ + GAP;
        x_ = MARGIN;
        rowHeight_ = 0;
    }
    items_.push_back({QImage(), title, QPoint(MARGIN, y_), true});
    y_ += TITLE_HEIGHT;
}

void Sheet::cell(const QImage& picture, const QString& caption) {
    const QSize size = picture.size() * zoom_;
    const int captionWidth = QFontMetrics(captionFont()).horizontalAdvance(caption);
    const int width = std::max(size.width(), captionWidth);
    if (x_ > MARGIN && x_ + width > width_ - MARGIN) {
        y_ += rowHeight_ + GAP;
        x_ = MARGIN;
        rowHeight_ = 0;
    }
    items_.push_back({picture, caption, QPoint(x_, y_), false});
    x_ += width + GAP;
    rowHeight_ = std::max(rowHeight_, size.height() + CAPTION_HEIGHT);
}

QImage Sheet::finish() const {
    const int height = y_ + rowHeight_ + MARGIN;
    QImage sheet(width_, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x10, 0x11, 0x13));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Item& item : items_) {
        if (item.title) {
            p.setFont(titleFont());
            p.setPen(QColor(0xff, 0x8a, 0x1c));
            p.drawText(QRect(item.at, QSize(width_ - 2 * MARGIN, TITLE_HEIGHT - 8)),
                       Qt::AlignLeft | Qt::AlignBottom, item.caption);
            p.setPen(QColor(0x3a, 0x3e, 0x45));
            p.drawLine(item.at.x(), item.at.y() + TITLE_HEIGHT - 4, width_ - MARGIN,
                       item.at.y() + TITLE_HEIGHT - 4);
            continue;
        }
        const QSize size = item.picture.size() * zoom_;
        p.drawImage(QRect(item.at, size), item.picture);
        p.setFont(captionFont());
        p.setPen(QColor(0xa8, 0xad, 0xb5));
        p.drawText(QRect(item.at.x(), item.at.y() + size.height() + 2, 1000, CAPTION_HEIGHT),
                   Qt::AlignLeft | Qt::AlignTop, item.caption);
    }
    return sheet;
}

}  // namespace tq370::gallery
