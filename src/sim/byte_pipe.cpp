#include "sim/byte_pipe.h"

#include <algorithm>

namespace tq370 {

bool BytePipe::push(Bytes bytes, std::chrono::nanoseconds delay) {
    {
        std::lock_guard lock(mutex_);
        if (!open_) return false;
        auto due = std::chrono::steady_clock::now() + delay;
        // A piece never overtakes the one before it, whatever their delays.
        if (!pieces_.empty()) due = std::max(due, pieces_.back().due);
        pieces_.push_back({due, std::move(bytes)});
    }
    changed_.notify_all();
    return true;
}

std::optional<BytePipe::Bytes> BytePipe::pop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!open_) return std::nullopt;
        if (pieces_.empty()) {
            changed_.wait(lock);
            continue;
        }
        auto due = pieces_.front().due;
        if (std::chrono::steady_clock::now() < due) {
            changed_.wait_until(lock, due);
            continue;
        }
        Bytes bytes = std::move(pieces_.front().bytes);
        pieces_.pop_front();
        return bytes;
    }
}

void BytePipe::close() {
    {
        std::lock_guard lock(mutex_);
        open_ = false;
        pieces_.clear();
    }
    changed_.notify_all();
}

void BytePipe::reopen() {
    std::lock_guard lock(mutex_);
    open_ = true;
}

bool BytePipe::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

}  // namespace tq370
