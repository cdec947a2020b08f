#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "params/register_access.h"
#include "params/register_defaults.h"
#include "params/register_numbers.h"

namespace tq370 {

// Register 0 reporting this value is accepted as a processor without the model check.
constexpr int PROBE_VALUE_ANY_MODEL = 4095;

// Passing this as a batch start continues at the stored cursor.
constexpr int CONTINUE_AT_CURSOR = 0xFFFF;
// A read request carries at most this many registers, whatever the caller asks for.
constexpr int MAX_READ_BATCH = 25;
// The largest write frame whose length byte still describes it (62 × 4 + 3 ≤ 252).
constexpr int MAX_WRITE_BATCH = 62;
// A register is sent this many times in all (retry values 0..10) before it is dropped.
constexpr int RETRY_GIVE_UP_AT = 10;
// The retry value of a register whose last send is out and whose fate the sender settles
// once the reply wait of that send is over (settleLastSends).
constexpr int RETRY_LAST_SEND_OUT = RETRY_GIVE_UP_AT + 1;

// One register of the mirror. Each field is shared by the user-interface, engine and
// reader threads; each is individually atomic and relaxed order is enough, because no
// operation needs a consistent view across fields or registers.
struct RegisterEntry {
    std::atomic<std::int32_t> value{0};
    std::atomic<std::uint8_t> retryCount{0};
    std::atomic<std::int32_t> deviceUpdated{0};
    std::atomic<std::int32_t> writePending{0};
};

struct ReadBatch {
    std::array<std::uint16_t, MAX_READ_BATCH> registers{};
    int count = 0;
    // False only when maxCount was below 1: then no request goes out at all, while an
    // empty batch is still sent as an empty read request.
    bool send = false;
};

struct WriteEntry {
    std::uint16_t reg = 0;
    std::uint16_t value = 0;
    bool lastSend = false;  // the register's last send: given up unless acknowledged
};

struct WriteBatch {
    std::array<WriteEntry, MAX_WRITE_BATCH> entries{};
    int count = 0;
    bool send = false;  // as for ReadBatch
    // Set when the walk met a pending REG_MODE_COMMAND with high byte 5: the caller sends
    // the mode-name request for modeNumber instead of a write frame.
    bool modeNameRequest = false;
    std::uint8_t modeNumber = 0;
};

// The mirror of the processor's 1901 registers. Lock-free; the two batch cursors belong
// to the engine thread, which is the only caller of the collect functions.
class RegisterTable final : public RegisterAccess {
public:
    static bool isValid(int reg) { return isRegister(reg); }

    // Every field of every entry to zero, then the defaults into value.
    void loadDefaults();

    // Out-of-range numbers read as 0 and are not written: they never reach the table.
    std::int32_t getRegister(int reg) const override;
    void setRegister(int reg, std::int32_t value) override;

    // A value the processor reported: marked device-updated, and stored unless a write
    // of the user's is pending for the register.
    void storeDeviceValue(int reg, std::uint16_t value);
    // The processor echoed a written value: when the table still holds it, the write mark
    // is cleared and the retry count reset; a newer value stays pending, even one stored
    // by another thread while this runs.
    void acknowledgeWrite(int reg, std::uint16_t echoed);

    void markDeviceUpdated(int reg);
    // Test-and-clear of deviceUpdated; true when it was set.
    bool takeDeviceUpdated(int reg);
    void clearDeviceUpdated(int reg);
    bool isDeviceUpdated(int reg) const;
    bool isWritePending(int reg) const;
    int retryCount(int reg) const;

    // Stores a value that is not to be written (a command word the engine sends in a
    // frame of its own); a write already pending stays pending.
    void storeUnsent(int reg, std::int32_t value);
    // Forgets the pending write of reg; its value stays.
    void dropPendingWrite(int reg);
    // A report of the processor that replaces a pending write: stored, marked
    // device-updated, the write mark cleared (the mode-name reply, which carries the mode
    // command register's new value).
    void storeDeviceReport(int reg, std::int32_t value);

    // Clears the write marks and device-updated flags of every register; returns the
    // registers whose write was pending, with the value that was not written.
    std::vector<WriteEntry> clearLinkFlags();
    void resetRetryCounts();
    void clearDeviceUpdated();
    int countDeviceUpdated() const;

    ReadBatch collectReadBatch(int start, int maxCount);
    WriteBatch collectWriteBatch(int start, int maxCount);

    // Once the reply wait of a sent batch is over: every last send of the batch that was
    // not acknowledged meanwhile loses its write mark (a newer value stays pending) and is
    // returned, given up.
    std::vector<WriteEntry> settleLastSends(const WriteBatch& batch);

    // The keep-alive's retry step for its own register: dropped at once after its last
    // send, nobody waits for that send's answer.
    void applyWriteRetryStep(int reg);

    int readCursor() const { return readCursor_; }
    int writeCursor() const { return writeCursor_; }

private:
    RegisterEntry& entry(int reg) { return entries_[static_cast<std::size_t>(reg)]; }
    const RegisterEntry& entry(int reg) const { return entries_[static_cast<std::size_t>(reg)]; }

    // The retry step for a register that just went out; true when it was its last send.
    bool retryStep(RegisterEntry& e);

    std::array<RegisterEntry, REGISTER_COUNT> entries_{};
    int readCursor_ = 0;
    int writeCursor_ = 0;
};

}  // namespace tq370
