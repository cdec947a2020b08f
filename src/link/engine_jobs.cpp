#include "link/engine_jobs.h"

#include <array>
#include <string>

#include "link/frame.h"
#include "link/job_messages.h"
#include "link/read_back.h"
#include "storage/data_folders.h"
#include "storage/preset_file.h"
#include "storage/preset_name.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

constexpr int JOB_SETTLE_MS = 10;
constexpr int JOB_SAVED_MS = 5;
constexpr int MODE_JOB_ATTEMPTS = 3;
constexpr int RECALL_SETTLE_MS = 100;
constexpr int RECALL_READ_BACK_DELAY_MS = 200;
constexpr int RECALL_PROGRESS_RANGE = 100;
constexpr int NAME_REQUEST_GAP_MS = 20;
constexpr int NAME_ROUNDS = 3;
constexpr int UPLOAD_BATCH = 24;
// The upload walks registers 0..1899 and counts those 1,900 as its progress.
constexpr int UPLOAD_WALK_END = LAST_REGISTER;
constexpr int UPLOAD_PASS_PAUSE_MS = 1;
constexpr int UPLOAD_READ_BACK_DELAY_MS = 100;

std::uint8_t lowByteOf(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

JobOutcome outcomeOf(EngineSession& session, const JobRequest& request) {
    JobOutcome outcome;
    outcome.job = request.job;
    outcome.path = request.path;
    outcome.mode = request.mode;
    outcome.deviceModel = session.link.deviceModelId.load(RELAXED);
    return outcome;
}

// A job cut short by a stop or a lost link says so, whatever step it was at.
JobOutcome& endedEarly(EngineSession& session, JobOutcome& outcome) {
    outcome.result = session.running() ? JobResult::LinkLost : JobResult::Stopped;
    return outcome;
}

JobOutcome saveToFile(EngineSession& session, const JobRequest& request) {
    JobOutcome outcome = outcomeOf(session, request);
    session.sleep(JOB_SETTLE_MS);
    if (request.path.empty()) {
        outcome.result = JobResult::NoFileName;
        return outcome;
    }
    if (!request.replaceExisting && session.folders.findData(request.path)) {
        outcome.result = JobResult::AlreadyExists;
        outcome.path = withPresetExtension(request.path);
        return outcome;
    }
    ReadBackReport read = fullReadBack(session);
    if (read.outcome == ReadBackOutcome::Failed) {
        if (!session.running()) return endedEarly(session, outcome);
        outcome.result = session.linkUp() ? JobResult::ReadFailed : JobResult::LinkLost;
        return outcome;
    }
    if (read.outcome == ReadBackOutcome::Locked || session.link.modeLocked.load(RELAXED)) {
        outcome.result = JobResult::ModeLocked;
        return outcome;
    }
    // A register that never arrived would be saved with a value the processor never sent.
    if (read.outcome == ReadBackOutcome::Incomplete) {
        outcome.result = JobResult::ReadIncomplete;
        outcome.missing = std::move(read.missing);
        return outcome;
    }

    std::array<std::int32_t, REGISTER_COUNT> values{};
    RegisterTable& table = session.link.registers;
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        values[static_cast<std::size_t>(reg)] = table.getRegister(reg);
        table.clearDeviceUpdated(reg);
    }
    PresetFile preset;
    preset.header().modelCode = outcome.deviceModel;
    outcome.storage = preset.saveData(session.folders, request.path, values);
    outcome.path = preset.lastPath();
    if (outcome.storage == PresetResult::Success) {
        outcome.result = JobResult::Done;
    } else {
        outcome.result = JobResult::WriteFailed;
        outcome.systemError = preset.lastError();
    }
    return outcome;
}

