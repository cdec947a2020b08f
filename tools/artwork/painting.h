#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <functional>

// Small drawing helpers shared by the artwork painters.
namespace tq370::art {

// A transparent image of the given size with an antialiased painter ready.
QImage blank(int width, int height);

// n frames of frameWidth × height side by side; draw(painter, frame, rect) paints one.
QImage strip(int frameWidth, int height, int frames,
             const std::function<void(QPainter&, int, const QRectF&)>& draw);

// A rounded face lit from above: vertical gradient, 1-pixel border, top highlight.
void face(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
          const QColor& border, double radius);

// A lit face: a face in the colour with a soft inner glow.
void litFace(QPainter& p, const QRectF& r, const QColor& colour, const QColor& deep, double radius);

// The hover overlay: a faint light veil with a light rim.
void hoverVeil(QPainter& p, const QRectF& r, double radius, const QColor& tint = Qt::white);

// A round lamp with a specular highlight; lit lamps get a halo.
void lamp(QPainter& p, const QPointF& centre, double radius, const QColor& colour, bool lit);

// A loudspeaker glyph (box and cone) fitting the rectangle, facing right.
void speakerGlyph(QPainter& p, const QRectF& r, const QColor& colour);

// A diagonal cross over the rectangle.
void crossGlyph(QPainter& p, const QRectF& r, const QColor& colour, double width);

}  // namespace tq370::art
