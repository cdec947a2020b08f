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
    return formatPercent(progressFormat(task, language), percent);
}

std::string progressFormat(ProgressTask task, Language language) {
    switch (task) {
        case ProgressTask::ReadDeviceData:
            return std::string(text(TXT_READ_DEVICE_DATA, language));
        case ProgressTask::UpdateDisplayData:
            return std::string(text(TXT_UPDATE_DISPLAY, language));
        case ProgressTask::UpdateSceneData:
            return std::string(TEXT_UPDATE_SCENE.in(language));
        case ProgressTask::RecallMode:
            break;
    }
    return std::string(text(TXT_CALL_MODE, language)) + std::string(TEXT_ELLIPSIS);
}

}  // namespace tq370
