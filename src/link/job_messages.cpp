#include "link/job_messages.h"

#include <string>

#include "text/program_texts.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

MessageRequest box(std::string_view message, std::string_view caption = {}) {
    return {std::string(message), std::string(caption), MessageButtons::Ok,
            languageId(currentLanguage()), MessageTopic::JobOutcome};
}

std::vector<MessageRequest> saveToFileMessages(const JobOutcome& outcome) {
    switch (outcome.result) {
        case JobResult::Done:
            return {box(outcome.path, text(TXT_SAVE_SUCCESSFUL))};
        case JobResult::NoFileName:
            return {box(text(TXT_ENTER_FILE_NAME))};
        case JobResult::AlreadyExists:
            return {box(outcome.path + std::string(text(TXT_FILE_EXISTS_OVERWRITE)),
                        text(TXT_WARNING))};
        case JobResult::Stopped:
            return {};
        default:
            return {box(text(TXT_SAVE_FAILED))};
    }
}

std::vector<MessageRequest> uploadMessages(const JobOutcome& outcome) {
    std::vector<MessageRequest> boxes;
    switch (outcome.result) {
        case JobResult::NoFileName:
            return {box(text(TXT_ENTER_FILE_NAME))};
        case JobResult::PasswordProtected:
            // The upload ends here at once, whatever the link does.
            return {box(text(TXT_PASSWORD_PROTECTED))};
        case JobResult::FileUnreadable:
            boxes.push_back(box(text(TXT_NO_FILES)));
            break;
        case JobResult::WrongModel:
            boxes.push_back(box(text(TXT_WRONG_FILE_VERSION)));
            break;
        case JobResult::Stopped:
            return {};
        default:
            break;
    }
    if (outcome.linkDownAtEnd) boxes.push_back(box(text(TXT_WRITE_FAILED)));
    return boxes;
}

}  // namespace

std::vector<MessageRequest> jobOutcomeMessages(const JobOutcome& outcome) {
    switch (outcome.job) {
        case JobKind::SaveToFile:
            return saveToFileMessages(outcome);
        case JobKind::Upload:
            return uploadMessages(outcome);
        case JobKind::RecallMode:
            if (outcome.result == JobResult::NoReply) {
                return {box(TEXT_RECALL_FAILED.inCurrentLanguage())};
            }
            return {};
        case JobKind::SaveMode:
            if (outcome.result == JobResult::Done) return {box(text(TXT_SAVE_SUCCESSFUL))};
            if (outcome.result == JobResult::Stopped) return {};
            return {box(text(TXT_SAVE_FAILED))};
    }
    return {};
}

}  // namespace tq370
