#pragma once

#include <QCheckBox>
#include <QLabel>

#include "controls/message_window.h"
#include "response/response_scope.h"

namespace tq370::scope_demo {

// A stand-in for the EQ panel: holds the scope with example curves, switches graphic
// mode and the EQ bypass, and shows (and prints) every notification the scope sends.
class DemoHost : public MessageWindow {
public:
    static constexpr int SCOPE_ID = 6024;

    DemoHost();

    response::ResponseScope& scope() { return *scope_; }

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;

private:
    QString describeBand(int band) const;

    response::ResponseScope* scope_;
    QCheckBox* graphicMode_;
    QCheckBox* eqActive_;
    QLabel* status_;
};

}  // namespace tq370::scope_demo
