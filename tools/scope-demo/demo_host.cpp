#include "demo_host.h"

#include <cstdio>

#include "demo_curves.h"
#include "response/scope_readout.h"
#include "response/scope_rules.h"

namespace tq370::scope_demo {

namespace {

// The scope's size in the EQ panel, and the room around and below it.
constexpr int SCOPE_WIDTH = 1037;
constexpr int SCOPE_HEIGHT = 302;
constexpr int PAD = 10;
constexpr int ROW_HEIGHT = 24;

}  // namespace

DemoHost::DemoHost() {
    setWindowTitle(QStringLiteral("Response scope"));
    setFixedSize(SCOPE_WIDTH + 2 * PAD, SCOPE_HEIGHT + 3 * PAD + ROW_HEIGHT);
    setStyleSheet(QStringLiteral("background: #26292e; color: #d8dce2;"));

    scope_ = new response::ResponseScope(this, SCOPE_ID);
    scope_->setGeometry(PAD, PAD, SCOPE_WIDTH, SCOPE_HEIGHT);
    scope_->initialise();
    scope_->initCurves();
    loadDemoCurves(*scope_);

    const int rowTop = SCOPE_HEIGHT + 2 * PAD;
    graphicMode_ = new QCheckBox(QStringLiteral("Graphic EQ (frequencies locked)"), this);
    graphicMode_->setGeometry(PAD, rowTop, 240, ROW_HEIGHT);
    graphicMode_->setFocusPolicy(Qt::NoFocus);
    connect(graphicMode_, &QCheckBox::toggled, this,
            [this](bool locked) { scope_->setFrequencyLock(locked); });
    eqActive_ = new QCheckBox(QStringLiteral("EQ active"), this);
    eqActive_->setGeometry(PAD + 250, rowTop, 100, ROW_HEIGHT);
    eqActive_->setChecked(true);
    eqActive_->setFocusPolicy(Qt::NoFocus);
    connect(eqActive_, &QCheckBox::toggled, this,
            [this](bool active) { scope_->setEqActive(active); });
    status_ = new QLabel(
        QStringLiteral("Drag a handle, turn the wheel, press Up/Down, click CH boxes."), this);
    status_->setGeometry(PAD + 360, rowTop, SCOPE_WIDTH - 360, ROW_HEIGHT);
}

QString DemoHost::describeBand(int band) const {
    return response::readoutText(scope_->curve(scope_->currentCurve()), band);
}

LResult DemoHost::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (message != SCOPE_ID) return 0;
    QString text;
    if (wParam == response::CURVE_VISIBILITY_CHANGED) {
        QStringList shown;
        for (int row = 0; row < scope_->curveCount(); ++row) {
            if (scope_->isCurveVisible(row)) shown << QStringLiteral("CH%1").arg(row + 1);
        }
        text = QStringLiteral("curves shown: %1").arg(shown.join(QLatin1Char(' ')));
    } else {
        const int band = wParam == 1   ? response::HP_BAND
                         : wParam == 2 ? response::LP_BAND
                                       : response::FIRST_EQ_BAND + static_cast<int>(lParam);
        const QString name = band == response::HP_BAND ? QStringLiteral("HP")
                             : band == response::LP_BAND
                                 ? QStringLiteral("LP")
                                 : QStringLiteral("band %1").arg(lParam + 1);
        text = QStringLiteral("%1  %2").arg(name, describeBand(band));
    }
    status_->setText(QStringLiteral("%1 (%2, %3): %4")
                         .arg(message)
                         .arg(static_cast<long long>(wParam))
                         .arg(static_cast<long long>(lParam))
                         .arg(text));
    std::printf("%u %lld %lld %s\n", message, static_cast<long long>(wParam),
                static_cast<long long>(lParam), qPrintable(text));
    std::fflush(stdout);
    return 0;
}

}  // namespace tq370::scope_demo
