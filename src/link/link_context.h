#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <semaphore>
#include <string>

#include "base/clock.h"
#include "link/job.h"
#include "link/read_back_report.h"
#include "link/register_table.h"

namespace tq370 {

constexpr int TEXT_SLOT_COUNT = 17;
constexpr int MODE_COUNT = 16;
constexpr std::uint8_t INITIAL_LOCK_MAX_MODE = 16;

// One text command and its reply. The user interface fills text and sets pending; the
// engine (or the WiFi discovery thread) sends it; the parser records the reply.
class TextSlot {
public:
    std::atomic<std::int8_t> answered{0};  // > 0: a reply arrived and was not consumed yet
    std::atomic<std::int8_t> pending{0};   // > 0: the text must be sent
    std::atomic<std::int32_t> value{0};    // numeric result of a query
    std::atomic<std::int8_t> retry{0};     // sends so far by the engine's text service

    // The command to send; for string queries replaced by the whole reply.
    std::string text() const;
    void setText(std::string text);

private:
    // A string is not a machine word: the user interface writes it while the engine reads
    // it and the parser replaces it, so it has a lock of its own.
    mutable std::mutex textMutex_;
    std::string text_;
};

// The wake-up of a sender waiting for a reply: a counting semaphore of maximum 1 whose
// release is safe from any thread at any time (a release while a count is already waiting
// does nothing, where the bare semaphore would have undefined behaviour).
class ReplySemaphore {
public:
    void release();
    // Waits up to ms protocol milliseconds; true when a count was taken.
    bool acquireFor(const Clock& clock, double ms);
    bool tryAcquire();

private:
    std::counting_semaphore<1> semaphore_{0};
    std::atomic<bool> posted_{false};  // a count is in the semaphore or about to be
};

// Everything the link shares between the user-interface, engine and reader threads. One
// per link; main() makes it and hands it on by reference, and a test may hold several.
// Every scalar is atomic; relaxed order is enough except where a flag publishes other
// data (mode-name flags, answered), which is stored with release and read with acquire.
struct LinkContext {
    explicit LinkContext(double timeScale = 1.0) : clock(timeScale) {}
    LinkContext(const LinkContext&) = delete;
    LinkContext& operator=(const LinkContext&) = delete;

    // Releases replySemaphore when a sender waits for a reply, as every reply does.
    void releaseIfAwaited();

    // The name in modeNameBuffer up to its first 0.
    std::u16string modeName() const;
    // Flag of mode 1..16.
    std::atomic<bool>& modeNameArrived(int mode) { return modeNameArrivedFlags[mode - 1]; }

    const Clock clock;
    RegisterTable registers;

    std::atomic<bool> linkUp{false};
    std::atomic<std::uint8_t> missCount{0};
    std::atomic<std::int64_t> lastRxTick{0};  // clock.nowMs() of the last frame accepted
    std::atomic<bool> awaitingReply{false};
    ReplySemaphore replySemaphore;

    std::atomic<std::uint16_t> deviceModelId{0};
    std::atomic<std::uint8_t> lockMaxMode{INITIAL_LOCK_MAX_MODE};
    std::atomic<std::uint32_t> lockMask{0};
    std::atomic<bool> modeLocked{false};

    std::atomic<bool> recallDone{false};
    std::atomic<bool> saveModeDone{false};
    std::array<std::atomic<bool>, MODE_COUNT> modeNameArrivedFlags{};
    std::array<std::atomic<char16_t>, MODE_NAME_LENGTH> modeNameBuffer{};
    std::atomic<bool> newName{false};

    std::array<TextSlot, TEXT_SLOT_COUNT> textSlots;

    // Jobs requested by the user interface (or the command line), taken by the engine.
    JobQueue jobs;

    // How the last read-back went; Failed before the first. Any thread.
    ReadBackReport lastReadBack() const;
    void setLastReadBack(ReadBackReport report);

private:
    mutable std::mutex readBackMutex_;  // guards lastReadBack_
    ReadBackReport lastReadBack_;
};

}  // namespace tq370
