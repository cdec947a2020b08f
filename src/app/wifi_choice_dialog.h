#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class QTreeWidget;

namespace tq370 {

// The WiFi client list: one row per processor that answered, in the order they answered;
// a double click on a row (either button) chooses it and closes the list.
class WifiChoiceDialog : public QDialog {
public:
    WifiChoiceDialog(QWidget* parent, const std::vector<std::uint32_t>& addresses);

    // The address chosen, or 0 when the list was closed without a choice.
    std::uint32_t chosenAddress() const { return chosen_; }

    QTreeWidget& list() { return *list_; }
    void choose(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::uint32_t> addresses_;
    QTreeWidget* list_;
    std::uint32_t chosen_ = 0;
};

}  // namespace tq370
