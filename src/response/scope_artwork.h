#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// The pictures the scope draws from, made once by initialise.
namespace tq370::response {

// Handles: one 24-pixel row per band (row r for band r), the cell at x 0.
inline constexpr int HANDLE_SHEET_WIDTH = 240;
inline constexpr int HANDLE_SHEET_HEIGHT = 792;
QImage makeHandleSheet();
QRect handleCell(int band);

// Q arrows: column 0 the left arrow, column 1 the right one; row 0 at rest, row 1 while
// dragged.
inline constexpr int Q_ARROW_SHEET_SIDE = 96;
QImage makeQArrowSheet();
QRect qArrowCell(bool rightArrow, bool dragged);

// "EQ PASS", shown while the EQ is bypassed; only its left part is drawn.
inline constexpr int PASS_OVERLAY_WIDTH = 512;
inline constexpr int PASS_OVERLAY_HEIGHT = 64;
QImage makePassOverlay();
inline const QRect PASS_OVERLAY_SOURCE(0, 0, 448, 64);

}  // namespace tq370::response
