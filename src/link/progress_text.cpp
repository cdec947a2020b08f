#include "link/progress_text.h"

#include <cstdio>

#include "text/program_texts.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

// Each of these texts takes the percentage as its one double.
std::string formatPercent(std::string_view format, double percent) {
    const std::string pattern(format);
    char label[256];
    std::snprintf(label, sizeof label, pattern.c_str(), percent);
    return label;
}

}  // namespace

std::string progressLabel(ProgressTask task, double percent, Language language) {
    switch (task) {
        case ProgressTask::ReadDeviceData:
            return formatPercent(text(TXT_READ_DEVICE_DATA, language), percent);
        case ProgressTask::UpdateDisplayData:
            return formatPercent(text(TXT_UPDATE_DISPLAY, language), percent);
        case ProgressTask::UpdateSceneData:
            return formatPercent(TEXT_UPDATE_SCENE.in(language), percent);
        case ProgressTask::RecallMode:
            break;
    }
    return std::string(text(TXT_CALL_MODE, language)) + std::string(TEXT_ELLIPSIS);
}

}  // namespace tq370
