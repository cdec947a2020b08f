#include "link/read_back.h"

#include <algorithm>

#include "link/frame.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

constexpr int SEND_ALL_TRIES = 4;
constexpr int SEND_ALL_SETTLE_MS = 500;
// More arrivals than this show that the processor has started its bulk answer.
constexpr int SEND_ALL_STARTED = 10;
constexpr int SEND_ALL_POLLS = 20;
constexpr int SEND_ALL_POLL_MS = 150;
// The bulk answer counts as complete from this many registers on.
constexpr int SEND_ALL_ENOUGH = 1891;
constexpr int BATCH_PASSES = 5;
constexpr int READ_BATCH_ASK = 32;
constexpr int PASS_PAUSE_MS = 30;
constexpr int LAST_PASS_PAUSE_MS = 10;
constexpr int REFRESH_SETTLE_MS = 1;
constexpr int REFRESH_DONE_MS = 100;
// The refresh moves the progress bar at registers 1, 39, 77, ...
constexpr int REFRESH_PROGRESS_STEP = 38;

class ArrivalProgress {
public:
    explicit ArrivalProgress(EngineSession& session) : session_(session) {}
    // Moves the progress bar to the highest arrival count seen; returns the current count.
    int update() {
        int count = session_.link.registers.countDeviceUpdated();
        highest_ = std::max(highest_, count);
        session_.setProgress(highest_);
        return count;
    }

private:
    EngineSession& session_;
    int highest_ = 0;
};

// The bulk request; false when the transport vanished meanwhile.
bool requestSendAll(EngineSession& session, ArrivalProgress& progress) {
    const std::uint8_t zero[] = {0};
    for (int attempt = 0; attempt < SEND_ALL_TRIES; ++attempt) {
        session.send(CMD_SEND_ALL, zero);
        session.sleep(SEND_ALL_SETTLE_MS);
        int arrived = session.link.registers.countDeviceUpdated();
        if (!session.transport.isConnected()) return false;
        if (arrived > SEND_ALL_STARTED) break;
    }
    for (int poll = 0; poll < SEND_ALL_POLLS; ++poll) {
        if (progress.update() >= SEND_ALL_ENOUGH) break;
        session.sleep(SEND_ALL_POLL_MS);
    }
    return true;
}

// One request for each register still missing, each answered or timed out before the next.
void readPass(EngineSession& session, ArrivalProgress& progress) {
    RegisterTable& table = session.link.registers;
    for (int reg = 0; reg <= LAST_REGISTER && session.linkUp() && session.running(); ++reg) {
        if (table.isDeviceUpdated(reg)) continue;
        if (auto frame =
                readRequestFrame(table.collectReadBatch(CONTINUE_AT_CURSOR, READ_BATCH_ASK))) {
            session.request(frame->command, frame->payload, session.timings.readWaitMs);
        }
        progress.update();
    }
}

ReadBackReport failReadBack(EngineSession& session) {
    session.hideProgress();
    session.message(text(TXT_READ_FAILED), MessageTopic::ReadFailed);
    return {};
}

// The report of a read-back that ran to its end, told to whoever asks and to the host.
ReadBackReport finished(EngineSession& session, ReadBackReport report) {
    session.link.setLastReadBack(report);
    session.host.readBackFinished(report);
    return report;
}

}  // namespace

ReadBackReport fullReadBack(EngineSession& session) {
    RegisterTable& table = session.link.registers;
    table.resetRetryCounts();
    table.clearDeviceUpdated();
    const std::uint8_t zero[] = {0};
    session.request(CMD_HELLO, zero, HELLO_WAIT_MS);
    if (session.link.modeLocked.load(std::memory_order_relaxed)) {
        session.message(text(TXT_ENCRYPTED_MODE), MessageTopic::ModeLocked);
        return finished(session, {ReadBackOutcome::Locked, {}});
    }

    session.showProgress(ProgressTask::ReadDeviceData, REGISTER_COUNT);
    session.setProgress(0);
    ArrivalProgress progress(session);
    if (session.transport.traits().bulkReadBack && !requestSendAll(session, progress)) {
        return finished(session, {});
    }

    table.collectReadBatch(0, 0);  // the passes start at register 0
    for (int pass = 1; pass <= BATCH_PASSES; ++pass) {
        readPass(session, progress);
        progress.update();
        if (!session.running()) return {};  // stopping: nobody to tell
        if (!session.linkUp()) return finished(session, failReadBack(session));
        session.sleep(pass < BATCH_PASSES ? PASS_PAUSE_MS : LAST_PASS_PAUSE_MS);
    }
    session.hideProgress();
    ReadBackReport report{ReadBackOutcome::Complete, {}};
    for (int reg = 0; reg <= LAST_REGISTER; ++reg) {
        if (!table.isDeviceUpdated(reg)) report.missing.push_back(reg);
    }
    if (!report.missing.empty()) report.outcome = ReadBackOutcome::Incomplete;
    return finished(session, std::move(report));
}

ReadBackReport readBackWithRefresh(EngineSession& session) {
    ReadBackReport report = fullReadBack(session);
    if (report.outcome == ReadBackOutcome::Failed) return report;
    if (session.running()) {
        session.hideProgress();
        session.showProgress(ProgressTask::UpdateDisplayData, REGISTER_COUNT);
        session.setProgress(0);
    }
    session.sleep(REFRESH_SETTLE_MS);
    for (int reg = 0; reg <= LAST_REGISTER; ++reg) {
        session.forwardIfUpdated(reg);
        if (reg % REFRESH_PROGRESS_STEP == 1) session.setProgress(reg);
    }
    session.sleep(REFRESH_DONE_MS);
    session.hideProgress();
    return report;
}

}  // namespace tq370
