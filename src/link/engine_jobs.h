#pragma once

#include <vector>

#include "link/engine_session.h"
#include "link/job.h"

namespace tq370 {

// Runs one requested job on the engine thread and says how it ended. The job's progress
// window and the read-back's own messages are shown while it runs; its outcome is told by
// finishJob.
JobOutcome runJob(EngineSession& session, const JobRequest& request);

// Tells everyone how a job ended: the message boxes of the outcome (jobOutcomeMessages),
// then the host's jobFinished, then the request's ticket.
void finishJob(EngineSession& session, const JobRequest& request, const JobOutcome& outcome);

// Asks for the names of modes 1..16 (three rounds for names that do not arrive), then
// once more for currentMode when it is not 0, then reads the current mode. Waits for no
// reply: the names arrive through the parser whenever they come.
void fetchModeNames(EngineSession& session, int currentMode);

}  // namespace tq370
