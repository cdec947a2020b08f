#pragma once

#include <atomic>

#include "link/engine_session.h"

namespace tq370 {

// The steady state of a connection: one iteration sends pending text commands, shows the
// WiFi confirmations, flushes pending writes, forwards what the processor changed, runs
// requested jobs and paces the loop, with a keep-alive on an idle link. Engine thread.
class EngineMainLoop {
public:
    EngineMainLoop(EngineSession& session, const std::atomic<bool>& paused);

    // Cursors and idle counter back to their start, as after a connect sequence.
    void reset();
    void iterate();

private:
    void waitWhilePaused();
    void serviceTextSlot();
    void showConfirmations();
    void flush();
    void forwardChanges();
    void runRequestedJobs();
    void pace();

    EngineSession& session_;
    const std::atomic<bool>& paused_;
    int idle_ = 0;
    int textCursor_ = 0;
    int flushCursor_ = 0;
};

}  // namespace tq370
