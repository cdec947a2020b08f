#pragma once

#include <string>
#include <vector>

#include "link/job.h"

namespace tq370::ctl {

// One line saying why a job did not succeed, naming the file or the models involved, e.g.
// "cannot write /x/y.mxb: Permission denied"; "" for a job that succeeded.
std::string jobFailureReason(const JobOutcome& outcome);

// "3 registers never arrived (1500, 1501, 1502)", naming at most five.
std::string missingRegisters(const std::vector<int>& missing);

// The exit code of a job's outcome: 0 done, 3 for a file that cannot be written, 1 for
// everything else the processor or the link refused.
int jobExitCode(const JobOutcome& outcome);

}  // namespace tq370::ctl
