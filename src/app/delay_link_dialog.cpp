#include "app/delay_link_dialog.h"

#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {

DelayLinkDialog::DelayLinkDialog(QWidget* owner, const RegisterAccess& registers,
                                 GroupArray& delayGroup, DelayLinkSeats::DelayEdited delayEdited)
    : QDialog(owner),
      seats_(new DelayLinkSeats(this, registers, delayGroup, std::move(delayEdited))) {
    setModal(true);
    setWindowTitle(QString::fromUtf8(text(TXT_LINK_DELAY)));
    setFixedSize(DelayLinkSeats::WIDTH, DelayLinkSeats::HEIGHT);
}

}  // namespace tq370
