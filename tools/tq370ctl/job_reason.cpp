#include "job_reason.h"

#include "command.h"
#include "storage/preset_result.h"

namespace tq370::ctl {
namespace {

// What storage and the system said, e.g. "Permission denied" or "the checksum is wrong".
std::string why(const JobOutcome& outcome) {
    if (outcome.systemError) return outcome.systemError.message();
    return std::string(presetResultMeaning(outcome.storage));
}

}  // namespace

std::string missingRegisters(const std::vector<int>& missing) {
    constexpr std::size_t NAMED = 5;
    std::string text =
        std::to_string(missing.size()) +
        (missing.size() == 1 ? " register never arrived (" : " registers never arrived (");
    for (std::size_t k = 0; k < missing.size() && k < NAMED; ++k) {
        text += (k > 0 ? ", " : "") + std::to_string(missing[k]);
    }
    return text + (missing.size() > NAMED ? ", ...)" : ")");
}

std::string jobFailureReason(const JobOutcome& outcome) {
    switch (outcome.result) {
        case JobResult::Done:
            return "";
        case JobResult::NoFileName:
            return "no file name was given";
        case JobResult::AlreadyExists:
            return outcome.path + ": the file exists already (--force replaces it)";
        case JobResult::FileUnreadable:
            return "cannot read " + outcome.path + ": " + why(outcome);
        case JobResult::PasswordProtected:
            return outcome.path + ": the data is password-protected";
        case JobResult::WrongModel:
            return "the processor is model " + std::to_string(outcome.deviceModel) +
                   ", the file is for " + std::to_string(outcome.fileModel);
        case JobResult::ModeLocked:
            return "the processor's current mode is locked and cannot be read";
        case JobResult::ReadFailed:
            return "the processor's settings could not be read back";
        case JobResult::ReadIncomplete:
            return "the read-back is incomplete: " + missingRegisters(outcome.missing);
        case JobResult::WriteFailed:
            return "cannot write " + outcome.path + ": " + why(outcome);
        case JobResult::NoReply:
            return "the processor did not answer the mode command for mode " +
                   std::to_string(outcome.mode);
        case JobResult::LinkLost:
            return "the link to the processor was lost before the job was done";
        case JobResult::Stopped:
            break;
    }
    return "the job was stopped";
}

int jobExitCode(const JobOutcome& outcome) {
    switch (outcome.result) {
        case JobResult::Done:
            return EXIT_OK;
        case JobResult::WriteFailed:
        case JobResult::AlreadyExists:
            return EXIT_FILE_ERROR;
        default:
            return EXIT_LINK_ERROR;
    }
}

}  // namespace tq370::ctl
