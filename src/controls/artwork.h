#pragma once

#include <QImage>

namespace tq370 {

// The compiled-in artwork, named by resource number: the PNG strips and sliders, the
// bitmaps of the progress window and the panels, and the icon (128). A number without
// artwork gives a null image.
QImage loadArtwork(int resourceNumber);

}  // namespace tq370
