#include <QPainterPath>

#include "art_set.h"
#include "painting.h"
#include "palette.h"

namespace tq370::art {

namespace {

// Frame roles of every button strip.
enum Frame { NORMAL = 0, ON = 1, HOVER = 2, DISABLED = 3 };

// Title-row window buttons: a glyph on a transparent face, lit on press.
QImage windowButton(int width, const QColor& lit, const QColor& litDeep,
                    const std::function<void(QPainter&, const QRectF&, const QColor&)>& glyph) {
    return strip(width, 20, 4, [&](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == ON) litFace(p, inner, lit, litDeep, 3);
        if (f == HOVER) hoverVeil(p, inner, 3);
        const QColor colour = f == ON ? QColor(Qt::white) : f == DISABLED ? GLYPH_DIM : GLYPH;
        if (f != HOVER) glyph(p, QRectF(r.center().x() - 5, r.center().y() - 5, 10, 10), colour);
    });
}

// A button face in four looks: grey, lit, hover veil, dimmed grey.
QImage faceStrip(int width, int height, int frames, const QColor& lit, const QColor& litDeep,
                 double radius) {
    return strip(width, height, frames, [&](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        switch (f) {
            case NORMAL:
                face(p, inner, PANEL_TOP, PANEL, PANEL_DEEP, radius);
                break;
            case ON:
                litFace(p, inner, lit, litDeep, radius);
                break;
            case HOVER:
                hoverVeil(p, inner, radius);
                break;
            default:
                face(p, inner, PANEL_RAISED, PANEL_DEEP, PANEL_DEEP, radius);
                break;
        }
    });
}

void closeGlyph(QPainter& p, const QRectF& r, const QColor& c) {
    crossGlyph(p, r.adjusted(1, 1, -1, -1), c, 1.6);
}

void maximiseGlyph(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.drawLine(QPointF(r.left(), r.top() + 2), QPointF(r.right(), r.top() + 2));
}

void minimiseGlyph(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(r.right() - 1, r.bottom() - 1));
}

// The link-status pill: a lamp at the left, dark body, coloured rim.
QImage statusStrip() {
    return strip(82, 18, 4, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == HOVER) {
            hoverVeil(p, inner, 8);
            return;
        }
        const QColor colour = f == NORMAL ? RED : f == ON ? GREEN : GLYPH_DIM;
        face(p, inner, PANEL_RAISED, PANEL_DEEP, f == DISABLED ? EDGE : colour.darker(200), 8);
        lamp(p, QPointF(r.left() + 9, r.center().y()), 3.5, colour, f != DISABLED);
    });
}

QImage lampStrip() {
    return strip(14, 14, 4, [](QPainter& p, int f, const QRectF& r) {
        const QPointF c = r.center();
        if (f == HOVER) {
            p.setPen(QPen(QColor(255, 255, 255, 150), 1));
            p.setBrush(QColor(255, 255, 255, 30));
            p.drawEllipse(c, 6, 6);
            return;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(PANEL_DEEP);
        p.drawEllipse(c, 6.8, 6.8);
        lamp(p, c, 5, f == ON ? GREEN : f == DISABLED ? PANEL_RAISED : GLYPH_DIM, f == ON);
    });
}

QImage comboFaces() {
    return strip(72, 17, 2, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(0, 0, 0, 0);
        face(p, inner, SILVER_TOP, SILVER_BOTTOM, f == 1 ? ORANGE : QColor(0x5a, 0x5f, 0x66), 3);
        // Drop-down well with its arrow.
        const QRectF well(r.right() - 9, r.top() + 2, 8, r.height() - 4);
        p.setPen(Qt::NoPen);
        p.setBrush(f == 1 ? ORANGE : QColor(0x4a, 0x4f, 0x56));
        p.drawRoundedRect(well, 2, 2);
        QPainterPath arrow;
        const QPointF c = well.center() + QPointF(0, 1);
        arrow.moveTo(c + QPointF(-2.5, -2));
        arrow.lineTo(c + QPointF(2.5, -2));
        arrow.lineTo(c + QPointF(0, 2));
        arrow.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(arrow);
    });
}

