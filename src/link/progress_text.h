#pragma once

#include <string>

#include "text/language.h"

namespace tq370 {

// What the progress window shows while the engine works.
enum class ProgressTask {
    ReadDeviceData,     // the read-back
    UpdateDisplayData,  // the refresh of the display after a read-back
    UpdateSceneData,    // an upload of a preset
    RecallMode,         // a mode recall
};

// The window's text for task at percent (0..100) in language, e.g. "Read Device Data:   42 %".
std::string progressLabel(ProgressTask task, double percent, Language language);
// The printf format of that text, taking the percentage as a double ("Read Device
// Data:%5.0f %%"); a task whose text shows no percentage has a format without conversion.
std::string progressFormat(ProgressTask task, Language language);

}  // namespace tq370
