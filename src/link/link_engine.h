#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include "link/engine_session.h"
#include "link/link_context.h"
#include "link/link_host.h"
#include "link/transport.h"

namespace tq370 {

class DataFolders;

// Makes the transport of the configured kind, once per engine start, on the engine
// thread. nullptr when that kind cannot be made; the engine then waits for its stop.
using TransportFactory =
    std::function<std::unique_ptr<Transport>(LinkContext& link, TransportKind kind, int baudRate)>;

struct EngineSetup {
    const DataFolders& folders;  // presets and the configuration file; outlives the engine
    std::string configSection;   // normally DataFolders::runningProgramName()
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

constexpr int DEFAULT_BAUD_RATE = 128000;
constexpr int STOP_WAIT_MS = 2000;

// The sync engine: one background thread that selects the transport, connects and
// identifies the processor, reads all registers back, and then keeps table and processor
// in step, runs requested jobs and reconnects whenever the link is lost. The user
// interface reaches it only through the LinkContext, requestJob and setPaused; it reaches
// the user interface only through the LinkHost.
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
    // Sets JobRequest flag job (1..15); the engine runs it between two main-loop iterations.
    void requestJob(int job);
    // Pausing stops all traffic; resuming takes the link down for a full reconnect.
    void setPaused(bool paused);
    bool paused() const { return paused_.load(std::memory_order_relaxed); }

    EngineState state() const { return state_.load(std::memory_order_acquire); }
    const EngineStats& stats() const { return stats_; }

private:
    enum class Identification { Accepted, Reconnect, LinkLost };

    void run(std::stop_token stop);
    TransportKind startUp(const std::stop_token& stop, int& baudRate);
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
    std::atomic<bool> paused_{false};

    mutable std::mutex transportMutex_;  // guards transport_ (made by the thread, closed by stop)
    std::unique_ptr<Transport> transport_;

    std::mutex doneMutex_;  // guards threadDone_
    std::condition_variable doneChanged_;
    bool threadDone_ = true;
    std::jthread thread_;
};

}  // namespace tq370
