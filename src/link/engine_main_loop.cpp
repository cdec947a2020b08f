#include "link/engine_main_loop.h"

#include "link/engine_jobs.h"
#include "link/frame.h"
#include "link/text_confirmations.h"
#include "link/text_slots.h"
#include "text/language.h"
#include "text/program_texts.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

constexpr int ITERATION_PAUSE_MS = 10;
constexpr int PAUSED_STEP_MS = 10;
// A text command is given up when its retry byte reaches this: after 9 sends.
constexpr int TEXT_GIVE_UP_AT = 10;
constexpr int FLUSH_BATCH = 24;
constexpr int JOB_START_DELAY_MS = 100;
// Idle pacing: short sleeps first, longer ones from IDLE_SLOW on, and from IDLE_KEEP_ALIVE
// on a keep-alive every sixth iteration.
constexpr int IDLE_SLOW = 10;
constexpr int IDLE_KEEP_ALIVE = 15;
constexpr int IDLE_FAST_MS = 40;
constexpr int IDLE_SLOW_MS = 100;
constexpr int KEEP_ALIVE_PAUSE_MS = 50;

}  // namespace

EngineMainLoop::EngineMainLoop(EngineSession& session, const std::atomic<bool>& paused)
    : session_(session), paused_(paused) {}

void EngineMainLoop::reset() {
    idle_ = 0;
    textCursor_ = 0;
    flushCursor_ = 0;
}

void EngineMainLoop::iterate() {
    session_.sleep(ITERATION_PAUSE_MS);
    waitWhilePaused();
    // Resuming takes the link down for a full reconnect; nothing more goes out before it.
    if (!session_.linkUp() || !session_.running()) return;
    // Where the transport carries the text commands itself (WiFi), it also confirms them.
    if (session_.transport.traits().engineSendsTextCommands) {
        serviceTextSlot();
        showConfirmations();
    }
    flush();
    forwardChanges();
    runRequestedJobs();
    pace();
}

void EngineMainLoop::waitWhilePaused() {
    while (paused_.load(RELAXED) && session_.running()) session_.sleep(PAUSED_STEP_MS);
}

void EngineMainLoop::serviceTextSlot() {
    textCursor_ = nextPendingTextSlot(session_.link, textCursor_);
    if (textCursor_ >= TEXT_SLOT_COUNT) return;

    TextSlot& slot = session_.link.textSlots[static_cast<std::size_t>(textCursor_)];
    int retry = slot.retry.load(RELAXED) + 1;
    if (retry >= TEXT_GIVE_UP_AT) {
        slot.retry.store(0, RELAXED);
        slot.pending.store(0, RELAXED);
        session_.host.textCommandGivenUp(textCursor_);
    } else {
        slot.retry.store(static_cast<std::int8_t>(retry), RELAXED);
        std::string command = slot.text();
        ReplyWait wait = session_.request(
            CMD_TEXT,
            std::span(reinterpret_cast<const std::uint8_t*>(command.data()), command.size()),
            session_.timings.replyWaitMs);
        session_.dropLinkIfDead(wait);
    }
    idle_ = 0;
}

void EngineMainLoop::showConfirmations() {
    for (TextConfirmation confirmation : takeTextConfirmations(session_.link)) {
        session_.message({std::string(textConfirmationText(confirmation)),
                          std::string(CAPTION_WIFI), MessageButtons::Ok,
                          languageId(currentLanguage()), MessageTopic::WifiConfirmed,
                          confirmation});
    }
}

void EngineMainLoop::flush() {
    RegisterTable& table = session_.link.registers;
    if (flushCursor_ >= REGISTER_COUNT) flushCursor_ = 0;
    while (flushCursor_ < REGISTER_COUNT && !table.isWritePending(flushCursor_)) ++flushCursor_;
    if (flushCursor_ >= REGISTER_COUNT) return;

    ReplyWait wait = session_.sendWriteBatch(table.collectWriteBatch(flushCursor_, FLUSH_BATCH),
                                             session_.timings.replyWaitMs);
    session_.dropLinkIfDead(wait);
    idle_ = 0;
}

void EngineMainLoop::forwardChanges() {
    // Register 0 is forwarded only by the refresh after a full read-back.
    for (int reg = 1; reg <= LAST_REGISTER; ++reg) session_.forwardIfUpdated(reg);
}

void EngineMainLoop::runRequestedJobs() {
    for (JobKind kind : JOB_KINDS_IN_ORDER) {
        if (!session_.link.jobs.waiting(kind)) continue;
        session_.sleep(JOB_START_DELAY_MS);
        std::optional<JobRequest> request = session_.link.jobs.take(kind);
        if (!request) continue;
        JobOutcome outcome = runJob(session_, *request);
        idle_ = 0;
        if (session_.running()) session_.hideProgress();
        finishJob(session_, *request, outcome);
    }
}

void EngineMainLoop::pace() {
    if (idle_ < IDLE_KEEP_ALIVE) {
        ++idle_;
        session_.sleep(idle_ < IDLE_SLOW ? IDLE_FAST_MS : IDLE_SLOW_MS);
        return;
    }
    idle_ = IDLE_SLOW;
    session_.keepAlive();
    session_.sleep(KEEP_ALIVE_PAUSE_MS);
    session_.sleep(IDLE_SLOW_MS);
}

}  // namespace tq370