JobOutcome recallMode(EngineSession& session, const JobRequest& request) {
    JobOutcome outcome = outcomeOf(session, request);
    RegisterTable& table = session.link.registers;
    // Pending, so that a recall nobody answers goes out with the next flush as a write.
    table.setRegister(REG_MODE_COMMAND, (MODE_COMMAND_RECALL << 8) | (request.mode & 0xFF));
    session.link.recallDone.store(false, RELAXED);
    const std::uint8_t mode[] = {lowByteOf(request.mode)};
    for (int attempt = 0; attempt < MODE_JOB_ATTEMPTS; ++attempt) {
        // A reply during the sleep is kept by the semaphore for the wait after it.
        ScopedReplyWait reply(session.link);
        session.send(CMD_RECALL_MODE, mode);
        session.sleep(RECALL_SETTLE_MS);
        reply.wait(session.transport, MODE_JOB_WAIT_MS);
        if (session.link.recallDone.load(RELAXED)) break;
    }
    if (!session.running()) return endedEarly(session, outcome);
    if (!session.link.recallDone.load(RELAXED)) {
        outcome.result = JobResult::NoReply;
        return outcome;
    }
    table.storeUnsent(REG_MODE_COMMAND, 0);
    table.dropPendingWrite(REG_MODE_COMMAND);
    session.showProgress(ProgressTask::RecallMode, RECALL_PROGRESS_RANGE);
    session.setProgress(0);
    session.sleep(RECALL_READ_BACK_DELAY_MS);
    ReadBackReport read = readBackWithRefresh(session);
    if (read.outcome == ReadBackOutcome::Failed) {
        if (!session.running()) return endedEarly(session, outcome);
        outcome.result = session.linkUp() ? JobResult::ReadFailed : JobResult::LinkLost;
        return outcome;
    }
    outcome.result =
        read.outcome == ReadBackOutcome::Incomplete ? JobResult::ReadIncomplete : JobResult::Done;
    outcome.missing = std::move(read.missing);
    return outcome;
}

int countClean(const RegisterTable& table) {
    int clean = 0;
    for (int reg = 0; reg < UPLOAD_WALK_END; ++reg) clean += table.isWritePending(reg) ? 0 : 1;
    return clean;
}

void uploadPasses(EngineSession& session) {
    RegisterTable& table = session.link.registers;
    while (session.linkUp() && session.running()) {
        // A pass stops as soon as the link is down: the rest of it would only wait out
        // one reply time-out per register.
        for (int reg = 0; reg < UPLOAD_WALK_END && session.running() && session.linkUp(); ++reg) {
            session.forwardIfUpdated(reg);
            if (!table.isWritePending(reg)) continue;
            session.sendWriteBatch(table.collectWriteBatch(CONTINUE_AT_CURSOR, UPLOAD_BATCH),
                                   session.timings.readWaitMs);
            session.setProgress(countClean(table));
        }
        int clean = countClean(table);
        session.setProgress(clean);
        session.sleep(UPLOAD_PASS_PAUSE_MS);
        if (clean == UPLOAD_WALK_END) break;
    }
}

JobOutcome upload(EngineSession& session, const JobRequest& request) {
    JobOutcome outcome = outcomeOf(session, request);
    session.sleep(JOB_SETTLE_MS);
    if (request.path.empty()) {
        outcome.result = JobResult::NoFileName;
        return outcome;
    }
    PresetFile preset;
    outcome.storage = preset.loadData(session.folders, request.path);
    outcome.path = preset.lastPath();
    outcome.fileModel = static_cast<std::uint16_t>(preset.header().modelCode);
    if (outcome.storage != PresetResult::Success) {
        outcome.result = JobResult::FileUnreadable;
        outcome.systemError = preset.lastError();
        outcome.fileModel = 0;
    } else if (preset.header().passwordFlag == 1) {
        session.hideProgress();
        outcome.result = JobResult::PasswordProtected;
        return outcome;
    } else if (preset.header().modelCode != outcome.deviceModel) {
        outcome.result = JobResult::WrongModel;
    } else {
        RegisterTable& table = session.link.registers;
        const std::vector<std::int32_t>& values = preset.values();
        for (int reg : request.registers) {
            // A file that declares fewer registers has nothing for the ones beyond.
            if (!RegisterTable::isValid(reg) || static_cast<std::size_t>(reg) >= values.size()) {
                continue;
            }
            table.setRegister(reg, values[static_cast<std::size_t>(reg)] & 0xFFFF);
            table.markDeviceUpdated(reg);
        }
        session.showProgress(ProgressTask::UpdateSceneData, REGISTER_COUNT);
        session.setProgress(0);
        table.resetRetryCounts();
        uploadPasses(session);
        session.sleep(UPLOAD_READ_BACK_DELAY_MS);
        readBackWithRefresh(session);
        outcome.result = JobResult::Done;
    }
    session.hideProgress();
    if (!session.running()) return endedEarly(session, outcome);
    outcome.linkDownAtEnd = !session.linkUp();
    if (outcome.linkDownAtEnd && outcome.result == JobResult::Done) {
        outcome.result = JobResult::LinkLost;
    }
    return outcome;
}

