#pragma once

#include <vector>

namespace tq370 {

enum class ReadBackOutcome {
    Complete,    // every register arrived
    Incomplete,  // the link stayed up, but some registers never arrived
    Locked,      // the current mode is locked; nothing was read (the user was told)
    Failed,      // the link went down or the engine was stopped
};

// How the last read-back went; the host is told the same (LinkHost::readBackFinished).
struct ReadBackReport {
    ReadBackOutcome outcome = ReadBackOutcome::Failed;
    std::vector<int> missing;  // the registers that never arrived, in order

    bool complete() const { return outcome == ReadBackOutcome::Complete; }
};

}  // namespace tq370
