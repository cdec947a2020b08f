#pragma once

#include <QDialog>

#include "params/channel_links.h"

class QPushButton;
class QRadioButton;

namespace tq370 {

// Asks which side of the left/right pairs is copied onto the other when they are linked:
// left to right (chosen when it opens) or right to left. Modal, in the current language.
class PairLinkDialog : public QDialog {
public:
    explicit PairLinkDialog(QWidget* owner);

    // The side the user chose; meaningful after OK.
    PairSource source() const;

    QRadioButton& leftToRight() { return *leftToRight_; }
    QRadioButton& rightToLeft() { return *rightToLeft_; }
    QPushButton& okButton() { return *ok_; }
    QPushButton& cancelButton() { return *cancel_; }

private:
    QRadioButton* leftToRight_;
    QRadioButton* rightToLeft_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tq370
