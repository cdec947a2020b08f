#include "painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace tq370::art {

QImage blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage strip(int frameWidth, int height, int frames,
             const std::function<void(QPainter&, int, const QRectF&)>& draw) {
    QImage image = blank(frameWidth * frames, height);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    for (int f = 0; f < frames; ++f) {
        p.save();
        const QRectF r(f * frameWidth, 0, frameWidth, height);
        p.setClipRect(r);
        draw(p, f, r);
        p.restore();
    }
    return image;
}

void face(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
          const QColor& border, double radius) {
    const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(gradient);
    p.drawRoundedRect(box, radius, radius);
    // Top highlight line inside the border.
    QColor highlight = Qt::white;
    highlight.setAlpha(38);
    p.setPen(QPen(highlight, 1));
    p.drawLine(QPointF(box.left() + radius, box.top() + 1),
               QPointF(box.right() - radius, box.top() + 1));
}

void litFace(QPainter& p, const QRectF& r, const QColor& colour, const QColor& deep,
             double radius) {
    face(p, r, colour.lighter(115), deep, deep.darker(140), radius);
    QRadialGradient glow(r.center(), std::max(r.width(), r.height()) * 0.6);
    QColor hot = colour.lighter(150);
    hot.setAlpha(90);
    glow.setColorAt(0, hot);
    glow.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
}

void hoverVeil(QPainter& p, const QRectF& r, double radius, const QColor& tint) {
    QColor fill = tint;
    fill.setAlpha(34);
    QColor rim = tint;
    rim.setAlpha(120);
    p.setPen(QPen(rim, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void lamp(QPainter& p, const QPointF& centre, double radius, const QColor& colour, bool lit) {
    if (lit) {
        QRadialGradient halo(centre, radius * 1.9);
        QColor glow = colour;
        glow.setAlpha(120);
        halo.setColorAt(0.45, glow);
        halo.setColorAt(1, Qt::transparent);
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(centre, radius * 1.9, radius * 1.9);
    }
    QRadialGradient body(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
    body.setColorAt(0, colour.lighter(lit ? 160 : 125));
    body.setColorAt(0.6, colour);
    body.setColorAt(1, colour.darker(170));
    p.setPen(QPen(colour.darker(220), 1));
    p.setBrush(body);
    p.drawEllipse(centre, radius - 0.5, radius - 0.5);
    QColor valueFormat = Qt::white;
    valueFormat.setAlpha(lit ? 170 : 70);
    p.setPen(Qt::NoPen);
    p.setBrush(valueFormat);
    p.drawEllipse(centre - QPointF(radius * 0.32, radius * 0.38), radius * 0.32, radius * 0.22);
}

void speakerGlyph(QPainter& p, const QRectF& r, const QColor& colour) {
    const double h = r.height();
    const double boxW = h * 0.32;
    const QRectF box(r.left(), r.center().y() - h * 0.2, boxW, h * 0.4);
    QPainterPath cone;
    cone.moveTo(box.right(), box.top());
    cone.lineTo(box.right() + h * 0.42, r.top());
    cone.lineTo(box.right() + h * 0.42, r.bottom());
    cone.lineTo(box.right(), box.bottom());
    cone.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(box, 1, 1);
    p.drawPath(cone);
}

void crossGlyph(QPainter& p, const QRectF& r, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

}  // namespace tq370::art
