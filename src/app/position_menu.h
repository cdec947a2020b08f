#pragma once

#include <QMenu>

#include <memory>

#include "params/speaker_position.h"

namespace tq370 {

// The speaker-position menu of a channel strip, in the current language: "Empty", then
// Front (Left, Right), Rear (Left, Right), Center and Subwoofer with their drivers. Every
// action carries its code as data; the current code is checked, unavailable codes are
// greyed.
std::unique_ptr<QMenu> buildPositionMenu(QWidget* parent, int currentCode,
                                         const PositionAvailability& available);

}  // namespace tq370
