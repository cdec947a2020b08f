#pragma once

#include <QWidget>

#include <cstdint>

namespace tq370 {

using WParam = std::intptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// The base of every control, panel and dialog: a widget that receives numbered messages
// with two parameters. Controls tell their parent about a user's change with a message
// whose number is their own control identifier.
class MessageWindow : public QWidget {
public:
    explicit MessageWindow(QWidget* parent = nullptr, int controlId = 0);

    int controlId() const { return controlId_; }
    void setControlId(int id) { controlId_ = id; }

    // Calls the target's handler at once and returns its result; UI thread only. A null
    // target is ignored (result 0).
    static LResult send(MessageWindow* target, unsigned message, WParam wParam, LParam lParam);

    // Queues the message on the target's event loop and returns at once. Safe from any
    // thread while the target exists; a target destroyed before delivery drops it.
    static void post(MessageWindow* target, unsigned message, WParam wParam, LParam lParam);

    // The nearest ancestor that is a MessageWindow, or null.
    MessageWindow* parentWindow() const;

    // Paints this window over the given picture at its position inside its top-level
    // window, the way a host composes its own picture from its controls.
    void copyIntoPicture(QPaintDevice& picture);

protected:
    // Handles one message; the default ignores it and returns 0.
    virtual LResult handleMessage(unsigned message, WParam wParam, LParam lParam);

    // Notifications of this control to its parent, numbered with the control identifier.
    LResult sendToParent(WParam wParam, LParam lParam);
    void postToParent(WParam wParam, LParam lParam);

    bool event(QEvent* event) override;

private:
    int controlId_ = 0;
};

}  // namespace tq370
