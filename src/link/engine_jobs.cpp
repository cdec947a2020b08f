#include "link/engine_jobs.h"

#include <array>
#include <string>

#include "link/engine_texts.h"
#include "link/frame.h"
#include "link/read_back.h"
#include "storage/preset_file.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

constexpr int UPLOAD_FIRST_RANGE_START = 230;
constexpr int UPLOAD_FIRST_RANGE_END = 1875;
constexpr int JOB_SETTLE_MS = 10;
constexpr int JOB_SAVED_MS = 5;
constexpr int MODE_JOB_ATTEMPTS = 3;
constexpr int RECALL_SETTLE_MS = 100;
constexpr int RECALL_READ_BACK_DELAY_MS = 200;
constexpr int RECALL_PROGRESS_RANGE = 100;
constexpr int SAVE_MODE_NAME_BYTES = 20;
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

void saveToFile(EngineSession& session) {
    session.sleep(JOB_SETTLE_MS);
    const std::string path = session.link.jobInputs.presetPath();
    if (path.empty()) {
        session.message(text(TXT_ENTER_FILE_NAME));
        return;
    }
    if (!fullReadBack(session) || session.link.modeLocked.load(RELAXED)) {
        session.message(text(TXT_SAVE_FAILED));
        return;
    }

    std::array<std::int32_t, REGISTER_COUNT> values{};
    RegisterTable& table = session.link.registers;
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        values[static_cast<std::size_t>(reg)] = table.getRegister(reg);
        table.entry(reg).deviceUpdated.store(0, RELAXED);
    }
    PresetFile preset;
    preset.header().modelCode = session.link.deviceModelId.load(RELAXED);
    if (preset.saveData(session.folders, path, values) == PresetResult::Success) {
        session.message(preset.lastPath(), text(TXT_SAVE_SUCCESSFUL));
    } else {
        session.message(text(TXT_SAVE_FAILED));
    }
    session.sleep(JOB_SAVED_MS);
}

void recallMode(EngineSession& session) {
    RegisterTable& table = session.link.registers;
    table.setRegister(REG_MODE_COMMAND,
                      table.getRegister(REG_MODE_COMMAND) | (MODE_COMMAND_RECALL << 8));
    session.link.recallDone.store(false, RELAXED);
    const std::uint8_t mode[] = {lowByteOf(table.getRegister(REG_MODE_COMMAND))};
    for (int attempt = 0; attempt < MODE_JOB_ATTEMPTS; ++attempt) {
        // A reply during the sleep is kept by the semaphore for the wait after it.
        session.link.awaitingReply.store(true, RELAXED);
        session.send(CMD_RECALL_MODE, mode);
        session.sleep(RECALL_SETTLE_MS);
        if (session.transport.isConnected()) {
            session.link.replySemaphore.acquireFor(session.link.clock, MODE_JOB_WAIT_MS);
        }
        session.link.awaitingReply.store(false, RELAXED);
        if (session.link.recallDone.load(RELAXED)) break;
    }
    if (!session.link.recallDone.load(RELAXED)) {
        // Register 1893 stays pending: the next flush writes the recall as a register.
        session.message(TEXT_RECALL_FAILED.inCurrentLanguage());
        return;
    }
    table.entry(REG_MODE_COMMAND).value.store(0, RELAXED);
    table.entry(REG_MODE_COMMAND).writePending.store(0, RELAXED);
    session.showProgress(std::string(text(TXT_CALL_MODE)) + std::string(TEXT_ELLIPSIS),
                         RECALL_PROGRESS_RANGE);
    session.setProgress(0);
    session.sleep(RECALL_READ_BACK_DELAY_MS);
    readBackWithRefresh(session);
}

int countClean(const RegisterTable& table) {
    int clean = 0;
    for (int reg = 0; reg < UPLOAD_WALK_END; ++reg) clean += table.isWritePending(reg) ? 0 : 1;
    return clean;
}

