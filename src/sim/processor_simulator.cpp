#include "sim/processor_simulator.h"

#include <algorithm>

#include "base/byte_order.h"
#include "link/frame.h"

namespace tq370 {
namespace {

constexpr std::size_t ENTRY_SIZE = 4;
// The most register entries one reply carries while its length byte still describes it.
constexpr std::size_t MAX_REPLY_ENTRIES = 62;
// The send-all answer comes in read replies of this many registers.
constexpr int SEND_ALL_CHUNK = 25;
constexpr std::uint8_t LOCK_FORM = 1;
constexpr std::uint16_t PROBE_ANY_MODEL = PROBE_VALUE_ANY_MODEL;

std::string defaultModeName(int mode) {
    return "USER" + std::to_string(mode);
}

std::string padName(std::string name) {
    name.resize(SIMULATED_NAME_BYTES, ' ');
    return name;
}

}  // namespace

ProcessorSimulator::ProcessorSimulator(SimulatorOptions options)
    : clock_(options.timeScale), random_(options.seed), model_(options.model) {
    const auto& defaults = registerDefaults();
    for (int r = 0; r < REGISTER_COUNT; ++r) {
        registers_[static_cast<std::size_t>(r)] =
            static_cast<std::uint16_t>(defaults[static_cast<std::size_t>(r)]);
    }
    for (int m = 1; m <= SIMULATED_MODE_COUNT; ++m) {
        modes_[static_cast<std::size_t>(m - 1)] = registers_;
        modeNames_[static_cast<std::size_t>(m - 1)] = padName(defaultModeName(m));
    }
}

void ProcessorSimulator::attach(Output output, std::function<void()> onHangUp) {
    std::lock_guard lock(mutex_);
    output_ = std::move(output);
    onHangUp_ = std::move(onHangUp);
    scanner_ = FrameScanner();
    lineOpen_ = true;
}

void ProcessorSimulator::detach() {
    std::lock_guard lock(mutex_);
    output_ = nullptr;
    onHangUp_ = nullptr;
    lineOpen_ = false;
}

void ProcessorSimulator::hangUp() {
    std::function<void()> onHangUp;
    {
        std::lock_guard lock(mutex_);
        if (!lineOpen_) return;
        lineOpen_ = false;
        output_ = nullptr;
        onHangUp = std::move(onHangUp_);
        onHangUp_ = nullptr;
    }
    if (onHangUp) onHangUp();
}

void ProcessorSimulator::receive(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    if (!lineOpen_) return;
    scanner_.input(bytes, [this](std::uint8_t command, std::span<const std::uint8_t> payload) {
        if (clock_.nowMs() < silentUntilMs_ || chance(faults_.dropIncoming)) return;
        ++framesReceived_[command];
        lastFrameSequence_[command] = ++frameSequence_;
        handleFrame(command, payload);
    });
}

void ProcessorSimulator::handleFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
    switch (command) {
        case CMD_HELLO:
            answerHello();
            break;
        case CMD_RECALL_MODE:
            recallMode(payload);
            break;
        case CMD_WRITE:
            answerWrite(payload);
            break;
        case CMD_MODE_NAME:
            answerModeName(payload);
            break;
        case CMD_READ:
            answerRead(payload);
            break;
        case CMD_SAVE_MODE:
            saveMode(payload);
            break;
        case CMD_TEXT:
            answerTextFrame(payload);
            break;
        case CMD_SEND_ALL:
            answerSendAll();
            break;
        default:
            break;  // not a command of this processor
    }
}

void ProcessorSimulator::answerHello() {
    if (lockForm_) {
        std::uint8_t payload[6] = {LOCK_FORM, lockMaxMode_};
        writeLittleEndian32(payload + 2, lockMask_);
        emit(CMD_HELLO, payload);
    } else {
        std::uint8_t payload[4] = {};
        writeBigEndian16(payload, model_);
        emit(CMD_HELLO, payload);
    }
}

std::uint16_t ProcessorSimulator::readValue(int reg) const {
    if (reg == REG_PROBE && faults_.register0AnyModel) return PROBE_ANY_MODEL;
    return registers_[static_cast<std::size_t>(reg)];
}

void ProcessorSimulator::answerRead(std::span<const std::uint8_t> payload) {
    std::vector<std::pair<int, std::uint16_t>> entries;
    for (std::size_t at = 0; at + 2 <= payload.size(); at += 2) {
        int reg = readBigEndian16(&payload[at]);
        if (RegisterTable::isValid(reg) && !faults_.neverReport.contains(reg)) {
            entries.emplace_back(reg, readValue(reg));
        }
    }
    if (entries.empty()) {
        sendRegisterEntries(CMD_READ, entries);
        return;
    }
    for (std::size_t at = 0; at < entries.size(); at += MAX_REPLY_ENTRIES) {
        std::size_t end = std::min(entries.size(), at + MAX_REPLY_ENTRIES);
        sendRegisterEntries(CMD_READ, {entries.begin() + static_cast<std::ptrdiff_t>(at),
                                       entries.begin() + static_cast<std::ptrdiff_t>(end)});
    }
}