// Speaker icons: on (green), muted (red, crossed), hover veil, disabled.
QImage speakerStrip(int width, int height) {
    return strip(width, height, 4, [&](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == HOVER) {
            hoverVeil(p, inner, 4);
            return;
        }
        face(p, inner, PANEL_RAISED, PANEL_DEEP, PANEL_DEEP, 4);
        const double s = height - 8;
        const QRectF glyph(r.center().x() - s * 0.55, r.top() + 4, s * 0.8, s);
        const QColor colour = f == NORMAL ? GREEN : f == ON ? RED : GLYPH_DIM;
        speakerGlyph(p, glyph, colour);
        // Sound waves when on, a cross when muted.
        const QRectF waves(glyph.right() - 1, glyph.top() + s * 0.2, s * 0.5, s * 0.6);
        if (f == ON) {
            crossGlyph(p, waves.adjusted(1, 1, 0, -1), RED_HOT, 1.6);
        } else {
            p.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(waves.adjusted(-waves.width() * 0.6, 0, 0, 0), -50 * 16, 100 * 16);
            p.drawArc(waves.adjusted(-waves.width() * 1.2, -2, waves.width() * 0.2, 2), -50 * 16,
                      100 * 16);
        }
    });
}

// The mute toggle of a channel strip: a speaker, lit red and crossed when muted.
QImage muteStrip() {
    return strip(33, 19, 4, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == HOVER) {
            hoverVeil(p, inner, 4);
            return;
        }
        if (f == ON) {
            litFace(p, inner, RED, RED_DEEP, 4);
        } else {
            face(p, inner, PANEL_TOP, PANEL, PANEL_DEEP, 4);
        }
        const QColor colour = f == ON ? QColor(Qt::white) : f == DISABLED ? GLYPH_DIM : GLYPH;
        const QRectF glyph(r.left() + 8, r.top() + 4, 9, 11);
        speakerGlyph(p, glyph, colour);
        if (f == ON) {
            crossGlyph(p, QRectF(r.left() + 19, r.top() + 6, 6, 7), Qt::white, 1.5);
        } else {
            p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(r.left() + 13, r.top() + 5, 8, 9), -50 * 16, 100 * 16);
            p.drawArc(QRectF(r.left() + 13, r.top() + 3, 12, 13), -50 * 16, 100 * 16);
        }
    });
}

// Speaker-type buttons of the car layout: a round driver seen from the front, grey when
// idle and lit red when selected. `big` draws a subwoofer with a larger cone;
// innerSide -1 or +1 marks the edge that faces the middle of the car.
QImage driverStrip(int width, int height, bool big, int innerSide) {
    return strip(width, height, 4, [&](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == HOVER) {
            hoverVeil(p, inner, 4, ORANGE_HOT);
            return;
        }
        if (f == ON) {
            litFace(p, inner, RED, RED_DEEP, 4);
        } else {
            face(p, inner, PANEL_TOP, PANEL_DEEP, PANEL_DEEP, 4);
        }
        const QColor rim = f == ON ? QColor(Qt::white) : f == DISABLED ? GLYPH_DIM : GLYPH;
        if (innerSide != 0) {
            const double x = innerSide > 0 ? inner.right() - 3 : inner.left() + 1.5;
            p.setPen(Qt::NoPen);
            p.setBrush(f == ON ? ORANGE_HOT : f == DISABLED ? PANEL_RAISED : EDGE_LIGHT);
            p.drawRoundedRect(QRectF(x, inner.top() + 6, 1.5, inner.height() - 12), 0.75, 0.75);
        }
        const double radius = std::min(inner.width(), inner.height()) * (big ? 0.42 : 0.36);
        const QPointF c = inner.center();
        p.setPen(QPen(rim, 1.3));
        p.setBrush(f == ON ? RED_DEEP : PANEL_DEEP);
        p.drawEllipse(c, radius, radius);
        p.setPen(QPen(rim, 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, radius * 0.62, radius * 0.62);
        p.setPen(Qt::NoPen);
        p.setBrush(rim);
        p.drawEllipse(c, radius * 0.25, radius * 0.25);
    });
}

QImage linkStrip() {
    return strip(89, 22, 2, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == ON) {
            litFace(p, inner, RED, RED_DEEP, 5);
        } else {
            face(p, inner, PANEL_TOP, PANEL, PANEL_DEEP, 5);
        }
        // Two chain links at the left, where the caption leaves room.
        const QColor colour = f == ON ? QColor(Qt::white) : GLYPH;
        p.setPen(QPen(colour, 1.6));
        p.setBrush(Qt::NoBrush);
        const double y = r.center().y();
        p.drawRoundedRect(QRectF(r.left() + 5, y - 3, 8, 6), 3, 3);
        p.drawRoundedRect(QRectF(r.left() + 10, y - 3, 8, 6), 3, 3);
    });
}

