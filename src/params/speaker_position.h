#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "text/language.h"

// SpeakerPosition: what a channel drives, code 0..24 in register 217 + slot.
namespace tq370 {

constexpr int SPEAKER_POSITION_COUNT = 25;
constexpr int POSITION_EMPTY = 0;

// The strip's label for a code, e.g. 1 → "FrontLeftTweeter"; nullopt for a code outside
// 0..24, which leaves the label as it was.
std::optional<std::string> speakerPositionLabel(int code, Language language);

// Which codes slot `slot` may still take while the other slots hold `positions` (one
// code per slot 0..11): a code another slot holds is taken, and so are the codes whose
// driver overlaps it on the same side (a full-range speaker covers every driver).
// Codes outside 1..24 held elsewhere take nothing; code 0 is always available.
using PositionAvailability = std::array<bool, SPEAKER_POSITION_COUNT>;
PositionAvailability availablePositions(int slot, std::span<const int> positions);

}  // namespace tq370