void uploadPasses(EngineSession& session) {
    RegisterTable& table = session.link.registers;
    while (session.linkUp() && session.running()) {
        for (int reg = 0; reg < UPLOAD_WALK_END && session.running(); ++reg) {
            session.forwardIfUpdated(reg);
            if (!table.isWritePending(reg)) continue;
            if (auto frame =
                    writeBatchFrame(table.collectWriteBatch(CONTINUE_AT_CURSOR, UPLOAD_BATCH))) {
                session.request(frame->command, frame->payload, session.timings.readWaitMs);
            }
            session.setProgress(countClean(table));
        }
        int clean = countClean(table);
        session.setProgress(clean);
        session.sleep(UPLOAD_PASS_PAUSE_MS);
        if (clean == UPLOAD_WALK_END) break;
    }
}

void upload(EngineSession& session) {
    session.sleep(JOB_SETTLE_MS);
    const std::string path = session.link.jobInputs.presetPath();
    if (path.empty()) {
        session.message(text(TXT_ENTER_FILE_NAME));
        return;
    }
    PresetFile preset;
    if (preset.loadData(session.folders, path) != PresetResult::Success) {
        session.hideProgress();
        session.message(text(TXT_NO_FILES));
    } else if (preset.header().passwordFlag == 1) {
        session.hideProgress();
        session.message(text(TXT_PASSWORD_PROTECTED));
        return;
    } else if (preset.header().modelCode != session.link.deviceModelId.load(RELAXED)) {
        session.hideProgress();
        session.message(text(TXT_WRONG_FILE_VERSION));
    } else {
        RegisterTable& table = session.link.registers;
        const std::vector<std::int32_t>& values = preset.values();
        for (int reg : session.link.jobInputs.registerList()) {
            // A file that declares fewer registers has nothing for the ones beyond.
            if (!RegisterTable::isValid(reg) || static_cast<std::size_t>(reg) >= values.size()) {
                continue;
            }
            table.setRegister(reg, values[static_cast<std::size_t>(reg)] & 0xFFFF);
            table.markDeviceUpdated(reg);
        }
        session.showProgress(TEXT_UPDATE_SCENE.inCurrentLanguage(), REGISTER_COUNT);
        session.setProgress(0);
        table.resetRetryCounts();
        uploadPasses(session);
        session.sleep(UPLOAD_READ_BACK_DELAY_MS);
        readBackWithRefresh(session);
    }
    session.hideProgress();
    if (!session.linkUp() && session.running()) session.message(text(TXT_WRITE_FAILED));
}

void saveMode(EngineSession& session) {
    LinkContext& link = session.link;
    std::array<std::uint8_t, 1 + SAVE_MODE_NAME_BYTES> payload{};
    payload[0] = lowByteOf(link.registers.getRegister(REG_MODE_COMMAND));
    for (int k = 0; k < SAVE_MODE_NAME_BYTES; ++k) {
        payload[static_cast<std::size_t>(1 + k)] = static_cast<std::uint8_t>(
            link.modeNameBuffer[static_cast<std::size_t>(k)].load(RELAXED) & 0xFF);
    }
    link.saveModeDone.store(false, RELAXED);
    for (int attempt = 0; attempt < MODE_JOB_ATTEMPTS; ++attempt) {
        session.request(CMD_SAVE_MODE, payload, MODE_JOB_WAIT_MS);
        if (link.saveModeDone.load(RELAXED)) break;
    }
    if (link.saveModeDone.load(RELAXED)) {
        fetchModeNames(session, 0);
        session.message(text(TXT_SAVE_SUCCESSFUL));
    } else {
        session.message(text(TXT_SAVE_FAILED));
    }
    link.registers.entry(REG_MODE_COMMAND).writePending.store(0, RELAXED);
}

}  // namespace

const std::vector<int>& uploadRegisterList() {
    static const std::vector<int> list = [] {
        std::vector<int> registers{REG_PROBE};
        for (int reg = UPLOAD_FIRST_RANGE_START; reg <= UPLOAD_FIRST_RANGE_END; ++reg) {
            registers.push_back(reg);
        }
        return registers;
    }();
    return list;
}

void runJob(EngineSession& session, int job) {
    switch (job) {
        case JOB_SAVE_TO_FILE:
            saveToFile(session);
            break;
        case JOB_RECALL_MODE:
            recallMode(session);
            break;
        case JOB_UPLOAD:
            upload(session);
            break;
        case JOB_SAVE_MODE:
            saveMode(session);
            break;
        default:
            break;
    }
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
    const std::uint8_t readCurrentMode[] = {0x07, 0x64};
    session.send(CMD_READ, readCurrentMode);
}

}  // namespace tq370
