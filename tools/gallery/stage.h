#pragma once

#include <QImage>

#include "controls/message_window.h"

namespace tq370::gallery {

// The host panel controls are shown on: a dark panel like the program's, shown as a
// window of its own so that controls can take the focus.
class Stage : public MessageWindow {
public:
    Stage(int width, int height);

    // Lets pending paints and posted messages run, then takes the stage's picture.
    QImage snapshot();

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Sends a mouse event to a widget at a point in its own coordinates.
void mouseMove(QWidget& widget, QPoint at);
void mousePress(QWidget& widget, QPoint at);

}  // namespace tq370::gallery