void ProcessorSimulator::answerWrite(std::span<const std::uint8_t> payload) {
    std::vector<std::pair<int, std::uint16_t>> acks;
    bool anyEntry = false;
    const auto now = std::chrono::steady_clock::now();
    for (std::size_t at = 0; at + ENTRY_SIZE <= payload.size(); at += ENTRY_SIZE) {
        int reg = readBigEndian16(&payload[at]);
        std::uint16_t value = readBigEndian16(&payload[at + 2]);
        anyEntry = true;
        if (!RegisterTable::isValid(reg)) continue;
        auto index = static_cast<std::size_t>(reg);
        registers_[index] = value;
        ++writesReceived_[index];
        lastWrite_[index] = {value, now, true};
        if (!faults_.neverAcknowledge.contains(reg)) acks.emplace_back(reg, registers_[index]);
    }
    writeArrived_.notify_all();
    // A frame whose every entry is to go unanswered gets no answer at all.
    if (anyEntry && acks.empty()) return;
    if (sendRegisterEntries(CMD_WRITE, acks)) {
        for (auto [reg, value] : acks) lastDeliveredAck_[static_cast<std::size_t>(reg)] = value;
    }
}

void ProcessorSimulator::answerSendAll() {
    for (int first = 0; first < REGISTER_COUNT; first += SEND_ALL_CHUNK) {
        std::vector<std::pair<int, std::uint16_t>> entries;
        for (int reg = first; reg < std::min(REGISTER_COUNT, first + SEND_ALL_CHUNK); ++reg) {
            if (!faults_.neverReport.contains(reg)) entries.emplace_back(reg, readValue(reg));
        }
        sendRegisterEntries(CMD_READ, entries);
    }
}

void ProcessorSimulator::answerModeName(std::span<const std::uint8_t> payload) {
    if (payload.empty() || payload[0] < 1 || payload[0] > SIMULATED_MODE_COUNT) return;
    const std::string& name = modeNames_[payload[0] - 1u];
    std::vector<std::uint8_t> reply{payload[0]};
    reply.insert(reply.end(), name.begin(), name.end());
    emit(CMD_MODE_NAME, reply);
}

void ProcessorSimulator::recallMode(std::span<const std::uint8_t> payload) {
    if (payload.empty() || payload[0] < 1 || payload[0] > SIMULATED_MODE_COUNT) return;
    registers_ = modes_[payload[0] - 1u];
    registers_[REG_MODE_CURRENT] = payload[0];
    const std::uint8_t reply[] = {payload[0]};
    emit(CMD_RECALL_MODE, reply);
}

void ProcessorSimulator::saveMode(std::span<const std::uint8_t> payload) {
    if (payload.size() < 1 + SIMULATED_NAME_BYTES || payload[0] < 1 ||
        payload[0] > SIMULATED_MODE_COUNT) {
        return;
    }
    std::size_t index = payload[0] - 1u;
    modes_[index] = registers_;
    modeNames_[index] =
        std::string(payload.begin() + 1, payload.begin() + 1 + SIMULATED_NAME_BYTES);
    const std::uint8_t reply[] = {payload[0]};
    emit(CMD_SAVE_MODE, reply);
}

void ProcessorSimulator::answerTextFrame(std::span<const std::uint8_t> payload) {
    std::string_view command(reinterpret_cast<const char*>(payload.data()), payload.size());
    auto reply = answerTextCommand(wifi_, command);
    if (!reply) return;
    std::vector<std::uint8_t> bytes(reply->begin(), reply->end());
    bytes.push_back(0);  // two trailing bytes that are not part of the text
    bytes.push_back(0);
    emit(CMD_TEXT, bytes);
}

std::optional<std::string> ProcessorSimulator::answerText(std::string_view command) {
    std::lock_guard lock(mutex_);
    if (clock_.nowMs() < silentUntilMs_) return std::nullopt;
    return answerTextCommand(wifi_, command);
}

bool ProcessorSimulator::sendRegisterEntries(
    std::uint8_t command, const std::vector<std::pair<int, std::uint16_t>>& entries) {
    std::vector<std::uint8_t> payload(entries.size() * ENTRY_SIZE);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        writeBigEndian16(&payload[i * ENTRY_SIZE], static_cast<std::uint16_t>(entries[i].first));
        writeBigEndian16(&payload[i * ENTRY_SIZE + 2], entries[i].second);
    }
    return emit(command, payload);
}

bool ProcessorSimulator::emit(std::uint8_t command, std::span<const std::uint8_t> payload) {
    if (!output_ || chance(faults_.dropOutgoing)) return false;
    std::vector<std::uint8_t> frame = buildFrame(command, payload);
    bool intact = !chance(faults_.corruptCrc);
    if (!intact) frame.back() ^= 0x5A;

    std::vector<std::uint8_t> bytes;
    if (faults_.maxGarbage > 0) {
        int count = std::uniform_int_distribution<int>(0, faults_.maxGarbage)(random_);
        for (int i = 0; i < count; ++i) {
            auto b = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 254)(random_));
            bytes.push_back(b >= FRAME_START ? b + 1 : b);  // skips the start marker
        }
    }
    bytes.insert(bytes.end(), frame.begin(), frame.end());

    if (faults_.maxChunk <= 0) {
        output_(std::move(bytes), faults_.replyDelayMs);
        return intact;
    }
    std::uniform_int_distribution<std::size_t> size(1, static_cast<std::size_t>(faults_.maxChunk));
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t n = std::min(size(random_), bytes.size() - at);
        output_(std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                          bytes.begin() + static_cast<std::ptrdiff_t>(at + n)),
                faults_.replyDelayMs);
        at += n;
    }
    return intact;
}

