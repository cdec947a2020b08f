#include <gtest/gtest.h>

#include <array>

#include "engine_fixture.h"
#include "link/engine_jobs.h"
#include "link/frame.h"
#include "storage/preset_file.h"

namespace tq370::test {
namespace {

using Kind = RecordingLinkHost::Kind;

class EngineJobs : public EngineFixture {
protected:
    bool shownProgress(const std::string& text, std::size_t after = 0) const {
        auto events = host->events();
        for (std::size_t i = after; i < events.size(); ++i) {
            if (events[i].kind == Kind::ShowProgress && events[i].text == text) return true;
        }
        return false;
    }
    // Writes a preset of the given model whose every value differs from the simulator's.
    std::string writePreset(const std::string& name, std::int32_t model) {
        std::array<std::int32_t, REGISTER_COUNT> values{};
        auto current = sim->registers();
        for (int r = 0; r < REGISTER_COUNT; ++r) values[r] = (current[r] + 1000 + r) & 0xFFFF;
        PresetFile preset;
        preset.header().modelCode = model;
        EXPECT_EQ(preset.saveData(folders, name, values), PresetResult::Success);
        return preset.lastPath();
    }
    void requestUpload(const std::string& name) {
        link->jobInputs.setPresetPath(name);
        link->jobInputs.setRegisterList(uploadRegisterList());
        engine->requestJob(JOB_UPLOAD);
    }
};

TEST_F(EngineJobs, SaveToFileWritesThePresetTheProcessorHolds) {
    scrambleSimulator(3);
    start();
    ASSERT_TRUE(waitRunning());
    link->jobInputs.setPresetPath("dump");
    engine->requestJob(JOB_SAVE_TO_FILE);
    ASSERT_TRUE(host->waitForMessage(folders.dataFolder() + "dump.mxb", realMs(30'000)));
    auto events = host->events();
    EXPECT_EQ(events.back().caption, "Save successfully!");

    PresetFile saved;
    ASSERT_EQ(saved.readRecord(folders.dataFolder() + "dump.mxb"), PresetResult::Success);
    EXPECT_EQ(saved.header().modelCode, SIMULATED_MODEL);
    auto expected = sim->registers();
    ASSERT_EQ(saved.values().size(), expected.size());
    for (int r = 0; r < REGISTER_COUNT; ++r) {
        if (r == REG_MODE_COMMAND) continue;  // holds the last mode name's number
        ASSERT_EQ(saved.values()[r], expected[r]) << "register " << r;
    }
    EXPECT_EQ(link->registers.countDeviceUpdated(), 0) << "cleared while copying";
}

TEST_F(EngineJobs, SaveToFileWithoutANameAsksForOne) {
    start();
    ASSERT_TRUE(waitRunning());
    engine->requestJob(JOB_SAVE_TO_FILE);
    ASSERT_TRUE(host->waitForMessage("Please enter the file name!", realMs(10'000)));
}

TEST_F(EngineJobs, SaveToFileOnALockedModeShowsTheLockAndFails) {
    SimulatorFaults faults;
    faults.register0AnyModel = true;  // the lock form carries no model
    sim->setFaults(faults);
    sim->setLockForm(16, 1u << 8);  // the current mode, 8, is locked
    start();
    ASSERT_TRUE(waitRunning());
    ASSERT_TRUE(link->modeLocked.load());
    link->jobInputs.setPresetPath("locked");
    engine->requestJob(JOB_SAVE_TO_FILE);
    ASSERT_TRUE(host->waitForMessage("Save Failed!", realMs(10'000)));
    EXPECT_EQ(host->messages(),
              (std::vector<std::string>{"Unable to read encrypted mode!", "Save Failed!"}));
    EXPECT_FALSE(folders.findData("locked"));
}

TEST_F(EngineJobs, UploadOfAnotherModelsFileChangesNoRegister) {
    start();
    ASSERT_TRUE(waitRunning());
    writePreset("other", 12345);
    auto before = sim->registers();
    requestUpload("other");
    ASSERT_TRUE(host->waitForMessage("Wrong file version。", realMs(10'000)));
    waitIterations(3);
    EXPECT_EQ(sim->registers(), before);
    EXPECT_EQ(sim->writesReceived(1000), 0);
}

TEST_F(EngineJobs, UploadOfAMissingFileSaysSo) {
    start();
    ASSERT_TRUE(waitRunning());
    requestUpload("nowhere");
    ASSERT_TRUE(host->waitForMessage("No files。", realMs(10'000)));
}

TEST_F(EngineJobs, UploadWritesRegisterZeroAnd230To1875Only) {
    start();
    ASSERT_TRUE(waitRunning());
    writePreset("scene", SIMULATED_MODEL);
    PresetFile file;
    ASSERT_EQ(file.loadData(folders, "scene"), PresetResult::Success);
    auto before = sim->registers();
    const std::size_t eventsBefore = host->events().size();
    requestUpload("scene");
    ASSERT_TRUE(waitUntil([&] { return shownProgress("Update Scene Data:%5.0f %%", eventsBefore); },
                          10'000));
    ASSERT_TRUE(waitUntil(
        [&] { return shownProgress("Update Display Data:%5.0f %%", eventsBefore); }, 60'000));

    auto after = sim->registers();
    for (int r = 0; r < REGISTER_COUNT; ++r) {
        SCOPED_TRACE(r);
        bool uploaded = r == 0 || (r >= 230 && r <= 1875);
        ASSERT_EQ(after[r], uploaded ? file.values()[r] : before[r]);
    }
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(EngineJobs, RecallWithoutAReplyLeavesTheModeCommandPendingForTheNextFlush) {
    start();
    ASSERT_TRUE(waitRunning());
    host->blockMessages();
    // Mode 0, as a current mode beyond the mode list asks for: the processor stays quiet.
    link->registers.setRegister(REG_MODE_COMMAND, 0x0600);
    engine->requestJob(JOB_RECALL_MODE);
    ASSERT_TRUE(waitUntil([&] { return host->blockedCount() == 1; }, 30'000));
    EXPECT_EQ(host->messages(), std::vector<std::string>{"Invocation pattern of failure!"});
    EXPECT_EQ(sim->framesReceived(CMD_RECALL_MODE), 3);
    EXPECT_TRUE(link->registers.isWritePending(REG_MODE_COMMAND));
    EXPECT_EQ(link->registers.getRegister(REG_MODE_COMMAND), 0x0600);
    // The iteration that took the job may have flushed the register already.
    const int writes = sim->writesReceived(REG_MODE_COMMAND);
    host->release();
    ASSERT_TRUE(waitUntil([&] { return sim->writesReceived(REG_MODE_COMMAND) > writes; }, 5000));
    EXPECT_EQ(sim->registerValue(REG_MODE_COMMAND), 0x0600);
}

// A message box holds the engine while both jobs are requested, so they meet in one
// iteration; the recall must reach the processor before the save. The recall clears
// register 1893 and reads it back, so the save goes to the mode the processor reports
// there (its low byte), not to the recalled one.
TEST_F(EngineJobs, RecallAndSaveRequestedTogetherRunRecallFirst) {
    start();
    ASSERT_TRUE(waitRunning());
    host->blockMessages();
    engine->requestJob(JOB_SAVE_TO_FILE);  // no preset path: a message box
    ASSERT_TRUE(waitUntil([&] { return host->blockedCount() == 1; }, 10'000));

    const std::string name = "Stage               ";
    for (std::size_t k = 0; k < MODE_NAME_LENGTH; ++k) {
        link->modeNameBuffer[k].store(k < name.size() ? name[k] : u' ');
    }
    link->registers.setRegister(REG_MODE_COMMAND, 0x0703);
    engine->requestJob(JOB_SAVE_MODE);
    engine->requestJob(JOB_RECALL_MODE);
    host->release();

    ASSERT_TRUE(host->waitForMessage("Save successfully!", realMs(30'000)));
    EXPECT_GT(sim->lastFrameSequence(CMD_RECALL_MODE), 0u);
    EXPECT_LT(sim->lastFrameSequence(CMD_RECALL_MODE), sim->lastFrameSequence(CMD_SAVE_MODE));
    EXPECT_EQ(sim->registerValue(REG_MODE_CURRENT), 3);
    const int savedMode = sim->registerValue(REG_MODE_COMMAND) & 0xFF;
    EXPECT_EQ(sim->modeName(savedMode), name);
    EXPECT_FALSE(link->registers.isWritePending(REG_MODE_COMMAND));
}

}  // namespace
}  // namespace tq370::test
