#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <thread>
#include <vector>

#include "controls/message_window.h"

namespace tq370::test {

struct Message {
    unsigned message;
    WParam wParam;
    LParam lParam;
    bool operator==(const Message&) const = default;
};

// A host window that records every message it receives (and on which thread).
class MessageRecorder : public MessageWindow {
public:
    MessageRecorder();

    std::vector<Message> messages;
    std::vector<std::thread::id> threads;
    LResult reply = 0;

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;
};

// Runs posted events and pending paints.
void processEvents();

// Mouse and keyboard input delivered to a widget at points in its own coordinates.
void press(QWidget& widget, QPoint at);
void moveTo(QWidget& widget, QPoint at, bool buttonDown);
void release(QWidget& widget, QPoint at);
void click(QWidget& widget, QPoint at);
void drag(QWidget& widget, QPoint from, QPoint to);
// One wheel notch: +1 away from the user, -1 towards.
void wheel(QWidget& widget, QPoint at, int notches);
void key(QWidget& widget, int qtKey);
void typeText(QWidget& widget, const QString& text);
// Gives the widget the keyboard focus inside its (shown and active) window.
void focus(QWidget& widget);

// The first x in row y, from `from` on, where the two images differ; -1 when none.
int firstDifference(const QImage& a, const QImage& b, int y, int from = 0);

}  // namespace tq370::test