JobOutcome saveMode(EngineSession& session, const JobRequest& request) {
    JobOutcome outcome = outcomeOf(session, request);
    LinkContext& link = session.link;
    // The command word the mode page keeps for this request; the save itself goes out as
    // its own command below, never as a write of the register.
    link.registers.storeUnsent(REG_MODE_COMMAND, (MODE_COMMAND_SAVE << 8) | (request.mode & 0xFF));
    std::array<std::uint8_t, 1 + MODE_NAME_SENT> payload{};
    payload[0] = lowByteOf(request.mode);
    for (std::size_t k = 0; k < MODE_NAME_SENT; ++k) {
        // Short names are space-padded, as the name box pads them.
        const char16_t c = k < request.name.size() ? request.name[k] : u' ';
        payload[1 + k] = static_cast<std::uint8_t>(c & 0xFF);
    }
    link.saveModeDone.store(false, RELAXED);
    for (int attempt = 0; attempt < MODE_JOB_ATTEMPTS; ++attempt) {
        session.request(CMD_SAVE_MODE, payload, MODE_JOB_WAIT_MS);
        if (link.saveModeDone.load(RELAXED)) break;
    }
    if (link.saveModeDone.load(RELAXED)) {
        fetchModeNames(session, 0);
        outcome.result = JobResult::Done;
    } else if (!session.running()) {
        endedEarly(session, outcome);
    } else {
        outcome.result = JobResult::NoReply;
    }
    link.registers.dropPendingWrite(REG_MODE_COMMAND);
    return outcome;
}

}  // namespace

JobOutcome runJob(EngineSession& session, const JobRequest& request) {
    switch (request.job) {
        case JobKind::SaveToFile: {
            JobOutcome outcome = saveToFile(session, request);
            session.sleep(JOB_SAVED_MS);
            return outcome;
        }
        case JobKind::RecallMode:
            return recallMode(session, request);
        case JobKind::Upload:
            return upload(session, request);
        case JobKind::SaveMode:
            return saveMode(session, request);
    }
    JobOutcome unknown = outcomeOf(session, request);
    return endedEarly(session, unknown);
}

void finishJob(EngineSession& session, const JobRequest& request, const JobOutcome& outcome) {
    for (const MessageRequest& box : jobOutcomeMessages(outcome)) session.message(box);
    session.host.jobFinished(outcome);
    request.ticket.complete(outcome);
}

void fetchModeNames(EngineSession& session, int currentMode) {
    LinkContext& link = session.link;
    auto ask = [&](int mode) {
        const std::uint8_t payload[] = {static_cast<std::uint8_t>(mode)};
        session.send(CMD_MODE_NAME, payload);
        session.sleep(NAME_REQUEST_GAP_MS);
    };
    for (int mode = 1; mode <= MODE_COUNT; ++mode) {
        link.modeNameArrived(mode).store(false, RELAXED);
        ask(mode);
    }
    for (int round = 1; round < NAME_ROUNDS; ++round) {
        for (int mode = 1; mode <= MODE_COUNT; ++mode) {
            if (!link.modeNameArrived(mode).load(std::memory_order_acquire)) ask(mode);
        }
    }
    if (currentMode != 0) ask(currentMode);
    const OutgoingFrame readCurrentMode = readRegisterFrame(REG_MODE_CURRENT);
    session.send(readCurrentMode.command, readCurrentMode.payload);
}

}  // namespace tq370
