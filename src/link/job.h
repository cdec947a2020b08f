#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "storage/preset_result.h"

namespace tq370 {

// The multi-step operations the sync engine runs between two main-loop iterations. The
// numbers are the order in which jobs requested together run.
enum class JobKind : int {
    SaveToFile = 1,  // the processor's settings into a preset file
    RecallMode = 4,  // one of the processor's modes becomes its current settings
    Upload = 11,     // registers of a preset file into the processor
    SaveMode = 13,   // the current settings become one of the processor's modes
};

enum class JobResult {
    Done,
    NoFileName,         // the request named no file
    AlreadyExists,      // the target exists and the request did not allow replacing it
    FileUnreadable,     // the preset could not be read (storage says why)
    PasswordProtected,  // the preset's data is password-protected
    WrongModel,         // the preset is for another model than the processor
    ModeLocked,         // the processor's current mode is locked and cannot be read
    ReadFailed,         // the read-back from the processor failed
    ReadIncomplete,     // the read-back ended without some registers (see missing)
    WriteFailed,        // the preset file could not be written (storage says why)
    NoReply,            // the processor did not answer the mode command
    LinkLost,           // the link went down before the job was done
    Stopped,            // the engine was stopped before or while it ran the job
};

// How one request ended, delivered once to the host and to whoever waits for it.
struct JobOutcome {
    JobKind job = JobKind::SaveToFile;
    JobResult result = JobResult::Done;
    PresetResult storage = PresetResult::Success;  // of the file operation, where one ran
    std::error_code systemError;                   // behind a failed file operation, if known
    std::string path;               // the file written or read (as far as it was found)
    int mode = 0;                   // the mode of a recall or a save
    std::uint16_t deviceModel = 0;  // the processor's model identifier
    std::uint16_t fileModel = 0;    // the preset's model identifier, where one was read
    bool linkDownAtEnd = false;     // the link was down when the job ended
    std::vector<int> missing;       // with ReadIncomplete: the registers that never arrived

    bool succeeded() const { return result == JobResult::Done; }
};

// What a requester holds on to: the outcome once the engine has run the job. Copies share
// the same outcome. Any thread.
class JobTicket {
public:
    JobTicket();

    // The outcome, waiting up to timeout (real time); nullopt when it is not there yet.
    std::optional<JobOutcome> waitFor(std::chrono::milliseconds timeout) const;
    std::optional<JobOutcome> waitUntil(std::chrono::steady_clock::time_point deadline) const;
    std::optional<JobOutcome> outcome() const;

    // Stores the outcome and wakes the waiters; later calls are ignored.
    void complete(const JobOutcome& outcome) const;

private:
    struct State {
        mutable std::mutex mutex;  // guards outcome
        std::condition_variable changed;
        std::optional<JobOutcome> outcome;
    };
    std::shared_ptr<State> state_;
};

// One requested job with its inputs.
struct JobRequest {
    JobKind job = JobKind::SaveToFile;
    std::string path;             // SaveToFile, Upload: the preset (a name or a path)
    bool replaceExisting = true;  // SaveToFile: whether an existing file may be replaced
    std::vector<int> registers;   // Upload: the registers taken from the file
    int mode = 0;                 // RecallMode, SaveMode: 1..16 as the processor counts
    std::u16string name;          // SaveMode: the name, of which 20 characters go out
    JobTicket ticket;
};

// The requested jobs, shared by the requesting threads and the engine. Requests of one
// kind run in the order they were made; the engine takes the kinds in their number order.
// Any thread.
class JobQueue {
public:
    JobTicket push(JobRequest request);
    // Whether a request of kind waits.
    bool waiting(JobKind kind) const;
    // The oldest request of kind, removed from the queue.
    std::optional<JobRequest> take(JobKind kind);
    // Completes every waiting request with result (used when the engine stops) and returns
    // their outcomes.
    std::vector<JobOutcome> cancelAll(JobResult result);

private:
    mutable std::mutex mutex_;  // guards requests_
    std::deque<JobRequest> requests_;
};

// The job kinds in the order the engine takes them.
inline constexpr JobKind JOB_KINDS_IN_ORDER[] = {JobKind::SaveToFile, JobKind::RecallMode,
                                                 JobKind::Upload, JobKind::SaveMode};

}  // namespace tq370
