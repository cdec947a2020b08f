#include "stage.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace tq370::gallery {

Stage::Stage(int width, int height) {
    resize(width, height);
    setWindowFlags(Qt::FramelessWindowHint);
    show();
    QApplication::setActiveWindow(this);
}

QImage Stage::snapshot() {
    QApplication::processEvents();
    return grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void Stage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient back(0, 0, 0, height());
    back.setColorAt(0, QColor(0x26, 0x29, 0x2e));
    back.setColorAt(1, QColor(0x1b, 0x1d, 0x21));
    painter.fillRect(rect(), back);
}

namespace {

void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const QPointF global = widget.mapToGlobal(QPointF(at));
    QMouseEvent event(type, QPointF(at), global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

void mouseMove(QWidget& widget, QPoint at) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton);
}

void mousePress(QWidget& widget, QPoint at) {
    widget.setFocus(Qt::MouseFocusReason);
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
}

}  // namespace tq370::gallery
