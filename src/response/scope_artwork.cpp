#include "response/scope_artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

#include "controls/font_faces.h"
#include "response/math/curve_params.h"
#include "response/scope_geometry.h"
#include "response/scope_palette.h"

namespace tq370::response {

namespace {

// The marks inside a handle cell: an inner disc, a ring and a tick at the ring's top
// and bottom.
constexpr QRectF INNER_DISC(4, 4, 16, 16);
constexpr QRectF RING(2, 2, 20, 20);
constexpr double TICK_LEFT = 9;
constexpr double TICK_RIGHT = 15;
constexpr double RING_PEN = 1.5;
constexpr double TICK_PEN = 2;
constexpr int INNER_DISC_ALPHA = 90;

constexpr std::array<QPointF, 8> LEFT_ARROW{
    {{2, 12}, {11, 2}, {11, 7}, {21, 7}, {21, 16}, {11, 16}, {11, 21}, {2, 12}}};
constexpr std::array<QPointF, 8> RIGHT_ARROW{
    {{26, 7}, {36, 7}, {36, 2}, {45, 12}, {36, 21}, {36, 16}, {26, 16}, {26, 7}}};

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QString handleLabel(int band) {
    if (band == HP_BAND) return QStringLiteral("H");
    if (band == LP_BAND) return QStringLiteral("L");
    return QString::number(band - FIRST_EQ_BAND + 1);
}

void drawHandle(QPainter& painter, int band) {
    const bool crossover = band == HP_BAND || band == LP_BAND;
    const QColor mark = crossover ? CROSSOVER_HANDLE_MARK : EQ_HANDLE_MARK;
    painter.save();
    painter.translate(handleCell(band).topLeft());
    painter.setPen(Qt::NoPen);
    painter.setBrush(HANDLE_DISC);
    painter.drawEllipse(QRectF(0, 0, HANDLE_SIDE, HANDLE_SIDE));
    QColor inner = mark;
    inner.setAlpha(INNER_DISC_ALPHA);
    painter.setBrush(inner);
    painter.drawEllipse(INNER_DISC);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(mark, RING_PEN));
    painter.drawEllipse(RING);
    painter.setPen(QPen(mark, TICK_PEN, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(TICK_LEFT, RING.top()), QPointF(TICK_RIGHT, RING.top()));
    painter.drawLine(QPointF(TICK_LEFT, RING.bottom()), QPointF(TICK_RIGHT, RING.bottom()));
    painter.setPen(HANDLE_LABEL);
    painter.drawText(QRectF(0, 0, HANDLE_SIDE, HANDLE_SIDE),
                     Qt::AlignCenter | Qt::TextDontClip | Qt::TextSingleLine, handleLabel(band));
    painter.restore();
}

}  // namespace

QImage makeHandleSheet() {
    QImage sheet = blankImage(HANDLE_SHEET_WIDTH, HANDLE_SHEET_HEIGHT);
    QPainter painter(&sheet);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setFont(faceFont(QString::fromUtf8(LABEL_FACE), HANDLE_LABEL_PX, FONT_BOLD));
    for (int band = 0; band < BAND_COUNT; ++band) drawHandle(painter, band);
    return sheet;
}

QRect handleCell(int band) {
    return {0, band * HANDLE_SIDE, HANDLE_SIDE, HANDLE_SIDE};
}

QImage makeQArrowSheet() {
    QImage sheet = blankImage(Q_ARROW_SHEET_SIDE, Q_ARROW_SHEET_SIDE);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const bool dragged : {false, true}) {
        painter.setBrush(dragged ? Q_ARROW_DRAGGED : Q_ARROW_IDLE);
        const QPointF down(0, dragged ? HANDLE_SIDE : 0);
        for (const auto* arrow : {&LEFT_ARROW, &RIGHT_ARROW}) {
            QPolygonF polygon;
            for (const QPointF& p : *arrow) polygon << p + down;
            painter.drawPolygon(polygon, Qt::WindingFill);
        }
    }
    return sheet;
}

QRect qArrowCell(bool rightArrow, bool dragged) {
    return {rightArrow ? HANDLE_SIDE : 0, dragged ? HANDLE_SIDE : 0, HANDLE_SIDE, HANDLE_SIDE};
}

QImage makePassOverlay() {
    QImage overlay = blankImage(PASS_OVERLAY_WIDTH, PASS_OVERLAY_HEIGHT);
    QPainter painter(&overlay);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(faceFont(QString::fromUtf8(LABEL_FACE), PASS_OVERLAY_PX, FONT_BOLD));
    painter.setPen(PASS_OVERLAY_TEXT);
    painter.drawText(QRect(0, 0, PASS_OVERLAY_WIDTH, PASS_OVERLAY_HEIGHT),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QStringLiteral("EQ PASS"));
    return overlay;
}

}  // namespace tq370::response
