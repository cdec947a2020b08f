// The response scope with four example curves, to try by hand:
//   scope-demo                 a window; notifications are printed as "ID WPARAM LPARAM TEXT"
//   scope-demo --shot FILE     selects a band, shows its readout and writes the scope's
//                              picture as a PNG (runs offscreen)
#include <QApplication>
#include <QMouseEvent>

#include <cstdio>
#include <cstring>

#include "demo_curves.h"
#include "demo_host.h"

namespace {

using tq370::response::FIRST_EQ_BAND;
using tq370::response::ResponseScope;

void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Points at the band's handle and clicks it, as a user selecting it would.
void selectBand(ResponseScope& scope, int band) {
    const QPoint centre = scope.handleCentre(band);
    sendMouse(scope, QEvent::MouseMove, centre, Qt::NoButton);
    sendMouse(scope, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    sendMouse(scope, QEvent::MouseButtonRelease, centre, Qt::NoButton);
}

int usage() {
    std::fprintf(stderr, "usage: scope-demo [--shot FILE.png]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const char* shot = nullptr;
    if (argc == 3 && std::strcmp(argv[1], "--shot") == 0) {
        shot = argv[2];
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (argc != 1) {
        return usage();
    }
    QApplication app(argc, argv);
    tq370::scope_demo::DemoHost host;
    host.show();
    QApplication::processEvents();
    if (shot == nullptr) return QApplication::exec();

    ResponseScope& scope = host.scope();
    selectBand(scope, FIRST_EQ_BAND + tq370::scope_demo::DEMO_SELECTED_EQ_BAND);
    if (!scope.composePicture().save(QString::fromLocal8Bit(shot), "PNG")) {
        std::fprintf(stderr, "scope-demo: cannot write %s\n", shot);
        return 3;
    }
    std::printf("%s %dx%d\n", shot, scope.width(), scope.height());
    return 0;
}
