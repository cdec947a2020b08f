#include "link/link_engine.h"

#include <system_error>

#include "link/engine_jobs.h"
#include "link/engine_main_loop.h"
#include "link/frame.h"
#include "link/processor_identity.h"
#include "link/read_back.h"
#include "text/language.h"
#include "text/program_texts.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

constexpr int START_UP_PAUSE_MS = 500;
constexpr int IDENTIFY_READ_PAUSE_MS = 40;
// The attempt at which a processor that never identified itself is reported.
constexpr int IDENTIFY_REPORT_ATTEMPT = 12;
constexpr int WRONG_MODEL_PAUSE_MS = 2000;
constexpr int KEEP_ALIVE_SETTLE_MS = 20;
constexpr int CONNECTED_SETTLE_MS = 1000;

void clearTextSlots(LinkContext& link) {
    for (TextSlot& slot : link.textSlots) {
        slot.answered.store(0, RELAXED);
        slot.pending.store(0, RELAXED);
        slot.value.store(0, RELAXED);
        slot.retry.store(0, RELAXED);
        slot.setText({});
    }
}

}  // namespace

LinkEngine::LinkEngine(LinkContext& link, LinkHost& host, EngineSetup setup)
    : link_(link), host_(host), setup_(std::move(setup)) {}

LinkEngine::~LinkEngine() {
    stopEngine();
    // A thread that outlived stopEngine's bound is joined here (jthread's destructor).
}

bool LinkEngine::startEngine() {
    {
        std::lock_guard lock(doneMutex_);
        if (!threadDone_) return false;
        threadDone_ = false;
    }
    if (thread_.joinable()) thread_.join();  // a finished earlier run
    try {
        thread_ = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
    } catch (const std::system_error&) {
        {
            std::lock_guard lock(doneMutex_);
            threadDone_ = true;
        }
        MessageRequest request{std::string(TEXT_THREAD_START_FAILED.text),
                               {},
                               MessageButtons::Ok,
                               languageId(TEXT_THREAD_START_FAILED.language),
                               MessageTopic::ThreadStartFailed};
        host_.messageBox(request, {});
        return false;
    }
    return true;
}

StopResult LinkEngine::stopEngine() {
    if (!thread_.joinable()) return StopResult::NotRunning;
    link_.linkUp.store(false, RELAXED);
    thread_.request_stop();
    {
        std::lock_guard lock(transportMutex_);
        if (transport_) transport_->close();
    }
    link_.replySemaphore.release();
    if (!joinWithin(STOP_WAIT_MS)) return StopResult::TimedOut;
    thread_.join();
    return StopResult::Stopped;
}

bool LinkEngine::joinWithin(double ms) {
    std::unique_lock lock(doneMutex_);
    return doneChanged_.wait_for(lock, link_.clock.toReal(ms), [this] { return threadDone_; });
}

bool LinkEngine::isConnected() const {
    std::lock_guard lock(transportMutex_);
    return transport_ && transport_->isConnected();
}

JobTicket LinkEngine::requestSaveToFile(std::string path, bool replaceExisting) {
    JobRequest request;
    request.job = JobKind::SaveToFile;
    request.path = std::move(path);
    request.replaceExisting = replaceExisting;
    return link_.jobs.push(std::move(request));
}

JobTicket LinkEngine::requestUpload(std::string path, std::vector<int> registers) {
    JobRequest request;
    request.job = JobKind::Upload;
    request.path = std::move(path);
    request.registers = std::move(registers);
    return link_.jobs.push(std::move(request));
}

JobTicket LinkEngine::requestRecall(int mode) {
    JobRequest request;
    request.job = JobKind::RecallMode;
    request.mode = mode;
    return link_.jobs.push(std::move(request));
}

JobTicket LinkEngine::requestSaveMode(int mode, std::u16string name) {
    JobRequest request;
    request.job = JobKind::SaveMode;
    request.mode = mode;
    request.name = std::move(name);
    return link_.jobs.push(std::move(request));
}

bool LinkEngine::waitUntilRunning(std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(stateMutex_);
    return stateChanged_.wait_until(lock, deadline, [this] {
        return state() == EngineState::Running && link_.linkUp.load(RELAXED);
    });
}

void LinkEngine::setPaused(bool paused) {
    bool was = paused_.exchange(paused, RELAXED);
    if (was && !paused) link_.linkUp.store(false, RELAXED);
}

void LinkEngine::setState(EngineState state) {
    {
        std::lock_guard lock(stateMutex_);
        state_.store(state, std::memory_order_release);
    }
    stateChanged_.notify_all();
}

void LinkEngine::linkStatus(LinkStatus status, const std::stop_token& stop) {
    host_.linkStatus(status, stop);
}

