#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace tq370 {

enum class BoxButtons { Ok, OkCancel, YesNo };

// The program's message boxes: modal, owned by the main window, with the main window's
// title as caption when they bring none, and buttons captioned in the current language.
// UI thread only.
class MessageBoxes {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}

    // Shows the box and waits for the user; true for OK or Yes.
    bool ask(const QString& text, const QString& caption = {}, BoxButtons buttons = BoxButtons::Ok);

    // The box ask shows, not yet shown; its accepting button (OK or Yes) is the default.
    std::unique_ptr<QMessageBox> build(const QString& text, const QString& caption,
                                       BoxButtons buttons) const;

    // For tests of the whole program: every box is answered with OK or Yes at once, and
    // its text goes to standard error instead.
    void setAnswerAtOnce(bool answerAtOnce) { answerAtOnce_ = answerAtOnce; }
    bool answersAtOnce() const { return answerAtOnce_; }

private:
    QPointer<QWidget> owner_;
    bool answerAtOnce_ = false;
};

}  // namespace tq370
