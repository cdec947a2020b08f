#include "app/wifi_choice_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/app_texts.h"
#include "platform/net_address.h"

namespace tq370 {

WifiChoiceDialog::WifiChoiceDialog(QWidget* parent, const std::vector<std::uint32_t>& addresses)
    : QDialog(parent), addresses_(addresses), list_(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("WIFI"));
    list_->setColumnCount(1);
    list_->setHeaderLabels({QString::fromUtf8(TEXT_WIFI_LIST_COLUMN.inCurrentLanguage())});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    for (std::uint32_t address : addresses_) {
        new QTreeWidgetItem(list_, {QString::fromStdString(ipv4Text(address))});
    }
    list_->viewport()->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf8(TEXT_BUTTON_OK.inCurrentLanguage()),
                       QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void WifiChoiceDialog::choose(int row) {
    if (row < 0 || row >= static_cast<int>(addresses_.size())) return;
    chosen_ = addresses_[static_cast<std::size_t>(row)];
    accept();
}

bool WifiChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (QTreeWidgetItem* item = list_->itemAt(mouse->position().toPoint())) {
            choose(list_->indexOfTopLevelItem(item));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tq370
