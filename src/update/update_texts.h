#pragma once

#include <string_view>

#include "text/language.h"

namespace tq370 {

// The texts the update shows: its question and the progress window's format.
enum class UpdateText { QuestionCaption, QuestionText, ProgressFormat, NewerByPackage };

// The text in language. ProgressFormat is a printf format taking the percentage as a
// double.
std::string_view updateText(UpdateText text, Language language);

}  // namespace tq370
