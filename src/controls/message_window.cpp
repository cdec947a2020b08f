#include "controls/message_window.h"

#include <QCoreApplication>
#include <QEvent>

namespace tq370 {

namespace {

class PostedMessage : public QEvent {
public:
    static QEvent::Type eventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    PostedMessage(unsigned message, WParam wParam, LParam lParam)
        : QEvent(eventType()), message(message), wParam(wParam), lParam(lParam) {}

    const unsigned message;
    const WParam wParam;
    const LParam lParam;
};

}  // namespace

MessageWindow::MessageWindow(QWidget* parent, int controlId)
    : QWidget(parent), controlId_(controlId) {}

LResult MessageWindow::send(MessageWindow* target, unsigned message, WParam wParam, LParam lParam) {
    if (target == nullptr) return 0;
    return target->handleMessage(message, wParam, lParam);
}

void MessageWindow::post(MessageWindow* target, unsigned message, WParam wParam, LParam lParam) {
    if (target == nullptr) return;
    QCoreApplication::postEvent(target, new PostedMessage(message, wParam, lParam));
}

MessageWindow* MessageWindow::parentWindow() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* window = dynamic_cast<MessageWindow*>(w)) return window;
    }
    return nullptr;
}

void MessageWindow::copyIntoPicture(QPaintDevice& picture) {
    const QPoint offset = isWindow() ? QPoint(0, 0) : mapTo(window(), QPoint(0, 0));
    render(&picture, offset, QRegion(), QWidget::DrawChildren);
}

LResult MessageWindow::handleMessage(unsigned, WParam, LParam) {
    return 0;
}

LResult MessageWindow::sendToParent(WParam wParam, LParam lParam) {
    return send(parentWindow(), static_cast<unsigned>(controlId_), wParam, lParam);
}

void MessageWindow::postToParent(WParam wParam, LParam lParam) {
    post(parentWindow(), static_cast<unsigned>(controlId_), wParam, lParam);
}

bool MessageWindow::event(QEvent* event) {
    if (event->type() == PostedMessage::eventType()) {
        const auto* posted = static_cast<PostedMessage*>(event);
        handleMessage(posted->message, posted->wParam, posted->lParam);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tq370