QImage menuButtonStrip() {
    return strip(89, 22, 4, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        switch (f) {
            case NORMAL:
                face(p, inner, PANEL_TOP, PANEL, PANEL_DEEP, 5);
                break;
            case ON:
                litFace(p, inner, RED, RED_DEEP, 5);
                break;
            case HOVER:
                hoverVeil(p, inner, 5, ORANGE);
                break;
            default:
                face(p, inner, ORANGE_DEEP.darker(180), PANEL_DEEP, ORANGE_DEEP.darker(150), 5);
                break;
        }
    });
}

QImage powerStrip() {
    return strip(34, 17, 4, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        if (f == HOVER) {
            hoverVeil(p, inner, 7);
            return;
        }
        face(p, inner, PANEL_RAISED, PANEL_DEEP, PANEL_DEEP, 7);
        const QColor colour = f == ON         ? GREEN
                              : f == NORMAL   ? GLYPH
                              : f == DISABLED ? GLYPH_DIM
                                              : RED;
        const QPointF c = r.center();
        if (f == ON) {
            QColor glow = GREEN;
            glow.setAlpha(60);
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(c, 7, 7);
        }
        p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 4.5, c.y() - 4, 9, 9), 125 * 16, 290 * 16);
        p.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() - 0.5));
    });
}

// Channel-copy source buttons: black, blue when chosen, hover veil, red when disabled
// (a member of another group).
QImage sourceStrip() {
    return strip(23, 19, 4, [](QPainter& p, int f, const QRectF& r) {
        const QRectF inner = r.adjusted(2, 1, -2, -1);
        switch (f) {
            case NORMAL:
                face(p, inner, PANEL_RAISED, PANEL_DEEP, EDGE, 4);
                lamp(p, inner.center(), 3, GLYPH_DIM, false);
                break;
            case ON:
                litFace(p, inner, BLUE, BLUE_DEEP, 4);
                lamp(p, inner.center(), 3, BLUE_HOT, true);
                break;
            case HOVER:
                hoverVeil(p, inner, 4);
                break;
            default:
                litFace(p, inner, RED, RED_DEEP, 4);
                break;
        }
    });
}

// Mostly blank frames that tile seamlessly: a faint underline, a slightly lighter veil
// for the hover frame.
QImage blankStrip() {
    return strip(48, 19, 4, [](QPainter& p, int f, const QRectF& r) {
        if (f == DISABLED) return;
        if (f == HOVER) p.fillRect(r, QColor(255, 255, 255, 22));
        p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), QColor(255, 255, 255, 28));
    });
}

}  // namespace

void addButtonArt(ArtSet& set) {
    set.push_back({"png", 136, windowButton(47, RED, RED_DEEP, closeGlyph)});
    set.push_back({"png", 137, windowButton(28, BLUE, BLUE_DEEP, maximiseGlyph)});
    set.push_back({"png", 138, windowButton(28, BLUE, BLUE_DEEP, minimiseGlyph)});
    set.push_back({"png", 139, statusStrip()});
    set.push_back({"png", 142, lampStrip()});
    set.push_back({"png", 143, faceStrip(65, 25, 4, ORANGE, ORANGE_DEEP, 5)});
    set.push_back({"png", 145, comboFaces()});
    set.push_back({"png", 147, speakerStrip(40, 21)});
    set.push_back({"png", 148, faceStrip(45, 21, 4, ORANGE, ORANGE_DEEP, 4)});
    set.push_back({"png", 150, blankStrip()});
    set.push_back({"png", 151, faceStrip(16, 16, 4, RED, RED_DEEP, 3)});
    set.push_back({"png", 152, muteStrip()});
    set.push_back({"png", 153, driverStrip(33, 23, false, 0)});
    set.push_back({"png", 154, driverStrip(23, 33, false, 1)});
    set.push_back({"png", 155, driverStrip(23, 33, false, -1)});
    set.push_back({"png", 156, driverStrip(33, 23, true, 0)});
    set.push_back({"png", 157, linkStrip()});
    set.push_back({"png", 159, menuButtonStrip()});
    set.push_back({"png", 174, powerStrip()});
    set.push_back({"png", 178, sourceStrip()});
}

}  // namespace tq370::art
