#pragma once

#include <array>

#include "app/design_layout.h"
#include "params/channel_register_map.h"
#include "params/param_tables.h"
#include "text/text_ids.h"

// The EQ panel's controls: their identifiers (the numbers of their notifications), their
// artwork and their rectangles on the panel's design canvas (1280 × 568, the main window's
// area below the strips). Arrays of like controls number their members consecutively.
namespace tq370::eq_panel {

// Control identifiers; + band, + slot or + index for the arrays.
constexpr int ID_VOLUME_SLIDER = 4124;
constexpr int ID_VOLUME_BOX = 4125;
constexpr int ID_SCOPE = 6024;
constexpr int ID_FREQUENCY_BOX = 8024;
constexpr int ID_Q_BOX = 9024;
constexpr int ID_CHANNEL_BUTTON = 9324;
constexpr int ID_GAIN_BOX = 10024;
constexpr int ID_DELAY_BOX = 10324;
constexpr int ID_GAIN_SLIDER = 11024;
constexpr int ID_BUTTON = 13024;
constexpr int ID_BAND_BUTTON = 14024;
constexpr int ID_CROSSOVER_BOX = 16024;
constexpr int ID_COMBO = 16124;

// button[index]
constexpr int BUTTON_RESET = 0;
constexpr int BUTTON_PASS = 1;
constexpr int BUTTON_GRAPHIC = 2;  // GEQ (state 1) or PEQ (state 2)
constexpr int BUTTON_PHASE = 3;
constexpr int BUTTON_UNIT_MS = 4;
constexpr int BUTTON_UNIT_CM = 5;
constexpr int BUTTON_UNIT_INCH = 6;
constexpr int BUTTON_LINK_PAIRS = 7;
constexpr int BUTTON_LINK_DELAY = 8;
constexpr int BUTTON_COUNT = 9;

// crossoverBox[b]: the two corners, then the limiter (left of the visible area).
constexpr int BOX_HIGH_PASS = 0;
constexpr int BOX_LOW_PASS = 1;
constexpr int BOX_LIMITER_LEVEL = 2;
constexpr int BOX_LIMITER_ATTACK = 3;
constexpr int CROSSOVER_BOX_COUNT = 4;

// combo[t]
constexpr int COMBO_HIGH_PASS_FAMILY = 0;
constexpr int COMBO_HIGH_PASS_SLOPE = 1;
constexpr int COMBO_LOW_PASS_FAMILY = 2;
constexpr int COMBO_LOW_PASS_SLOPE = 3;
constexpr int COMBO_RELEASE = 4;
constexpr int COMBO_COUNT = 5;

constexpr int LABEL_COUNT = 10;
constexpr int COLUMN_LABEL_COUNT = 4;
constexpr int BANDS = EQ_BAND_COUNT;

// Artwork by resource number.
constexpr int IMAGE_PANEL_BUTTON = 143;  // RST, Pass, GEQ/PEQ
constexpr int IMAGE_LAMP = 142;          // band and unit buttons
constexpr int IMAGE_PHASE = 148;
constexpr int IMAGE_LINK = 157;
constexpr int IMAGE_GAIN_SLIDER = 141;
constexpr int IMAGE_VOLUME_SLIDER = 146;
constexpr int STYLE_GAIN_SLIDER = 16;
constexpr int STYLE_VOLUME_SLIDER = 17;
int channelButtonImage(int slot);

// UI string entries of the captions.
inline constexpr std::array<int, LABEL_COUNT> LABEL_TEXTS = {
    TXT_CROSSOVER,   TXT_HIGH_PASS, TXT_LOW_PASS,   TXT_CROSSOVER_FREQUENCY,
    TXT_FILTER_TYPE, TXT_SLOPE,     TXT_DELAY_UNIT, TXT_UNIT_MS,
    TXT_UNIT_CM,     TXT_UNIT_INCH};
inline constexpr std::array<int, COLUMN_LABEL_COUNT> COLUMN_LABEL_TEXTS = {
    TXT_BAND_NUMBER, TXT_BAND_FREQUENCY, TXT_BAND_Q, TXT_BAND_GAIN};

// Design rectangles.
inline constexpr DesignRect SCOPE_RECT = {233, 11, 1270, 313};
DesignRectF bandLabelRect(int band);
DesignRectF frequencyBoxRect(int band);
DesignRectF qBoxRect(int band);
DesignRectF gainBoxRect(int band);
DesignRectF gainSliderRect(int band);
DesignRectF bandButtonRect(int band);
inline constexpr std::array<DesignRect, COLUMN_LABEL_COUNT> COLUMN_LABEL_RECTS = {{
    {234, 330, 265, 347},
    {234, 352, 265, 369},
    {234, 374, 265, 391},
    {234, 396, 265, 413},
}};
inline constexpr std::array<DesignRect, BUTTON_COUNT> BUTTON_RECTS = {{
    {15, 532, 80, 557},
    {83, 532, 148, 557},
    {151, 532, 216, 557},
    {174, 16, 219, 37},
    {60, 491, 74, 505},
    {116, 491, 130, 505},
    {172, 491, 186, 505},
    {16, 216, 105, 238},
    {124, 216, 213, 238},
}};
inline constexpr std::array<DesignRect, LABEL_COUNT> LABEL_RECTS = {{
    {87, 78, 146, 94},
    {47, 87, 87, 103},
    {146, 87, 186, 103},
    {95, 109, 136, 125},
    {95, 140, 136, 156},
    {95, 171, 136, 187},
    {10, 490, 45, 506},
    {74, 490, 109, 506},
    {130, 490, 165, 506},
    {186, 490, 221, 506},
}};
inline constexpr std::array<DesignRect, CROSSOVER_BOX_COUNT> CROSSOVER_BOX_RECTS = {{
    {21, 109, 93, 125},
    {137, 109, 209, 125},
    {-1107, 140, -1035, 156},
    {-1107, 233, -1035, 441},
}};
inline constexpr std::array<DesignRect, COMBO_COUNT> COMBO_RECTS = {{
    {21, 140, 93, 156},
    {21, 171, 93, 187},
    {137, 140, 209, 156},
    {137, 171, 209, 187},
    {-1018, 233, -946, 383},
}};
inline constexpr DesignRect VOLUME_LABEL_RECT = {10, 18, 82, 35};
inline constexpr DesignRect VOLUME_BOX_RECT = {102, 18, 145, 34};
inline constexpr DesignRect VOLUME_SLIDER_RECT = {12, 45, 12 + 205, 45 + 14};
DesignRect channelButtonRect(int slot);
DesignRect delayBoxRect(int slot);

}  // namespace tq370::eq_panel
