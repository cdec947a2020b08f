#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_context.h"
#include "link/link_host.h"
#include "link/link_timings.h"
#include "link/reply_wait.h"
#include "link/transport.h"

namespace tq370 {

class DataFolders;

// Where the engine's time went, in real microseconds since the engine thread started;
// read by any thread (benchmarks, diagnostics).
struct EngineStats {
    std::atomic<std::int64_t> startedUs{0};     // steady clock at the thread's start
    std::atomic<std::int64_t> sleptUs{0};       // fixed sleeps, as slept
    std::atomic<std::int64_t> sleepAskedUs{0};  // fixed sleeps, as asked for
    std::atomic<std::int64_t> replyWaitUs{0};   // waits for replies (each bounded)
    std::atomic<std::int64_t> connectUs{0};     // inside the transport's connect routine
    std::atomic<std::int64_t> mainLoopIterations{0};
    // Snapshot at the first main-loop iteration after the engine started; -1 before.
    std::atomic<std::int64_t> firstIterationUs{-1};
    std::atomic<std::int64_t> sleptAtFirstIterationUs{-1};
    std::atomic<std::int64_t> sleepAskedAtFirstIterationUs{-1};
    std::atomic<std::int64_t> replyWaitAtFirstIterationUs{-1};
    std::atomic<std::int64_t> connectAtFirstIterationUs{-1};
};

// Real microseconds of the steady clock.
std::int64_t steadyMicroseconds();

// Sleeps ms protocol milliseconds of clock; returns early when stop is requested. The time
// slept is added to stats.
void engineSleep(const Clock& clock, const std::stop_token& stop, double ms, EngineStats& stats);

// What the engine thread works with while it runs: the shared link state, the user
// interface, the open transport with the timings of its kind, and the stop request.
// Engine thread only.
class EngineSession {
public:
    EngineSession(LinkContext& link, LinkHost& host, Transport& transport,
                  const DataFolders& folders, std::stop_token stop, EngineStats& stats);

    LinkContext& link;
    LinkHost& host;
    Transport& transport;
    const DataFolders& folders;
    const LinkTimings timings;
    const std::stop_token stop;
    EngineStats& stats;

    bool running() const { return !stop.stop_requested(); }
    bool linkUp() const { return link.linkUp.load(std::memory_order_relaxed); }
    void setLinkUp(bool up) { link.linkUp.store(up, std::memory_order_relaxed); }

    // Sleeps ms protocol milliseconds; returns early when the engine is stopped.
    void sleep(double ms);

    void send(std::uint8_t command, std::span<const std::uint8_t> payload);
    ReplyWait request(std::uint8_t command, std::span<const std::uint8_t> payload, double waitMs);
    // A wait that timed out on a transport that went away takes the link down.
    void dropLinkIfDead(ReplyWait wait);

    // Sends a write batch (or the mode-name request it turned into), waits up to waitMs
    // for the reply, then gives up the batch's last sends that were not acknowledged and
    // tells the host about each.
    ReplyWait sendWriteBatch(const WriteBatch& batch, double waitMs);
    // Tells the host about writes the engine dropped; its own keep-alive is not told.
    void reportGivenUp(const std::vector<WriteEntry>& writes);

    // The keep-alive write of register 1894, without waiting for the acknowledgement.
    void keepAlive();

    // A modal message box in the current language; an empty caption is the main window's.
    MessageAnswer message(std::string_view text, MessageTopic topic = MessageTopic::Notice,
                          std::string_view caption = {});
    MessageAnswer message(const MessageRequest& request);

    // The progress window is shown only while the engine runs.
    void showProgress(ProgressTask task, int range);
    void setProgress(int position) { host.setProgress(position); }
    void hideProgress() { host.hideProgress(); }

    // Forwards a register whose deviceUpdated is set and clears the flag.
    void forwardIfUpdated(int reg);

    // Real microseconds since the engine thread started.
    std::int64_t elapsedUs() const;
};

}  // namespace tq370