void LinkEngine::run(std::stop_token stop) {
    stats_.startedUs.store(steadyMicroseconds(), RELAXED);
    setState(EngineState::Starting);
    startUp(stop);

    Transport* transport = nullptr;
    if (!stop.stop_requested()) {
        std::unique_ptr<Transport> made =
            setup_.makeTransport ? setup_.makeTransport(link_) : nullptr;
        std::lock_guard lock(transportMutex_);
        transport_ = std::move(made);
        transport = transport_.get();
    }
    if (transport) {
        host_.setCaption(std::string(CAPTION_PROGRAM) +
                         std::string(transport->traits().captionSuffix));
    }
    linkStatus(LinkStatus::SearchingAtStart, stop);
    if (transport) {
        EngineSession session(link_, host_, *transport, setup_.folders, stop, stats_);
        runConnections(session);
    } else {
        // Nothing to connect with: wait for the stop.
        while (!stop.stop_requested()) engineSleep(link_.clock, stop, START_UP_PAUSE_MS, stats_);
    }

    {
        std::lock_guard lock(transportMutex_);
        if (transport_) transport_->close();
        transport_.reset();
    }
    link_.linkUp.store(false, RELAXED);
    for (const JobOutcome& outcome : link_.jobs.cancelAll(JobResult::Stopped)) {
        host_.jobFinished(outcome);
    }
    setState(EngineState::Stopped);
    {
        std::lock_guard lock(doneMutex_);
        threadDone_ = true;
    }
    doneChanged_.notify_all();
}

void LinkEngine::startUp(const std::stop_token& stop) {
    linkStatus(LinkStatus::SearchingAtStart, stop);
    link_.registers.loadDefaults();
    clearTextSlots(link_);
    engineSleep(link_.clock, stop, START_UP_PAUSE_MS, stats_);
}

void LinkEngine::runConnections(EngineSession& session) {
    EngineMainLoop loop(session, paused_);
    while (session.running()) {
        setState(EngineState::Connecting);
        link_.lastRxTick.store(link_.clock.nowMs(), RELAXED);
        std::int64_t connectStart = steadyMicroseconds();
        bool connected = session.transport.connect(host_, session.stop);
        stats_.connectUs.fetch_add(steadyMicroseconds() - connectStart, RELAXED);
        if (!connected || !session.running()) break;

        setState(EngineState::Identifying);
        Identification identified = identify(session);
        if (!session.running()) break;
        if (identified == Identification::Reconnect) continue;

        if (identified == Identification::Accepted) {
            setState(EngineState::ConnectSequence);
            connectSequence(session, loop);
            setState(EngineState::Running);
            while (session.running() && session.linkUp() &&
                   link_.missCount.load(RELAXED) < session.timings.missLimit) {
                if (stats_.firstIterationUs.load(RELAXED) < 0) {
                    stats_.sleptAtFirstIterationUs.store(stats_.sleptUs.load(RELAXED), RELAXED);
                    stats_.sleepAskedAtFirstIterationUs.store(stats_.sleepAskedUs.load(RELAXED),
                                                              RELAXED);
                    stats_.replyWaitAtFirstIterationUs.store(stats_.replyWaitUs.load(RELAXED),
                                                             RELAXED);
                    stats_.connectAtFirstIterationUs.store(stats_.connectUs.load(RELAXED), RELAXED);
                    stats_.firstIterationUs.store(session.elapsedUs(), RELAXED);
                }
                loop.iterate();
                stats_.mainLoopIterations.fetch_add(1, RELAXED);
            }
        }

        setState(EngineState::Disconnected);
        session.setLinkUp(false);
        if (session.running()) linkStatus(LinkStatus::Searching, session.stop);
    }
}

LinkEngine::Identification LinkEngine::identify(EngineSession& session) {
    session.setLinkUp(true);
    // A model reported on an earlier connection must not vouch for this processor.
    link_.deviceModelId.store(0, RELAXED);
    const std::uint8_t zero[] = {0};
    const OutgoingFrame readRegisterZero = readRegisterFrame(REG_PROBE);
    for (int attempt = 1; link_.registers.getRegister(REG_PROBE) != PROBE_VALUE_ANY_MODEL;
         ++attempt) {
        session.request(CMD_HELLO, zero, HELLO_WAIT_MS);
        session.send(readRegisterZero.command, readRegisterZero.payload);
        session.sleep(IDENTIFY_READ_PAUSE_MS);
        if (!session.running()) return Identification::Reconnect;
        if (attempt == IDENTIFY_REPORT_ATTEMPT) {
            session.message(text(TXT_MODEL_WRONG), MessageTopic::WrongModel);
            session.sleep(WRONG_MODEL_PAUSE_MS);
            return Identification::Reconnect;
        }
        if (link_.deviceModelId.load(RELAXED) == ACCEPTED_MODEL) return Identification::Accepted;
        if (!session.transport.isConnected() ||
            link_.missCount.load(RELAXED) >= session.timings.missLimit - 2) {
            return Identification::Reconnect;
        }
        if (!session.linkUp()) return Identification::LinkLost;
    }
    return Identification::Accepted;
}

void LinkEngine::connectSequence(EngineSession& session, EngineMainLoop& loop) {
    session.keepAlive();
    session.sleep(KEEP_ALIVE_SETTLE_MS);
    // Edits made while the link was down are dropped: the read-back shows what the
    // processor holds. The host hears of each.
    session.reportGivenUp(link_.registers.clearLinkFlags());
    readBackWithRefresh(session);
    fetchModeNames(session, link_.registers.getRegister(REG_MODE_CURRENT) & 0xFF);
    session.sleep(CONNECTED_SETTLE_MS);
    loop.reset();
}

}  // namespace tq370
