#pragma once

#include <cstdint>
#include <string_view>

namespace tq370 {

// The update's own texts; they are not part of the shared string table.
enum class UpdateText { QuestionCaption, QuestionText, ProgressFormat };

// The text in language 0 (Simplified Chinese), 1 (Traditional Chinese) or 2 (English);
// any other language gets the English text. ProgressFormat is a printf format taking the
// percentage as a double.
std::string_view updateText(UpdateText text, std::uint8_t language);

}  // namespace tq370
