#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

#include "controls/value_box.h"
#include "ui/ui_harness.h"

namespace tq370::test {

// What a person does to the program's controls, on the offscreen platform.

// Clicks into the box, replaces its text and confirms with Enter.
inline void typeInto(ValueBox& box, const QString& text) {
    focus(box);
    box.editField().selectAll();
    typeText(box.editField(), text);
    key(box.editField(), Qt::Key_Return);
}

// Runs act on the next modal window (a message box or dialog) once it is open, from
// inside its own event loop; the call that opens it then returns as the act leaves it.
// A window that does not open within ten seconds is no longer waited for.
inline void whenModalOpens(std::function<void(QWidget&)> act) {
    constexpr int POLL_MS = 5;
    constexpr int POLLS = 2000;
    auto* poll = new QTimer(qApp);
    poll->setInterval(POLL_MS);
    auto left = std::make_shared<int>(POLLS);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, left, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && --*left > 0) return;
        poll->stop();
        poll->deleteLater();
        if (modal) act(*modal);
    });
    poll->start();
}

// The button of a message box or dialog with this caption; null when there is none.
inline QAbstractButton* buttonCaptioned(QWidget& window, const QString& caption) {
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->text() == caption) return b;
    }
    return nullptr;
}

inline void clickCaptioned(QWidget& window, const QString& caption) {
    if (QAbstractButton* b = buttonCaptioned(window, caption)) b->click();
}

}  // namespace tq370::test
