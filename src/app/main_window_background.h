#pragma once

#include <QImage>
#include <QSize>

namespace tq370 {

// The main window's picture behind every control, for a client of this size: the title
// row, the master-volume row, the row of channel strips and the EQ panel's area, each
// scaled from the design canvas.
QImage mainWindowBackground(QSize client);

}  // namespace tq370
