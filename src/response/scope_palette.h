#pragma once

#include <QColor>

// Colours and type faces of the response scope.
namespace tq370::response {

// QColor takes red, green, blue, alpha.
inline const QColor SCOPE_BACKGROUND(29, 25, 26, 255);
inline const QColor GRID_LINE(60, 60, 60, 255);
inline const QColor AXIS_TEXT(240, 240, 240, 240);
inline const QColor CURRENT_CURVE(255, 0, 255, 200);  // also the current curve's CH box
inline const QColor OTHER_CURVE(255, 255, 255, 128);
inline const QColor HIGHLIGHT_OUTLINE(255, 255, 255, 25);
inline const QColor READOUT_TEXT(255, 255, 255, 255);
inline const QColor VISIBLE_BOX(255, 255, 0, 255);
inline const QColor HIDDEN_BOX = AXIS_TEXT;

// Handles: a faint disc and a white label; the ring and the marks take the row's colour,
// red for the crossovers and light grey for the EQ bands.
inline const QColor HANDLE_DISC(0, 0, 0, 10);
inline const QColor HANDLE_LABEL(255, 255, 255, 255);
inline const QColor CROSSOVER_HANDLE_MARK(255, 0, 0);
inline const QColor EQ_HANDLE_MARK(200, 200, 200);
// Q arrows at rest and while dragged.
inline const QColor Q_ARROW_IDLE(255, 255, 0, 200);
inline const QColor Q_ARROW_DRAGGED(176, 14, 26, 250);
inline const QColor PASS_OVERLAY_TEXT(255, 255, 255, 128);

inline constexpr const char* AXIS_FACE = "Times New Roman";
inline constexpr const char* LABEL_FACE = "Arial Bold";
// Pixel sizes at scale 1 (the handle labels and the overlay do not scale).
inline constexpr double AXIS_TEXT_PX = 12;
inline constexpr double READOUT_TEXT_PX = 12;
inline constexpr double BOX_TEXT_PX = 10;
inline constexpr double HANDLE_LABEL_PX = 12;
inline constexpr double PASS_OVERLAY_PX = 48;

// Stroke width of every curve and outline.
inline constexpr double CURVE_PEN_WIDTH = 2;

}  // namespace tq370::response
