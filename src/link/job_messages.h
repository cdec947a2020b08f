#pragma once

#include <vector>

#include "link/job.h"
#include "link/link_host.h"

namespace tq370 {

// The message boxes that tell the user how a job ended, in the current language and in
// the order they are shown; none for a job that ended without a word (a stopped engine,
// a successful upload or recall, or a failure the read-back has already reported).
std::vector<MessageRequest> jobOutcomeMessages(const JobOutcome& outcome);

}  // namespace tq370