bool ProcessorSimulator::chance(double fraction) {
    if (fraction <= 0) return false;
    return std::uniform_real_distribution<double>(0, 1)(random_) < fraction;
}

ProcessorSimulator::RegisterValues ProcessorSimulator::registers() const {
    std::lock_guard lock(mutex_);
    return registers_;
}

std::uint16_t ProcessorSimulator::registerValue(int reg) const {
    std::lock_guard lock(mutex_);
    return RegisterTable::isValid(reg) ? registers_[static_cast<std::size_t>(reg)] : 0;
}

void ProcessorSimulator::setRegisterValue(int reg, std::uint16_t value) {
    std::lock_guard lock(mutex_);
    if (RegisterTable::isValid(reg)) registers_[static_cast<std::size_t>(reg)] = value;
}

void ProcessorSimulator::reportRegisterChange(int reg, std::uint16_t value) {
    std::lock_guard lock(mutex_);
    if (!RegisterTable::isValid(reg)) return;
    registers_[static_cast<std::size_t>(reg)] = value;
    sendRegisterEntries(CMD_READ, {{reg, value}});
}

void ProcessorSimulator::loadRegisters(std::span<const std::int32_t> values) {
    std::lock_guard lock(mutex_);
    std::size_t count = std::min(values.size(), registers_.size());
    for (std::size_t r = 0; r < count; ++r) {
        registers_[r] = static_cast<std::uint16_t>(values[r] & 0xFFFF);
    }
}

void ProcessorSimulator::setModel(std::uint16_t model) {
    std::lock_guard lock(mutex_);
    model_ = model;
    lockForm_ = false;
}

void ProcessorSimulator::setLockForm(std::uint8_t lockMaxMode, std::uint32_t lockMask) {
    std::lock_guard lock(mutex_);
    lockForm_ = true;
    lockMaxMode_ = lockMaxMode;
    lockMask_ = lockMask;
}

std::string ProcessorSimulator::modeName(int mode) const {
    std::lock_guard lock(mutex_);
    if (mode < 1 || mode > SIMULATED_MODE_COUNT) return {};
    return modeNames_[static_cast<std::size_t>(mode - 1)];
}

ProcessorSimulator::RegisterValues ProcessorSimulator::modeSnapshot(int mode) const {
    std::lock_guard lock(mutex_);
    if (mode < 1 || mode > SIMULATED_MODE_COUNT) return {};
    return modes_[static_cast<std::size_t>(mode - 1)];
}

WifiModuleState ProcessorSimulator::wifiState() const {
    std::lock_guard lock(mutex_);
    return wifi_;
}

void ProcessorSimulator::setWifiState(const WifiModuleState& state) {
    std::lock_guard lock(mutex_);
    wifi_ = state;
}

void ProcessorSimulator::setFaults(SimulatorFaults faults) {
    std::lock_guard lock(mutex_);
    faults_ = std::move(faults);
}

void ProcessorSimulator::goSilent(double ms) {
    std::lock_guard lock(mutex_);
    silentUntilMs_ = clock_.nowMs() + static_cast<std::int64_t>(ms);
}

int ProcessorSimulator::framesReceived(std::uint8_t command) const {
    std::lock_guard lock(mutex_);
    return framesReceived_[command];
}

int ProcessorSimulator::writesReceived(int reg) const {
    std::lock_guard lock(mutex_);
    return RegisterTable::isValid(reg) ? writesReceived_[static_cast<std::size_t>(reg)] : 0;
}

std::uint64_t ProcessorSimulator::lastFrameSequence(std::uint8_t command) const {
    std::lock_guard lock(mutex_);
    return lastFrameSequence_[command];
}

std::optional<std::uint16_t> ProcessorSimulator::lastDeliveredAck(int reg) const {
    std::lock_guard lock(mutex_);
    if (!RegisterTable::isValid(reg)) return std::nullopt;
    return lastDeliveredAck_[static_cast<std::size_t>(reg)];
}

std::optional<std::chrono::steady_clock::time_point> ProcessorSimulator::waitForWrite(
    int reg, std::uint16_t value, double ms) {
    if (!RegisterTable::isValid(reg)) return std::nullopt;
    std::unique_lock lock(mutex_);
    const LastWrite& last = lastWrite_[static_cast<std::size_t>(reg)];
    bool arrived = writeArrived_.wait_for(lock, clock_.toReal(ms),
                                          [&] { return last.any && last.value == value; });
    if (!arrived) return std::nullopt;
    return last.at;
}

}  // namespace tq370
