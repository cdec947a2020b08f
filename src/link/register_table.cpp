#include "link/register_table.h"

#include <algorithm>

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

int nextRegister(int reg) {
    return reg >= LAST_REGISTER ? 0 : reg + 1;
}

std::uint16_t low16(std::int32_t value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

// Clears the write mark of e unless its value moved away from expected meanwhile; true
// when it stays cleared. Testing the value and clearing the mark are two steps, so a
// setRegister on another thread can slip in between; its mark is a release store, and
// when the exchange takes that mark away it also sees the new value and puts it back.
bool clearMarkUnlessChanged(RegisterEntry& e, std::int32_t expected) {
    e.writePending.exchange(0, std::memory_order_acquire);
    if (e.value.load(RELAXED) == expected) return true;
    e.writePending.store(1, RELAXED);
    return false;
}

}  // namespace

void RegisterTable::loadDefaults() {
    const auto& defaults = registerDefaults();
    for (int r = 0; r < REGISTER_COUNT; ++r) {
        RegisterEntry& e = entry(r);
        e.retryCount.store(0, RELAXED);
        e.deviceUpdated.store(0, RELAXED);
        e.writePending.store(0, RELAXED);
        e.value.store(defaults[static_cast<std::size_t>(r)], RELAXED);
    }
}

std::int32_t RegisterTable::getRegister(int reg) const {
    return isValid(reg) ? entry(reg).value.load(RELAXED) : 0;
}

void RegisterTable::setRegister(int reg, std::int32_t value) {
    if (!isValid(reg)) return;
    // Value before the mark, the mark with release: whoever takes the mark away with an
    // acquiring exchange also sees this value (see clearMarkUnlessChanged).
    entry(reg).value.store(value, RELAXED);
    entry(reg).writePending.store(1, std::memory_order_release);
}

void RegisterTable::storeDeviceValue(int reg, std::uint16_t value) {
    if (!isValid(reg)) return;
    // A pending value is a user's edit the processor has not taken yet (the connect
    // sequence clears every mark before it reads back): the report must not overwrite
    // it, or the flush would write the processor's old value back and the edit be lost.
    if (entry(reg).writePending.load(std::memory_order_acquire) <= 0) {
        entry(reg).value.store(value, RELAXED);
    }
    entry(reg).deviceUpdated.store(1, RELAXED);
}

void RegisterTable::acknowledgeWrite(int reg, std::uint16_t echoed) {
    if (!isValid(reg)) return;
    RegisterEntry& e = entry(reg);
    std::int32_t value = e.value.load(RELAXED);
    if (low16(value) != echoed) return;
    if (clearMarkUnlessChanged(e, value)) e.retryCount.store(0, RELAXED);
}

void RegisterTable::markDeviceUpdated(int reg) {
    if (isValid(reg)) entry(reg).deviceUpdated.store(1, RELAXED);
}

bool RegisterTable::takeDeviceUpdated(int reg) {
    return isValid(reg) && entry(reg).deviceUpdated.exchange(0, RELAXED) > 0;
}

void RegisterTable::clearDeviceUpdated(int reg) {
    if (isValid(reg)) entry(reg).deviceUpdated.store(0, RELAXED);
}

void RegisterTable::storeUnsent(int reg, std::int32_t value) {
    if (isValid(reg)) entry(reg).value.store(value, RELAXED);
}

void RegisterTable::dropPendingWrite(int reg) {
    if (isValid(reg)) entry(reg).writePending.store(0, RELAXED);
}

void RegisterTable::storeDeviceReport(int reg, std::int32_t value) {
    if (!isValid(reg)) return;
    RegisterEntry& e = entry(reg);
    e.deviceUpdated.store(1, RELAXED);
    e.writePending.store(0, RELAXED);
    e.value.store(value, RELAXED);
}

bool RegisterTable::isDeviceUpdated(int reg) const {
    return isValid(reg) && entry(reg).deviceUpdated.load(RELAXED) > 0;
}

bool RegisterTable::isWritePending(int reg) const {
    return isValid(reg) && entry(reg).writePending.load(RELAXED) > 0;
}

int RegisterTable::retryCount(int reg) const {
    return isValid(reg) ? entry(reg).retryCount.load(RELAXED) : 0;
}

std::vector<WriteEntry> RegisterTable::clearLinkFlags() {
    std::vector<WriteEntry> dropped;
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        RegisterEntry& e = entry(reg);
        e.deviceUpdated.store(0, RELAXED);
        if (e.writePending.exchange(0, std::memory_order_acquire) > 0) {
            dropped.push_back({static_cast<std::uint16_t>(reg), low16(e.value.load(RELAXED))});
        }
    }
    return dropped;
}

void RegisterTable::resetRetryCounts() {
    for (auto& e : entries_) e.retryCount.store(0, RELAXED);
}

