#include "message_boxes.h"

#include <QPushButton>

#include <cstdio>

#include "app/app_texts.h"

namespace tq370 {
namespace {

QString inCurrentLanguage(const TextEntry& entry) {
    return QString::fromUtf8(entry.inCurrentLanguage());
}

}  // namespace

std::unique_ptr<QMessageBox> MessageBoxes::build(const QString& text, const QString& caption,
                                                 BoxButtons buttons) const {
    auto box = std::make_unique<QMessageBox>(owner_);
    box->setWindowTitle(caption.isEmpty() && owner_ ? owner_->windowTitle() : caption);
    box->setText(text);
    box->setTextFormat(Qt::PlainText);
    const bool yesNo = buttons == BoxButtons::YesNo;
    QPushButton* accept =
        box->addButton(inCurrentLanguage(yesNo ? TEXT_BUTTON_YES : TEXT_BUTTON_OK),
                       yesNo ? QMessageBox::YesRole : QMessageBox::AcceptRole);
    if (buttons != BoxButtons::Ok) {
        box->addButton(inCurrentLanguage(yesNo ? TEXT_BUTTON_NO : TEXT_BUTTON_CANCEL),
                       yesNo ? QMessageBox::NoRole : QMessageBox::RejectRole);
    }
    box->setDefaultButton(accept);
    return box;
}

bool MessageBoxes::ask(const QString& text, const QString& caption, BoxButtons buttons) {
    if (answerAtOnce_) {
        std::fprintf(stderr, "tq370: %s\n", text.toUtf8().constData());
        return true;
    }
    auto box = build(text, caption, buttons);
    box->exec();
    QAbstractButton* accept = box->defaultButton();
    return box->clickedButton() == accept;
}

}  // namespace tq370
