#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>

#include "engine_fixture.h"
#include "link/engine_jobs.h"
#include "link/frame.h"
#include "storage/preset_file.h"

namespace tq370::test {
namespace {

using Kind = RecordingLinkHost::Kind;

class EngineJobs : public EngineFixture {
public:
    // For the request functions of the case table.
    using EngineFixture::engine;
    using EngineFixture::sim;

    bool shownProgress(ProgressTask task, std::size_t after = 0) const {
        auto events = host->events();
        for (std::size_t i = after; i < events.size(); ++i) {
            if (events[i].kind == Kind::ShowProgress && events[i].task == task) return true;
        }
        return false;
    }
    // Writes a preset of the given model whose every value differs from the simulator's.
    std::string writePreset(const std::string& name, std::int32_t model, bool password = false) {
        std::array<std::int32_t, REGISTER_COUNT> values{};
        auto current = sim->registers();
        for (int r = 0; r < REGISTER_COUNT; ++r) values[r] = (current[r] + 1000 + r) & 0xFFFF;
        PresetFile preset;
        preset.header().modelCode = model;
        preset.header().passwordFlag = password ? 1 : 0;
        EXPECT_EQ(preset.saveData(folders, name, values), PresetResult::Success);
        return preset.lastPath();
    }
    std::optional<JobOutcome> outcomeOf(const JobTicket& ticket) {
        return ticket.waitFor(realMs(60'000));
    }
};

struct OutcomeCase {
    const char* what;
    std::function<JobTicket(EngineJobs&)> request;
    JobKind job;
    JobResult result;
    std::vector<std::string> messages;
};

// Every job request ends with one outcome, the same through the ticket and the host, told
// to the user by the message boxes the jobs have always shown.
TEST_F(EngineJobs, EachRequestEndsWithItsOutcome) {
    const OutcomeCase cases[] = {
        {"saved",
         [](EngineJobs& t) { return t.engine->requestSaveToFile("dump"); },
         JobKind::SaveToFile,
         JobResult::Done,
         {}},
        {"target exists",
         [](EngineJobs& t) {
             t.writePreset("kept", SIMULATED_MODEL);
             return t.engine->requestSaveToFile("kept", false);
         },
         JobKind::SaveToFile,
         JobResult::AlreadyExists,
         {}},
        {"no name",
         [](EngineJobs& t) { return t.engine->requestSaveToFile(""); },
         JobKind::SaveToFile,
         JobResult::NoFileName,
         {"Please enter the file name!"}},
        {"password-protected file",
         [](EngineJobs& t) {
             t.writePreset("secret", SIMULATED_MODEL, true);
             return t.engine->requestUpload("secret");
         },
         JobKind::Upload,
         JobResult::PasswordProtected,
         {"The data has a password ."}},
        {"wrong model",
         [](EngineJobs& t) {
             t.writePreset("other", 12345);
             return t.engine->requestUpload("other");
         },
         JobKind::Upload,
         JobResult::WrongModel,
         {"Wrong file version。"}},
        {"missing file",
         [](EngineJobs& t) { return t.engine->requestUpload("nowhere"); },
         JobKind::Upload,
         JobResult::FileUnreadable,
         {"No files。"}},
        {"link cut mid-job",
         [](EngineJobs& t) {
             t.writePreset("scene", SIMULATED_MODEL);
             // Nothing the upload writes is answered, so the quiet link goes down.
             SimulatorFaults faults;
             for (int r = 230; r <= 1875; ++r) faults.neverAcknowledge.insert(r);
             t.sim->setFaults(faults);
             return t.engine->requestUpload("scene");
         },
         JobKind::Upload,
         JobResult::LinkLost,
         {"Read Data Failed!", "Write Data Failed!"}},
        {"registers left out of the replies",
         [](EngineJobs& t) {
             SimulatorFaults faults;
             faults.neverReport = {1500, 1501};
             t.sim->setFaults(faults);
             return t.engine->requestSaveToFile("partial");
         },
         JobKind::SaveToFile,
         JobResult::ReadIncomplete,
         {"Save Failed!"}},
        {"recall",
         [](EngineJobs& t) { return t.engine->requestRecall(2); },
         JobKind::RecallMode,
         JobResult::Done,
         {}},
        {"save mode",
         [](EngineJobs& t) { return t.engine->requestSaveMode(4, u"Club"); },
         JobKind::SaveMode,
         JobResult::Done,
         {"Save successfully!"}},
    };
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(c.what);
        sim = std::make_unique<ProcessorSimulator>(SimulatorOptions{SIMULATED_MODEL, scale, 1});
        host = std::make_unique<RecordingLinkHost>();
        start();
        ASSERT_TRUE(waitRunning());
        const std::size_t before = host->messages().size();
        auto outcome = outcomeOf(c.request(*this));
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->job, c.job);
        EXPECT_EQ(outcome->result, c.result);
        EXPECT_EQ(outcome->deviceModel, SIMULATED_MODEL);
        ASSERT_TRUE(host->waitFor(
            [](const auto& events) {
                for (const auto& e : events) {
                    if (e.kind == Kind::JobFinished) return true;
                }
                return false;
            },
            realMs(10'000)));
        ASSERT_EQ(host->outcomes().size(), 1u) << "told once";
        EXPECT_EQ(host->outcomes()[0].result, c.result);
        auto messages = host->messages();
        std::vector<std::string> shown(messages.begin() + static_cast<std::ptrdiff_t>(before),
                                       messages.end());
        if (c.result == JobResult::Done && c.job == JobKind::SaveToFile) {
            EXPECT_EQ(outcome->path, folders.dataFolder() + "dump.mxb");
            EXPECT_EQ(shown, std::vector<std::string>{outcome->path});
        } else if (c.result == JobResult::AlreadyExists) {
            EXPECT_EQ(outcome->path, "kept.mxb");
        } else {
            EXPECT_EQ(shown, c.messages);
        }
        if (c.result == JobResult::ReadIncomplete) {
            EXPECT_EQ(outcome->missing, (std::vector<int>{1500, 1501}));
            EXPECT_FALSE(folders.findData("partial")) << "no preset of invented values";
        }
        if (c.result == JobResult::WrongModel) {
            EXPECT_EQ(outcome->fileModel, 12345);
        }
        EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        engine.reset();
    }
}

TEST_F(EngineJobs, SaveToFileWritesThePresetTheProcessorHolds) {
    scrambleSimulator(3);
    start();
    ASSERT_TRUE(waitRunning());
    auto outcome = outcomeOf(engine->requestSaveToFile("dump"));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->path, folders.dataFolder() + "dump.mxb");
    bool told = false;
    for (const auto& e : host->events()) {
        told = told || (e.kind == Kind::Message && e.text == outcome->path &&
                        e.caption == "Save successfully!");
    }
    EXPECT_TRUE(told);

    PresetFile saved;
    ASSERT_EQ(saved.readRecord(folders.dataFolder() + "dump.mxb"), PresetResult::Success);
    EXPECT_EQ(saved.header().modelCode, SIMULATED_MODEL);
    ASSERT_EQ(saved.values().size(), static_cast<std::size_t>(REGISTER_COUNT));
    ASSERT_TRUE(mirrorEqualsSimulator(
        [&](int reg) { return saved.values()[static_cast<std::size_t>(reg)]; }, *sim));
    EXPECT_EQ(link->registers.countDeviceUpdated(), 0) << "cleared while copying";
}

TEST_F(EngineJobs, SaveToFileOnALockedModeShowsTheLockAndFails) {
    SimulatorFaults faults;
    faults.register0AnyModel = true;  // the lock form carries no model
    sim->setFaults(faults);
    sim->setLockForm(16, 1u << 8);  // the current mode, 8, is locked
    start();
    ASSERT_TRUE(waitRunning());
    ASSERT_TRUE(link->modeLocked.load());
    auto outcome = outcomeOf(engine->requestSaveToFile("locked"));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->result, JobResult::ModeLocked);
    EXPECT_EQ(host->messages(),
              (std::vector<std::string>{"Unable to read encrypted mode!", "Save Failed!"}));
    EXPECT_FALSE(folders.findData("locked"));
}

TEST_F(EngineJobs, UploadOfAnotherModelsFileChangesNoRegister) {
    start();
    ASSERT_TRUE(waitRunning());
    writePreset("other", 12345);
    auto before = sim->registers();
    ASSERT_TRUE(outcomeOf(engine->requestUpload("other")));
    waitIterations(3);
    EXPECT_EQ(sim->registers(), before);
    EXPECT_EQ(sim->writesReceived(1000), 0);
}

TEST_F(EngineJobs, UploadWritesRegisterZeroAnd230To1875Only) {
    start();
    ASSERT_TRUE(waitRunning());
    writePreset("scene", SIMULATED_MODEL);
    PresetFile file;
    ASSERT_EQ(file.loadData(folders, "scene"), PresetResult::Success);
    auto before = sim->registers();
    const std::size_t eventsBefore = host->events().size();
    auto outcome = outcomeOf(engine->requestUpload("scene"));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->result, JobResult::Done);
    EXPECT_TRUE(shownProgress(ProgressTask::UpdateSceneData, eventsBefore));
    EXPECT_TRUE(shownProgress(ProgressTask::UpdateDisplayData, eventsBefore));

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
    JobTicket recall = engine->requestRecall(0);
    ASSERT_TRUE(waitUntil([&] { return host->blockedCount() == 1; }, 30'000));
    EXPECT_EQ(host->messages(), std::vector<std::string>{"Invocation pattern of failure!"});
    EXPECT_FALSE(recall.outcome()) << "told after its message box";
    EXPECT_EQ(sim->framesReceived(CMD_RECALL_MODE), 3);
    EXPECT_TRUE(link->registers.isWritePending(REG_MODE_COMMAND));
    EXPECT_EQ(link->registers.getRegister(REG_MODE_COMMAND), 0x0600);
    // The iteration that took the job may have flushed the register already.
    const int writes = sim->writesReceived(REG_MODE_COMMAND);
    host->release();
    ASSERT_TRUE(waitUntil([&] { return sim->writesReceived(REG_MODE_COMMAND) > writes; }, 5000));
    EXPECT_EQ(sim->registerValue(REG_MODE_COMMAND), 0x0600);
    ASSERT_TRUE(outcomeOf(recall));
    EXPECT_EQ(recall.outcome()->result, JobResult::NoReply);
}

// A message box holds the engine while both jobs are requested, so they meet in one
// iteration; the recall must reach the processor before the save, and the save goes to the
// mode it was asked for whatever the recall left in register 1893.
TEST_F(EngineJobs, RecallAndSaveRequestedTogetherRunRecallFirst) {
    start();
    ASSERT_TRUE(waitRunning());
    host->blockMessages();
    engine->requestSaveToFile("");  // no preset path: a message box
    ASSERT_TRUE(waitUntil([&] { return host->blockedCount() == 1; }, 10'000));

    const std::string name = "Stage               ";
    engine->requestSaveMode(3, u"Stage");
    engine->requestRecall(3);
    host->release();

    ASSERT_TRUE(host->waitForMessage("Save successfully!", realMs(30'000)));
    EXPECT_GT(sim->lastFrameSequence(CMD_RECALL_MODE), 0u);
    EXPECT_LT(sim->lastFrameSequence(CMD_RECALL_MODE), sim->lastFrameSequence(CMD_SAVE_MODE));
    EXPECT_EQ(sim->registerValue(REG_MODE_CURRENT), 3);
    EXPECT_EQ(sim->modeName(3), name);
    EXPECT_FALSE(link->registers.isWritePending(REG_MODE_COMMAND));
}

}  // namespace
}  // namespace tq370::test
