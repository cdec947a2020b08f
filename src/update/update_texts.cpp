#include "update/update_texts.h"

#include "text/program_texts.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {

std::string_view updateText(UpdateText which, Language language) {
    switch (which) {
        case UpdateText::QuestionCaption:
            return text(TXT_TIP, language);
        case UpdateText::QuestionText:
            return TEXT_UPDATE_QUESTION.in(language);
        case UpdateText::NewerByPackage:
            return TEXT_UPDATE_BY_PACKAGE.text;
        case UpdateText::ProgressFormat:
            break;
    }
    return text(TXT_DOWNLOAD_PROGRESS, language);
}

}  // namespace tq370
