#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link/link_host.h"

namespace tq370 {

// A LinkHost that records every call, for tests. Message boxes answer at once with the
// configured answer, or block until release() (and, unless told otherwise, until the
// engine is stopped). Any thread; tests wait for what they expect with waitFor.
class RecordingLinkHost : public LinkHost {
public:
    enum class Kind {
        RegisterChanged,
        Status,
        ChooseWifi,
        Message,
        ShowProgress,
        SetProgress,
        HideProgress,
        Caption,
        JobFinished,
        WriteGivenUp,
        TextGivenUp,
        ReadBackFinished,
    };
    struct Event {
        Kind kind = Kind::RegisterChanged;
        int number = 0;    // register, status, count, range, position, job or slot
        std::string text;  // message text or caption
        std::string caption;
        MessageButtons buttons = MessageButtons::Ok;
        MessageTopic topic = MessageTopic::Notice;
        ProgressTask task = ProgressTask::ReadDeviceData;  // with ShowProgress
        std::int32_t value = 0;                            // with WriteGivenUp
    };

    void registerChanged(int reg) override { record(Kind::RegisterChanged, reg); }
    void linkStatus(LinkStatus status, std::stop_token) override {
        record(Kind::Status, static_cast<int>(status));
    }
    void chooseWifiProcessor(int count, std::stop_token) override {
        record(Kind::ChooseWifi, count);
    }
    MessageAnswer messageBox(const MessageRequest& request, std::stop_token stop) override {
        Event event = eventOf(Kind::Message, request.languageId, request.text);
        event.caption = request.caption;
        event.buttons = request.buttons;
        event.topic = request.topic;
        record(std::move(event));
        std::unique_lock lock(mutex_);
        if (!blockMessages_) return answer_;
        ++blockedCount_;
        changed_.notify_all();
        // Waits for release(), and for a stop request unless told to ignore it.
        auto released = [this] { return releases_ > 0; };
        if (honourStop_) {
            changed_.wait(lock, stop, released);
        } else {
            changed_.wait(lock, released);
        }
        --blockedCount_;
        if (releases_ > 0) {
            --releases_;
            return answer_;
        }
        return MessageAnswer::Abandoned;
    }
    void showProgress(ProgressTask task, int range) override {
        Event event = eventOf(Kind::ShowProgress, range);
        event.task = task;
        record(std::move(event));
    }
    void setProgress(int position) override { record(Kind::SetProgress, position); }
    void hideProgress() override { record(Kind::HideProgress); }
    void setCaption(const std::string& caption) override { record(Kind::Caption, 0, caption); }
    void jobFinished(const JobOutcome& outcome) override {
        {
            std::lock_guard lock(mutex_);
            outcomes_.push_back(outcome);
        }
        record(Kind::JobFinished, static_cast<int>(outcome.job));
    }
    void writeGivenUp(int reg, std::int32_t value) override {
        Event event = eventOf(Kind::WriteGivenUp, reg);
        event.value = value;
        record(std::move(event));
    }
    void textCommandGivenUp(int slot) override { record(Kind::TextGivenUp, slot); }
    // number: the registers that never arrived, -1 for a read-back that failed.
    void readBackFinished(const ReadBackReport& report) override {
        record(Kind::ReadBackFinished, report.outcome == ReadBackOutcome::Failed
                                           ? -1
                                           : static_cast<int>(report.missing.size()));
    }

    void setAnswer(MessageAnswer answer) {
        std::lock_guard lock(mutex_);
        answer_ = answer;
    }
    // From now on message boxes wait for release(); honourStop false makes them ignore
    // the engine's stop request as a badly behaved user interface would.
    void blockMessages(bool honourStop = true) {
        std::lock_guard lock(mutex_);
        blockMessages_ = true;
        honourStop_ = honourStop;
    }
    // Lets one blocked (or the next) message box return; with unblock, later ones answer
    // at once again.
    void release(bool unblock = true) {
        {
            std::lock_guard lock(mutex_);
            ++releases_;
            if (unblock) blockMessages_ = false;
        }
        changed_.notify_all();
    }
    int blockedCount() const {
        std::lock_guard lock(mutex_);
        return blockedCount_;
    }

    std::vector<Event> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<JobOutcome> outcomes() const {
        std::lock_guard lock(mutex_);
        return outcomes_;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const Event& e : events()) {
            if (e.kind == Kind::Message) texts.push_back(e.text);
        }
        return texts;
    }
    int count(Kind kind, int number) const {
        int n = 0;
        for (const Event& e : events()) n += e.kind == kind && e.number == number ? 1 : 0;
        return n;
    }

    // Waits up to timeout (real time) until done(events) holds; true when it did.
    bool waitFor(const std::function<bool(const std::vector<Event>&)>& done,
                 std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return done(events_); });
    }
    bool waitForMessage(const std::string& text, std::chrono::milliseconds timeout) {
        return waitFor(
            [&](const std::vector<Event>& events) {
                for (const Event& e : events) {
                    if (e.kind == Kind::Message && e.text == text) return true;
                }
                return false;
            },
            timeout);
    }

private:
    static Event eventOf(Kind kind, int number = 0, std::string text = {}) {
        Event event;
        event.kind = kind;
        event.number = number;
        event.text = std::move(text);
        return event;
    }
    void record(Kind kind, int number = 0, std::string text = {}) {
        record(eventOf(kind, number, std::move(text)));
    }
    void record(Event event) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
    }

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable_any changed_;
    std::vector<Event> events_;
    std::vector<JobOutcome> outcomes_;
    MessageAnswer answer_ = MessageAnswer::Ok;
    bool blockMessages_ = false;
    bool honourStop_ = true;
    int releases_ = 0;
    int blockedCount_ = 0;
};

}  // namespace tq370
