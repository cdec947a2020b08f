#pragma once

#include <QDialog>

#include "app/delay_link_seats.h"

namespace tq370 {

// The modal delay-link dialog ("    Link Delay"): the car with its seats, in which the
// user builds the delay groups whose members share one delay (DelayLinkSeats).
class DelayLinkDialog : public QDialog {
public:
    DelayLinkDialog(QWidget* owner, const RegisterAccess& registers, GroupArray& delayGroup,
                    DelayLinkSeats::DelayEdited delayEdited);

    DelayLinkSeats& seats() { return *seats_; }

private:
    DelayLinkSeats* seats_;
};

}  // namespace tq370
