#include "app/eq_panel_design.h"

namespace tq370::eq_panel {
namespace {

// Band k's column starts at 267 + 32.29k; its slider and button sit a little to the right.
constexpr double BAND_PITCH = 32.29;
constexpr double BAND_LEFT = 267;
constexpr double BAND_WIDTH = 30;

// The car-shaped channel selector: slots 0..9 in five rows, even slots on the left and
// odd ones on the right; slot 10 in front, slot 11 at the back.
constexpr int SELECTOR_ROWS = 5;
constexpr std::array<int, SELECTOR_ROWS> BUTTON_ROW_TOPS = {281, 315, 349, 383, 417};
constexpr std::array<int, SELECTOR_ROWS> DELAY_ROW_TOPS = {288, 322, 356, 390, 424};
constexpr int ROW_BUTTON_HEIGHT = 33;
constexpr int DELAY_BOX_HEIGHT = 19;

double bandLeft(int band) {
    return BAND_LEFT + BAND_PITCH * band;
}

DesignRectF bandRow(int band, double top, double bottom) {
    return {bandLeft(band), top, bandLeft(band) + BAND_WIDTH, bottom};
}

}  // namespace

int channelButtonImage(int slot) {
    if (slot == 10) return 153;
    if (slot == 11) return 156;
    return slot % 2 == 0 ? 154 : 155;
}

DesignRectF bandLabelRect(int band) {
    return bandRow(band, 330, 347);
}

DesignRectF frequencyBoxRect(int band) {
    return bandRow(band, 352, 367);
}

DesignRectF qBoxRect(int band) {
    return bandRow(band, 374, 389);
}

DesignRectF gainBoxRect(int band) {
    return bandRow(band, 396, 411);
}

DesignRectF gainSliderRect(int band) {
    const double left = 271 + BAND_PITCH * band;
    return {left, 414, left + 22, 414 + 125};
}

DesignRectF bandButtonRect(int band) {
    return {275 + BAND_PITCH * band, 542, 289 + BAND_PITCH * band, 556};
}

DesignRect channelButtonRect(int slot) {
    if (slot == 10) return {98, 262, 131, 285};
    if (slot == 11) return {98, 454, 131, 477};
    const int top = BUTTON_ROW_TOPS[static_cast<std::size_t>(slot / 2)];
    const int left = slot % 2 == 0 ? 45 : 161;
    return {left, top, left + 23, top + ROW_BUTTON_HEIGHT};
}

DesignRect delayBoxRect(int slot) {
    if (slot == 10) return {98, 242, 131, 261};
    if (slot == 11) return {131, 456, 168, 475};
    const int top = DELAY_ROW_TOPS[static_cast<std::size_t>(slot / 2)];
    const int left = slot % 2 == 0 ? 8 : 184;
    return {left, top, left + 37, top + DELAY_BOX_HEIGHT};
}

}  // namespace tq370::eq_panel
