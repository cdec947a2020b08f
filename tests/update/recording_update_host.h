#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "update/update_host.h"

namespace tq370::test {

// Records every call of the update thread; answers each question with `answer`.
class RecordingUpdateHost : public UpdateHost {
public:
    struct Question {
        std::string caption;
        std::string text;
    };

    explicit RecordingUpdateHost(bool answer) : answer_(answer) {}

    bool askQuestion(std::string_view caption, std::string_view text) override {
        std::lock_guard lock(mutex_);
        questions_.push_back({std::string(caption), std::string(text)});
        return answer_;
    }
    void tellUser(std::string_view caption, std::string_view text) override {
        std::lock_guard lock(mutex_);
        told_.push_back({std::string(caption), std::string(text)});
    }
    std::vector<Question> told() const {
        std::lock_guard lock(mutex_);
        return told_;
    }
    void progressShow(std::uint64_t total, std::string_view format) override {
        std::lock_guard lock(mutex_);
        progressTotal_ = total;
        progressFormat_ = std::string(format);
        visible_ = true;
        ++shows_;
    }
    void progressSet(std::uint64_t value) override {
        std::lock_guard lock(mutex_);
        positions_.push_back(value);
    }
    void progressHide() override {
        std::lock_guard lock(mutex_);
        visible_ = false;
    }

    std::vector<Question> questions() const {
        std::lock_guard lock(mutex_);
        return questions_;
    }
    std::vector<std::uint64_t> positions() const {
        std::lock_guard lock(mutex_);
        return positions_;
    }
    std::uint64_t progressTotal() const {
        std::lock_guard lock(mutex_);
        return progressTotal_;
    }
    std::string progressFormat() const {
        std::lock_guard lock(mutex_);
        return progressFormat_;
    }
    bool progressVisible() const {
        std::lock_guard lock(mutex_);
        return visible_;
    }
    int progressShows() const {
        std::lock_guard lock(mutex_);
        return shows_;
    }

private:
    const bool answer_;
    mutable std::mutex mutex_;  // guards everything below
    std::vector<Question> questions_;
    std::vector<Question> told_;
    std::vector<std::uint64_t> positions_;
    std::uint64_t progressTotal_ = 0;
    std::string progressFormat_;
    bool visible_ = false;
    int shows_ = 0;
};

}  // namespace tq370::test