void RegisterTable::clearDeviceUpdated() {
    for (auto& e : entries_) e.deviceUpdated.store(0, RELAXED);
}

int RegisterTable::countDeviceUpdated() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const auto& e) {
        return e.deviceUpdated.load(RELAXED) > 0;
    }));
}

ReadBatch RegisterTable::collectReadBatch(int start, int maxCount) {
    ReadBatch batch;
    if (start != CONTINUE_AT_CURSOR) readCursor_ = isValid(start) ? start : 0;
    if (maxCount < 1) return batch;
    batch.send = true;

    int reg = readCursor_;
    for (int visited = 0; visited < REGISTER_COUNT; ++visited, reg = nextRegister(reg)) {
        RegisterEntry& e = entry(reg);
        if (e.deviceUpdated.load(RELAXED) != 0) continue;
        batch.registers[static_cast<std::size_t>(batch.count++)] = static_cast<std::uint16_t>(reg);
        if (--maxCount == 0 || batch.count == MAX_READ_BATCH) {
            // This register opens the next batch; its retry count stays as it is.
            readCursor_ = reg;
            return batch;
        }
        std::uint8_t before = e.retryCount.load(RELAXED);
        e.retryCount.store(before >= RETRY_GIVE_UP_AT ? 0 : before + 1, RELAXED);
    }
    readCursor_ = reg;
    return batch;
}

void RegisterTable::applyWriteRetryStep(int reg) {
    if (!isValid(reg)) return;
    RegisterEntry& e = entry(reg);
    const std::int32_t sent = e.value.load(RELAXED);
    if (retryStep(e)) {
        e.retryCount.store(0, RELAXED);
        clearMarkUnlessChanged(e, sent);
    }
}

bool RegisterTable::retryStep(RegisterEntry& e) {
    std::uint8_t before = e.retryCount.load(RELAXED);
    if (before >= RETRY_GIVE_UP_AT) {
        // The last send: the mark stays until its reply wait is over, so that an
        // acknowledgement of this send still counts (settleLastSends).
        e.retryCount.store(RETRY_LAST_SEND_OUT, RELAXED);
        return true;
    }
    e.retryCount.store(before + 1, RELAXED);
    return false;
}

std::vector<WriteEntry> RegisterTable::settleLastSends(const WriteBatch& batch) {
    std::vector<WriteEntry> givenUp;
    for (int k = 0; k < batch.count; ++k) {
        const WriteEntry& sent = batch.entries[static_cast<std::size_t>(k)];
        if (!sent.lastSend) continue;
        RegisterEntry& e = entry(sent.reg);
        // An acknowledgement reset the count and took the mark away: nothing to give up.
        if (e.retryCount.load(RELAXED) != RETRY_LAST_SEND_OUT) continue;
        e.retryCount.store(0, RELAXED);
        if (e.writePending.load(RELAXED) <= 0) continue;
        givenUp.push_back(sent);
        // Giving up drops only the value that was sent; a newer one stays pending.
        const std::int32_t current = e.value.load(RELAXED);
        if (low16(current) == sent.value) clearMarkUnlessChanged(e, current);
    }
    return givenUp;
}

WriteBatch RegisterTable::collectWriteBatch(int start, int maxCount) {
    WriteBatch batch;
    if (start != CONTINUE_AT_CURSOR) writeCursor_ = isValid(start) ? start : 0;
    if (maxCount < 1) return batch;
    batch.send = true;
    maxCount = std::min(maxCount, MAX_WRITE_BATCH);

    int reg = writeCursor_;
    for (int visited = 0; visited < REGISTER_COUNT; ++visited, reg = nextRegister(reg)) {
        RegisterEntry& e = entry(reg);
        if (e.writePending.load(RELAXED) <= 0) continue;
        std::int32_t value = e.value.load(RELAXED);
        if (reg == REG_MODE_COMMAND && ((value >> 8) & 0xFF) == MODE_COMMAND_FETCH_NAME) {
            // What was collected is dropped unsent; its retry steps stay applied, except
            // that a last send still has to go out.
            for (int k = 0; k < batch.count; ++k) {
                const WriteEntry& dropped = batch.entries[static_cast<std::size_t>(k)];
                if (dropped.lastSend)
                    entry(dropped.reg).retryCount.store(RETRY_GIVE_UP_AT, RELAXED);
            }
            writeCursor_ = reg;
            batch.count = 0;
            batch.modeNameRequest = true;
            batch.modeNumber = static_cast<std::uint8_t>(value & 0xFF);
            return batch;
        }
        const bool last = retryStep(e);
        batch.entries[static_cast<std::size_t>(batch.count++)] = {static_cast<std::uint16_t>(reg),
                                                                  low16(value), last};
        if (--maxCount == 0) {
            writeCursor_ = nextRegister(reg);
            return batch;
        }
    }
    writeCursor_ = reg;
    return batch;
}

}  // namespace tq370
