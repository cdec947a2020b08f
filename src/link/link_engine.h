#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "link/engine_jobs.h"
#include "link/engine_session.h"
#include "link/job.h"
#include "link/link_context.h"
#include "link/link_host.h"
#include "link/transport.h"

namespace tq370 {

class DataFolders;

// Makes the transport the program chose, once per engine start, on the engine thread.
// nullptr when it cannot be made; the engine then waits for its stop.
using TransportFactory = std::function<std::unique_ptr<Transport>(LinkContext& link)>;

struct EngineSetup {
    const DataFolders& folders;  // presets; outlives the engine
    TransportFactory makeTransport;
};

// Where the engine thread is. Changed only by LinkEngine::setState.
enum class EngineState {
    NotStarted,
    Starting,
    Connecting,
    Identifying,
    ConnectSequence,
    Running,
    Disconnected,
    Stopped,
};

enum class StopResult {
    Stopped,
    NotRunning,
    // The thread did not end within the bound (a host ignored the stop request in a
    // blocking call). stopEngine returned anyway; the destructor joins the thread.
    TimedOut,
};

constexpr int STOP_WAIT_MS = 2000;

// The sync engine: one background thread that selects the transport, connects and
// identifies the processor, reads all registers back, and then keeps table and processor
// in step, runs requested jobs and reconnects whenever the link is lost. The user
// interface reaches it only through the LinkContext, the job requests and setPaused; it
// reaches the user interface only through the LinkHost.
class LinkEngine {
public:
    LinkEngine(LinkContext& link, LinkHost& host, EngineSetup setup);
    ~LinkEngine();
    LinkEngine(const LinkEngine&) = delete;
    LinkEngine& operator=(const LinkEngine&) = delete;

    // Starts the engine thread; false when it runs already or cannot be created (the
    // latter also shown in a message box, from the calling thread).
    bool startEngine();
    // Takes the link down, closes the transport and waits up to STOP_WAIT_MS for the
    // thread. Never hangs, also while the thread sits in a blocking host call.
    StopResult stopEngine();

    // Whether a reply can arrive on the active transport.
    bool isConnected() const;
    // Jobs, each run by the engine between two main-loop iterations (after the link is up
    // again if it is down meanwhile). Each request ends with one JobOutcome: through the
    // host's jobFinished and through the returned ticket; a request still waiting when the
    // engine stops ends as Stopped. Any thread.
    //
    // The processor's settings into the preset file path (a bare name lands in the data
    // folder); with replaceExisting false an existing file ends the job as AlreadyExists.
    JobTicket requestSaveToFile(std::string path, bool replaceExisting = true);
    // The registers of the preset file path into the processor.
    JobTicket requestUpload(std::string path, std::vector<int> registers = uploadRegisterList());
    // Mode 1..16 of the processor becomes its current settings.
    JobTicket requestRecall(int mode);
    // The current settings become mode 1..16 of the processor, named by the first 20
    // characters of name (low bytes, space-padded).
    JobTicket requestSaveMode(int mode, std::u16string name);

    // Pausing stops all traffic; resuming takes the link down for a full reconnect.
    void setPaused(bool paused);
    bool paused() const { return paused_.load(std::memory_order_relaxed); }

    EngineState state() const { return state_.load(std::memory_order_acquire); }
    // Waits until the engine runs its main loop on a live link (true), or until deadline.
    bool waitUntilRunning(std::chrono::steady_clock::time_point deadline) const;
    const EngineStats& stats() const { return stats_; }

private:
    enum class Identification { Accepted, Reconnect, LinkLost };

    void run(std::stop_token stop);
    void startUp(const std::stop_token& stop);
    void runConnections(EngineSession& session);
    Identification identify(EngineSession& session);
    void connectSequence(EngineSession& session, class EngineMainLoop& loop);
    void setState(EngineState state);
    void linkStatus(LinkStatus status, const std::stop_token& stop);
    bool joinWithin(double ms);

    LinkContext& link_;
    LinkHost& host_;
    EngineSetup setup_;
    EngineStats stats_;
    std::atomic<EngineState> state_{EngineState::NotStarted};
    mutable std::mutex stateMutex_;  // with stateChanged_, for waitUntilRunning
    mutable std::condition_variable stateChanged_;
    std::atomic<bool> paused_{false};

    mutable std::mutex transportMutex_;  // guards transport_ (made by the thread, closed by stop)
    std::unique_ptr<Transport> transport_;

    std::mutex doneMutex_;  // guards threadDone_
    std::condition_variable doneChanged_;
    bool threadDone_ = true;
    std::jthread thread_;
};

}  // namespace tq370
