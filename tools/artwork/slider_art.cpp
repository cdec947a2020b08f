#include <QLinearGradient>
#include <QPainterPath>

#include "art_set.h"
#include "controls/slider_geometry.h"
#include "painting.h"
#include "palette.h"

namespace tq370::art {

namespace {

constexpr double GROOVE = 4;  // groove thickness across the track

// A slider groove, lit (red) or idle (dark), shaded across its width.
void groove(QPainter& p, const QRectF& groove, bool lit) {
    p.setPen(QPen(PANEL_DEEP, 1));
    p.setBrush(PANEL_DEEP);
    p.drawRoundedRect(groove.adjusted(-1, -1, 1, 1), 3, 3);
    const bool horizontal = groove.width() > groove.height();
    QLinearGradient fill(groove.topLeft(), horizontal ? groove.bottomLeft() : groove.topRight());
    if (lit) {
        fill.setColorAt(0, RED_HOT);
        fill.setColorAt(1, RED_DEEP);
    } else {
        fill.setColorAt(0, QColor(0x0c, 0x0d, 0x0f));
        fill.setColorAt(1, PANEL_RAISED);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(groove, 2, 2);
}

// A horizontal groove from x0 to x1 centred on y.
void horizontalGroove(QPainter& p, double x0, double x1, double y, bool lit) {
    groove(p, QRectF(x0, y - GROOVE / 2, x1 - x0, GROOVE), lit);
}

void verticalGroove(QPainter& p, double x, double y0, double y1, bool lit) {
    groove(p, QRectF(x - GROOVE / 2, y0, GROOVE, y1 - y0), lit);
}

// A horizontal knob: brushed-metal cap with a centre mark, orange when focused.
void horizontalKnob(QPainter& p, const QRectF& r, bool focused) {
    const QRectF cap = r.adjusted(2, 0.5, -2, -0.5);
    face(p, cap, SILVER_TOP, SILVER_BOTTOM.darker(120), focused ? ORANGE : QColor(0x30, 0x33, 0x38),
         3);
    p.setPen(QPen(focused ? ORANGE : RED, 2));
    p.drawLine(QPointF(cap.center().x(), cap.top() + 2.5),
               QPointF(cap.center().x(), cap.bottom() - 2.5));
}

// A vertical fader cap: dark ridged cap with a lit centre line.
void faderCap(QPainter& p, const QRectF& r, bool focused) {
    const QRectF cap = r.adjusted(1.5, 2, -1.5, -2);
    face(p, cap, QColor(0x55, 0x5b, 0x64), QColor(0x22, 0x25, 0x2a),
         focused ? ORANGE : QColor(0x0e, 0x0f, 0x11), 2.5);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (double dy : {-4.0, 4.0}) {
        p.drawLine(QPointF(cap.left() + 3, cap.center().y() + dy),
                   QPointF(cap.right() - 3, cap.center().y() + dy));
    }
    p.setPen(QPen(focused ? ORANGE_HOT : QColor(0xf2, 0xf2, 0xf2), 2));
    p.drawLine(QPointF(cap.left() + 2, cap.center().y()),
               QPointF(cap.right() - 2, cap.center().y()));
}

// Horizontal slider artwork: two tracks stacked (lit first), thumbs at the style's
// source rectangles.
QImage horizontalSlider(int styleRow, int width, int height, bool ticked) {
    const SliderStyle& s = SLIDER_STYLES[styleRow];
    QImage image = blank(width, height);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    for (int t = 0; t < 2; ++t) {
        const double top = t * s.imageHeight;
        const double y = top + s.crossPosition;
        if (ticked) {
            p.setPen(QPen(t == 0 ? QColor(0xff, 0x9a, 0x8a, 200) : EDGE_LIGHT, 1));
            for (int i = 0; i <= 10; ++i) {
                const double x = s.trackStart + i * (s.trackEnd - s.trackStart) / 10.0;
                const double length = i % 5 == 0 ? 6 : 3.5;
                p.drawLine(QPointF(x + 0.5, top + 13), QPointF(x + 0.5, top + 13 + length));
            }
        }
        horizontalGroove(p, s.trackStart - 2, s.trackEnd + 2, y, t == 0);
    }
    const auto knob = [&](const QRect& source, bool focused) {
        const QRectF r(source);
        if (ticked) {
            // A pointer knob: the cap over the groove and a point towards the ticks.
            horizontalKnob(p, QRectF(r.left(), r.top(), r.width(), 14), focused);
            QPainterPath point;
            point.moveTo(r.center().x() - 3, r.top() + 13.5);
            point.lineTo(r.center().x() + 3, r.top() + 13.5);
            point.lineTo(r.center().x(), r.top() + 18);
            point.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(focused ? ORANGE : SILVER_BOTTOM);
            p.drawPath(point);
        } else {
            horizontalKnob(p, r, focused);
        }
    };
    knob(s.normalThumb, false);
    knob(s.focusedThumb, true);
    return image;
}

// The graphic-EQ fader: two tracks side by side (idle first, lit second) with a scale,
// and fader caps at the style's thumb rows.
QImage verticalSlider() {
    const SliderStyle& s = SLIDER_STYLES[16];
    QImage image = blank(44, 230);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing);
    for (int t = 0; t < 2; ++t) {
        const double left = t * s.imageWidth;
        const double x = left + s.crossPosition;
        // Scale marks every 5 dB, the 0 dB mark longer.
        for (int i = 0; i <= 8; ++i) {
            const double y = s.trackEnd + i * (s.trackStart - s.trackEnd) / 8.0;
            const bool zero = i == 4;
            p.setPen(QPen(zero ? EDGE_LIGHT.lighter(130) : EDGE_LIGHT, 1));
            const double length = zero ? 5 : 3;
            p.drawLine(QPointF(left + 1, y + 0.5), QPointF(left + 1 + length, y + 0.5));
            p.drawLine(QPointF(left + s.imageWidth - 1 - length, y + 0.5),
                       QPointF(left + s.imageWidth - 1, y + 0.5));
        }
        verticalGroove(p, x, s.trackEnd - 2, s.trackStart + 2, t == 1);
    }
    faderCap(p, QRectF(0, s.normalThumb.top(), s.imageWidth, s.normalThumb.height()), false);
    faderCap(p, QRectF(0, s.focusedThumb.top(), s.imageWidth, s.focusedThumb.height()), true);
    return image;
}

}  // namespace

void addSliderArt(ArtSet& set) {
    set.push_back({"png", 135, horizontalSlider(15, 277, 28, false)});
    set.push_back({"png", 141, verticalSlider()});
    set.push_back({"png", 146, horizontalSlider(17, 413, 28, false)});
    set.push_back({"png", 173, horizontalSlider(11, 145, 56, true)});
}

}  // namespace tq370::art
