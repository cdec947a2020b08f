#pragma once

#include <vector>

#include "link/engine_session.h"

namespace tq370 {

// The numbers of the JobRequest flags in use.
constexpr int JOB_SAVE_TO_FILE = 1;  // the processor's settings into the preset path
constexpr int JOB_RECALL_MODE = 4;   // the mode in the low byte of register 1893
constexpr int JOB_UPLOAD = 11;       // the registers of the register list from the preset path
constexpr int JOB_SAVE_MODE = 13;    // the current settings as the mode of register 1893

// The registers an upload takes from a preset file: register 0 and 230 to 1,875.
const std::vector<int>& uploadRegisterList();

// Runs job n on the engine thread; numbers without a job do nothing.
void runJob(EngineSession& session, int job);

// Asks for the names of modes 1..16 (three rounds for names that do not arrive), then
// once more for currentMode when it is not 0, then reads the current mode. Waits for no
// reply: the names arrive through the parser whenever they come.
void fetchModeNames(EngineSession& session, int currentMode);

}  // namespace tq370
