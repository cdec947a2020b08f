#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "art_set.h"
#include "painting.h"
#include "palette.h"

namespace tq370::art {

namespace {

constexpr int PROGRESS_WIDTH = 541;
constexpr int PROGRESS_HEIGHT = 161;
constexpr double BAR_LEFT = 27;
constexpr double BAR_RIGHT = 516;
constexpr double BAR_TOP = 52;
constexpr double BAR_HEIGHT = 26;

QImage opaque(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(PANEL_DEEP);
    return image;
}

void progressPanel(QPainter& p) {
    const QRectF r(0, 0, PROGRESS_WIDTH, PROGRESS_HEIGHT);
    QLinearGradient back(r.topLeft(), r.bottomLeft());
    back.setColorAt(0, QColor(0x2b, 0x2f, 0x35));
    back.setColorAt(1, QColor(0x12, 0x14, 0x17));
    p.fillRect(r, back);
    p.setPen(QPen(EDGE, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawLine(QPointF(8, 1.5), QPointF(PROGRESS_WIDTH - 8, 1.5));
    // Thin separators framing the title and the percentage lines.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawLine(QPointF(BAR_LEFT, 34.5), QPointF(BAR_RIGHT, 34.5));
    p.drawLine(QPointF(BAR_LEFT, 87.5), QPointF(BAR_RIGHT, 87.5));
}

QRectF barRect() {
    return QRectF(BAR_LEFT, BAR_TOP, BAR_RIGHT - BAR_LEFT, BAR_HEIGHT);
}

QImage progressBitmap(bool full) {
    QImage image = opaque(PROGRESS_WIDTH, PROGRESS_HEIGHT);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    progressPanel(p);
    const QRectF bar = barRect();
    // The groove: an inset well, slightly larger than the bar.
    p.setPen(QPen(QColor(0x05, 0x06, 0x07), 1));
    p.setBrush(QColor(0x0a, 0x0b, 0x0d));
    p.drawRoundedRect(bar.adjusted(-3, -3, 3, 3), 8, 8);
    if (!full) {
        QLinearGradient empty(bar.topLeft(), bar.bottomLeft());
        empty.setColorAt(0, QColor(0x14, 0x16, 0x1a));
        empty.setColorAt(1, QColor(0x22, 0x25, 0x2a));
        p.setPen(Qt::NoPen);
        p.setBrush(empty);
        p.drawRect(bar);
        return image;
    }
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, BLUE_HOT);
    fill.setColorAt(0.45, BLUE);
    fill.setColorAt(1, BLUE_DEEP);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRect(bar);
    // Gloss on the upper half and fine segment lines, as on a lit meter.
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRect(QRectF(bar.left(), bar.top() + 1, bar.width(), bar.height() * 0.4));
    p.setPen(QPen(QColor(0, 0, 0, 40), 1));
    for (double x = bar.left() + 12; x < bar.right() - 1; x += 12) {
        p.drawLine(QPointF(x + 0.5, bar.top() + 2), QPointF(x + 0.5, bar.bottom() - 2));
    }
    return image;
}

// Channel strip backgrounds: two 98 × 94 halves, idle and selected.
QImage stripBackground() {
    QImage image = blank(196, 94);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    for (int half = 0; half < 2; ++half) {
        const QRectF r(half * 98 + 0.5, 0.5, 97, 93);
        const bool selected = half == 1;
        QLinearGradient back(r.topLeft(), r.bottomLeft());
        back.setColorAt(0, selected ? QColor(0x3a, 0x24, 0x24) : PANEL_RAISED);
        back.setColorAt(1, selected ? QColor(0x22, 0x16, 0x17) : PANEL);
        p.setPen(QPen(selected ? RED : EDGE, selected ? 1.5 : 1));
        p.setBrush(back);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        if (selected) {
            QColor glow = RED;
            glow.setAlpha(70);
            p.setPen(QPen(glow, 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
        }
        // The input area: a darker well under the toggles.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(QRectF(r.left() + 1, 47, 96, 43), 3, 3);
    }
    return image;
}

QImage routingCell() {
    QImage image = blank(106, 53);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, 105, 52);
    QLinearGradient back(r.topLeft(), r.bottomLeft());
    back.setColorAt(0, PANEL_RAISED);
    back.setColorAt(1, PANEL);
    p.setPen(QPen(QColor(0x18, 0x1a, 0x1d), 1));
    p.setBrush(back);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 25), 1));
    p.drawLine(QPointF(5, 1.5), QPointF(101, 1.5));
    return image;
}

QImage columnFooter() {
    QImage image = blank(106, 50);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, 105, 49);
    face(p, r, PANEL_TOP, PANEL_DEEP, QColor(0x18, 0x1a, 0x1d), 4);
    p.setPen(Qt::NoPen);
    p.setBrush(RED);
    p.drawRoundedRect(QRectF(8, 4, 90, 3), 1.5, 1.5);
    return image;
}

QImage rowMarker() {
    QImage image = blank(22, 53);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(RED);
    p.drawRoundedRect(QRectF(2, 6, 3, 41), 1.5, 1.5);
    QPainterPath arrow;
    arrow.moveTo(9, 20);
    arrow.lineTo(17, 26.5);
    arrow.lineTo(9, 33);
    arrow.closeSubpath();
    p.setBrush(EDGE_LIGHT);
    p.drawPath(arrow);
    return image;
}

