#include "link/link_context.h"

namespace tq370 {

std::string TextSlot::text() const {
    std::lock_guard lock(textMutex_);
    return text_;
}

void TextSlot::setText(std::string text) {
    std::lock_guard lock(textMutex_);
    text_ = std::move(text);
}

void ReplySemaphore::release() {
    if (!posted_.exchange(true, std::memory_order_acq_rel)) semaphore_.release();
}

bool ReplySemaphore::acquireFor(const Clock& clock, double ms) {
    if (!clock.acquireFor(semaphore_, ms)) return false;
    posted_.store(false, std::memory_order_release);
    return true;
}

bool ReplySemaphore::tryAcquire() {
    if (!semaphore_.try_acquire()) return false;
    posted_.store(false, std::memory_order_release);
    return true;
}

ReadBackReport LinkContext::lastReadBack() const {
    std::lock_guard lock(readBackMutex_);
    return lastReadBack_;
}

void LinkContext::setLastReadBack(ReadBackReport report) {
    std::lock_guard lock(readBackMutex_);
    lastReadBack_ = std::move(report);
}

void LinkContext::releaseIfAwaited() {
    if (awaitingReply.load(std::memory_order_relaxed)) replySemaphore.release();
}

std::u16string LinkContext::modeName() const {
    std::u16string name;
    for (const auto& c : modeNameBuffer) {
        char16_t ch = c.load(std::memory_order_relaxed);
        if (ch == 0) break;
        name.push_back(ch);
    }
    return name;
}

}  // namespace tq370
