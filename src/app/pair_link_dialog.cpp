#include "app/pair_link_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

QString entryText(int entry) {
    return QString::fromUtf8(text(entry));
}

}  // namespace

PairLinkDialog::PairLinkDialog(QWidget* owner)
    : QDialog(owner),
      leftToRight_(new QRadioButton(entryText(TXT_COPY_LEFT_TO_RIGHT), this)),
      rightToLeft_(new QRadioButton(entryText(TXT_COPY_RIGHT_TO_LEFT), this)),
      ok_(new QPushButton(entryText(TXT_OK), this)),
      cancel_(new QPushButton(entryText(TXT_EXIT), this)) {
    setModal(true);
    if (owner) setWindowTitle(owner->windowTitle());
    leftToRight_->setChecked(true);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(entryText(TXT_CHOOSE_SOURCE_CHANNEL), this));
    layout->addWidget(leftToRight_);
    layout->addWidget(rightToLeft_);
    layout->addLayout(buttons);
}

PairSource PairLinkDialog::source() const {
    return rightToLeft_->isChecked() ? PairSource::Right : PairSource::Left;
}

}  // namespace tq370