// The car seen from above for the delay-link dialog, 493 × 562: the body between the
// source buttons of both sides, seats, windows, and the speaker places of the slots.
QImage carPicture() {
    QImage image = opaque(493, 562);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    QRadialGradient back(QPointF(246, 281), 420);
    back.setColorAt(0, QColor(0x2a, 0x2d, 0x33));
    back.setColorAt(1, QColor(0x10, 0x11, 0x14));
    p.fillRect(image.rect(), back);

    // Body.
    QPainterPath body;
    body.moveTo(246, 12);
    body.cubicTo(330, 12, 372, 40, 378, 110);
    body.lineTo(382, 450);
    body.cubicTo(380, 520, 340, 548, 246, 550);
    body.cubicTo(152, 548, 112, 520, 110, 450);
    body.lineTo(114, 110);
    body.cubicTo(120, 40, 162, 12, 246, 12);
    QLinearGradient paint(QPointF(110, 0), QPointF(382, 0));
    paint.setColorAt(0, QColor(0x3b, 0x40, 0x47));
    paint.setColorAt(0.5, QColor(0x55, 0x5b, 0x64));
    paint.setColorAt(1, QColor(0x3b, 0x40, 0x47));
    p.setPen(QPen(QColor(0x80, 0x87, 0x91), 2));
    p.setBrush(paint);
    p.drawPath(body);

    // Glass: windscreen, rear window and the cabin.
    QPainterPath cabin;
    cabin.addRoundedRect(QRectF(140, 96, 212, 330), 30, 30);
    p.setPen(QPen(QColor(0x1a, 0x1c, 0x20), 2));
    p.setBrush(QColor(0x1d, 0x20, 0x25));
    p.drawPath(cabin);
    p.setBrush(QColor(0x2c, 0x3a, 0x4a));
    p.drawRoundedRect(QRectF(156, 92, 180, 16), 8, 8);
    p.drawRoundedRect(QRectF(160, 414, 172, 16), 8, 8);

    // Seats: two in front, a bench behind.
    const auto seat = [&](const QRectF& r) {
        face(p, r, QColor(0x4a, 0x4f, 0x57), QColor(0x2a, 0x2e, 0x34), QColor(0x16, 0x18, 0x1b), 8);
        p.setPen(QPen(QColor(0, 0, 0, 90), 1));
        p.drawLine(QPointF(r.left() + 6, r.top() + r.height() * 0.72),
                   QPointF(r.right() - 6, r.top() + r.height() * 0.72));
    };
    seat(QRectF(160, 140, 72, 96));
    seat(QRectF(260, 140, 72, 96));
    seat(QRectF(160, 300, 172, 90));
    // Steering wheel.
    p.setPen(QPen(QColor(0x0e, 0x0f, 0x11), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(196, 124), 20, 8);

    // Speaker places (the seat areas the dialog fills with group colours) get a ring.
    p.setPen(QPen(QColor(0x9a, 0xa1, 0xab), 1.2));
    p.setBrush(QColor(0x15, 0x17, 0x1a));
    for (double y : {111.0, 161.0, 211.0, 311.0, 361.0}) {
        p.drawRoundedRect(QRectF(105.5, y - 1.5, 26, 36), 5, 5);
        p.drawRoundedRect(QRectF(345.5, y - 1.5, 26, 36), 5, 5);
    }
    p.drawRoundedRect(QRectF(224.5, 45.5, 36, 26), 5, 5);
    p.drawRoundedRect(QRectF(224.5, 465.5, 36, 26), 5, 5);

    // Mirrors and wheels.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0b, 0x0c, 0x0e));
    for (const QRectF& wheel : {QRectF(96, 60, 14, 44), QRectF(383, 60, 14, 44),
                                QRectF(96, 452, 14, 44), QRectF(383, 452, 14, 44)}) {
        p.drawRoundedRect(wheel, 5, 5);
    }
    return image;
}

// The application icon: an EQ curve over lit faders on a graphite tile.
QImage icon() {
    QImage image = blank(256, 256);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    const QRectF tile(8, 8, 240, 240);
    QLinearGradient back(tile.topLeft(), tile.bottomLeft());
    back.setColorAt(0, QColor(0x33, 0x37, 0x3e));
    back.setColorAt(1, QColor(0x12, 0x13, 0x16));
    p.setPen(QPen(QColor(0x5a, 0x60, 0x69), 3));
    p.setBrush(back);
    p.drawRoundedRect(tile, 44, 44);
    const double heights[] = {70, 110, 150, 120, 90, 130, 100};
    for (int i = 0; i < 7; ++i) {
        const double x = 44 + i * 26;
        const QRectF bar(x, 210 - heights[i], 16, heights[i]);
        QLinearGradient fill(bar.bottomLeft(), bar.topLeft());
        fill.setColorAt(0, RED_DEEP);
        fill.setColorAt(0.6, RED);
        fill.setColorAt(1, ORANGE);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(bar, 4, 4);
    }
    QPainterPath curve;
    curve.moveTo(36, 150);
    curve.cubicTo(90, 60, 140, 170, 220, 80);
    p.setPen(QPen(QColor(0xf4, 0xf6, 0xf8), 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return image;
}

}  // namespace

void addBitmapArt(ArtSet& set) {
    set.push_back({"bitmap", 129, progressBitmap(false)});
    set.push_back({"bitmap", 130, progressBitmap(true)});
    set.push_back({"bitmap", 149, stripBackground()});
    set.push_back({"bitmap", 169, routingCell()});
    set.push_back({"bitmap", 171, columnFooter()});
    set.push_back({"bitmap", 177, carPicture()});
    set.push_back({"bitmap", 179, rowMarker()});
    set.push_back({"icon", 128, icon()});
    // The desktop's icon theme sizes, each file named after its size.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        set.push_back({"icon/hicolor", size,
                       icon().scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)});
    }
}

}  // namespace tq370::art
