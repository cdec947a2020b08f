#include "app/main_window_background.h"

#include <QLinearGradient>
#include <QPainter>

#include "app/design_layout.h"

namespace tq370 {
namespace {

const QColor DEEP(0x13, 0x15, 0x18);
const QColor PANEL(0x1e, 0x21, 0x25);
const QColor RAISED(0x2a, 0x2e, 0x34);
const QColor EDGE(0x45, 0x4b, 0x54);
const QColor RED(0xe5, 0x24, 0x2c);

// Design rows: the title row ends at 23, the master-volume row at 54, the strips at 160.
constexpr int TITLE_BOTTOM = TITLE_ROW_HEIGHT;
constexpr int MASTER_BOTTOM = 54;

void band(QPainter& p, const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillRect(r, fill);
}

void line(QPainter& p, double y, double width, QColor colour) {
    p.fillRect(QRectF(0, y, width, 1), colour);
}

}  // namespace

QImage mainWindowBackground(QSize client) {
    QImage image(client.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    const Scale scale = Scale::forClient(client);
    const double w = client.width();
    const double titleBottom = TITLE_BOTTOM * scale.sy;
    const double masterBottom = MASTER_BOTTOM * scale.sy;
    const double stripsBottom = EQ_PANEL_RECT.top * scale.sy;

    QPainter p(&image);
    p.fillRect(image.rect(), DEEP);
    band(p, QRectF(0, 0, w, titleBottom), RAISED, PANEL);
    line(p, titleBottom, w, RED.darker(160));
    band(p, QRectF(0, titleBottom + 1, w, masterBottom - titleBottom - 1), PANEL, DEEP);
    line(p, masterBottom, w, EDGE.darker(140));
    band(p, QRectF(0, stripsBottom, w, client.height() - stripsBottom), PANEL, DEEP);
    line(p, stripsBottom, w, EDGE);
    return image;
}

}  // namespace tq370
