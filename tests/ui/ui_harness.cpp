#include "ui_harness.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace tq370::test {

MessageRecorder::MessageRecorder() {
    resize(400, 300);
}

LResult MessageRecorder::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    messages.push_back({message, wParam, lParam});
    threads.push_back(std::this_thread::get_id());
    return reply;
}

void processEvents() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

namespace {

void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

void press(QWidget& widget, QPoint at) {
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void moveTo(QWidget& widget, QPoint at, bool buttonDown) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton,
              buttonDown ? Qt::LeftButton : Qt::NoButton);
}

void release(QWidget& widget, QPoint at) {
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void click(QWidget& widget, QPoint at) {
    press(widget, at);
    release(widget, at);
}

void drag(QWidget& widget, QPoint from, QPoint to) {
    press(widget, from);
    moveTo(widget, (from + to) / 2, true);
    moveTo(widget, to, true);
    release(widget, to);
}

void wheel(QWidget& widget, QPoint at, int notches) {
    QWheelEvent event(QPointF(at), widget.mapToGlobal(QPointF(at)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&widget, &event);
}

void key(QWidget& widget, int qtKey) {
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(&widget, &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(&widget, &up);
}

void typeText(QWidget& widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent down(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&widget, &down);
    }
}

void focus(QWidget& widget) {
    QWidget* window = widget.window();
    window->show();
    QApplication::setActiveWindow(window);
    widget.setFocus(Qt::OtherFocusReason);
    processEvents();
}

int firstDifference(const QImage& a, const QImage& b, int y, int from) {
    const int width = std::min(a.width(), b.width());
    for (int x = from; x < width; ++x) {
        if (a.pixel(x, y) != b.pixel(x, y)) return x;
    }
    return -1;
}

}  // namespace tq370::test
