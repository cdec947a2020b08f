#pragma once

#include <QRect>
#include <QSize>

#include <array>

// The main window and its panels are drawn on a design canvas of 1280 × 728 and scaled to
// the window: every child has its design rectangle, and every scaled coordinate is
// truncated toward zero.
namespace tq370 {

constexpr int DESIGN_WIDTH = 1280;
constexpr int DESIGN_HEIGHT = 728;

struct Scale {
    double sx = 1;  // client width / 1280
    double sy = 1;  // client height / 728
    double s = 1;   // the smaller of the two, for fonts and fixed-shape controls

    static Scale forClient(QSize client);
};

// A rectangle of the design canvas (left, top, right, bottom).
struct DesignRect {
    int left, top, right, bottom;
};

// A design rectangle whose edges need not be whole (the EQ panel's band columns).
struct DesignRectF {
    double left, top, right, bottom;
};

// Truncated toward zero, as every layout coordinate is.
int scaled(double coordinate);

// Left, top and right follow sx and sy; the height follows s, so that buttons keep their
// shape in a wide window.
QRect scaledKeepingHeight(const DesignRect& r, const Scale& scale);
// Every edge follows its own axis.
QRect scaledStretched(const DesignRect& r, const Scale& scale);
QRect scaledStretched(const DesignRectF& r, const Scale& scale);
// At (left × sx, top × sy), the given design size times s.
QRect scaledAt(int left, int top, QSize designSize, const Scale& scale);

// The six title-row buttons: minimise, maximise/restore, close, link status, "Sys Set",
// "Mix Set".
constexpr int WINDOW_BUTTON_COUNT = 6;
inline constexpr std::array<DesignRect, WINDOW_BUTTON_COUNT> WINDOW_BUTTON_RECTS = {{
    {1169, 0, 1197, 20},
    {1197, 0, 1225, 20},
    {1225, 0, 1272, 20},
    {120, 3, 202, 21},
    {1180, 30, 1269, 52},
    {1084, 30, 1173, 52},
}};
inline constexpr std::array<int, WINDOW_BUTTON_COUNT> WINDOW_BUTTON_IMAGES = {138, 137, 136,
                                                                              139, 159, 159};
constexpr int BUTTON_MINIMISE = 0;
constexpr int BUTTON_MAXIMISE = 1;
constexpr int BUTTON_CLOSE = 2;
constexpr int BUTTON_LINK = 3;
constexpr int BUTTON_SYSTEM = 4;
constexpr int BUTTON_MIX = 5;

inline constexpr DesignRect TITLE_LABEL_RECT = {1, 0, 111, 23};
// The demonstration's notice, in the middle of the title row.
inline constexpr DesignRect DEMO_NOTICE_RECT = {440, 0, 840, 23};
constexpr int TITLE_ROW_HEIGHT = 23;  // a press above this (times sy) moves the window
inline constexpr DesignRect MASTER_LABEL_RECT = {8, 31, 73, 49};
constexpr int MASTER_BOX_LEFT = 76, MASTER_BOX_TOP = 32;
inline constexpr QSize MASTER_BOX_SIZE{36, 16};
constexpr int MASTER_SLIDER_LEFT = 115, MASTER_SLIDER_TOP = 33;
inline constexpr QSize MASTER_SLIDER_SIZE{185, 14};  // the artwork's track (style 15)
inline constexpr DesignRect EQ_PANEL_RECT = {0, 160, 1280, 728};

// Channel strip k (0..11): ((3 + 106k) × sx, 56 × sy) to ((109 + 106k) × sx, 160 × sy).
DesignRect channelStripRect(int k);

// Font sizes at scale 1.
constexpr double FONT_WINDOW_BUTTONS = 12;
constexpr double FONT_DIALOG_BUTTONS = 14.5;
constexpr double FONT_TITLE = 14;
constexpr double FONT_MASTER_LABEL = 14;
constexpr double FONT_MASTER_BOX = 12;

}  // namespace tq370
