#include "link/job.h"

#include <algorithm>

namespace tq370 {

JobTicket::JobTicket() : state_(std::make_shared<State>()) {}

std::optional<JobOutcome> JobTicket::waitFor(std::chrono::milliseconds timeout) const {
    return waitUntil(std::chrono::steady_clock::now() + timeout);
}

std::optional<JobOutcome> JobTicket::waitUntil(
    std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(state_->mutex);
    state_->changed.wait_until(lock, deadline, [this] { return state_->outcome.has_value(); });
    return state_->outcome;
}

std::optional<JobOutcome> JobTicket::outcome() const {
    std::lock_guard lock(state_->mutex);
    return state_->outcome;
}

void JobTicket::complete(const JobOutcome& outcome) const {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->outcome) return;
        state_->outcome = outcome;
    }
    state_->changed.notify_all();
}

JobTicket JobQueue::push(JobRequest request) {
    JobTicket ticket = request.ticket;
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(request));
    return ticket;
}

bool JobQueue::waiting(JobKind kind) const {
    std::lock_guard lock(mutex_);
    return std::any_of(requests_.begin(), requests_.end(),
                       [kind](const JobRequest& r) { return r.job == kind; });
}

std::optional<JobRequest> JobQueue::take(JobKind kind) {
    std::lock_guard lock(mutex_);
    auto found = std::find_if(requests_.begin(), requests_.end(),
                              [kind](const JobRequest& r) { return r.job == kind; });
    if (found == requests_.end()) return std::nullopt;
    JobRequest request = std::move(*found);
    requests_.erase(found);
    return request;
}

std::vector<JobOutcome> JobQueue::cancelAll(JobResult result) {
    std::deque<JobRequest> cancelled;
    std::vector<JobOutcome> outcomes;
    {
        std::lock_guard lock(mutex_);
        cancelled.swap(requests_);
    }
    for (const JobRequest& request : cancelled) {
        JobOutcome outcome;
        outcome.job = request.job;
        outcome.result = result;
        outcome.path = request.path;
        outcome.mode = request.mode;
        request.ticket.complete(outcome);
        outcomes.push_back(outcome);
    }
    return outcomes;
}

}  // namespace tq370
