#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "base/clock.h"
#include "link/frame_scanner.h"
#include "link/register_table.h"
#include "sim/simulated_identity.h"
#include "sim/simulator_faults.h"
#include "sim/wifi_module.h"

namespace tq370 {

struct SimulatorOptions {
    std::uint16_t model = SIMULATED_MODEL;
    double timeScale = 1.0;
    std::uint32_t seed = 1;  // the same seed makes the same faults
};

// A simulated TQ-R480: 1901 registers, 16 named mode snapshots and a WiFi module, answering
// the link protocol byte for byte. Bytes from the host go into receive(); replies leave
// through the attached output, after the fault switches had their say. Thread-safe: one
// lock guards all of its state, so the host's threads, the simulator's reader and a test
// may call it at once.
class ProcessorSimulator {
public:
    using RegisterValues = std::array<std::uint16_t, REGISTER_COUNT>;
    // Receives outgoing bytes and how long they travel; called with the lock held, so it
    // must not call back into the simulator.
    using Output = std::function<void(std::vector<std::uint8_t> bytes, double delayMs)>;

    explicit ProcessorSimulator(SimulatorOptions options = {});

    // The line to one host. attach replaces an earlier host and starts with an empty
    // receive buffer; onHangUp runs (without the lock) when hangUp() drops the line.
    void attach(Output output, std::function<void()> onHangUp);
    void detach();
    // Cuts the line as if the cable were pulled; the next attach plugs it in again.
    void hangUp();

    // Bytes from the host, in any pieces.
    void receive(std::span<const std::uint8_t> bytes);
    // The reply text of a text command, for frames and UDP datagrams alike.
    std::optional<std::string> answerText(std::string_view command);

    // Registers: the factory defaults at construction.
    RegisterValues registers() const;
    std::uint16_t registerValue(int reg) const;
    void setRegisterValue(int reg, std::uint16_t value);
    // A change made at the processor itself (its remote or front panel): stored and told
    // to the attached host unasked, as a read reply of that one register.
    void reportRegisterChange(int reg, std::uint16_t value);
    // Values of a preset (low 16 bits), as many as there are.
    void loadRegisters(std::span<const std::int32_t> values);

    // The hello answer: the identity form with the model, or the lock form.
    void setModel(std::uint16_t model);
    void setLockForm(std::uint8_t lockMaxMode, std::uint32_t lockMask);

    std::string modeName(int mode) const;  // modes 1..16, space-padded to 20 bytes
    RegisterValues modeSnapshot(int mode) const;

    WifiModuleState wifiState() const;
    void setWifiState(const WifiModuleState& state);

    void setFaults(SimulatorFaults faults);
    // Ignores everything the host sends for ms protocol milliseconds.
    void goSilent(double ms);

    // What arrived: frames by command (dropped ones excluded) and writes by register.
    int framesReceived(std::uint8_t command) const;
    int writesReceived(int reg) const;
    // Order of arrival: the number (1, 2, ...) of the last frame of this command; 0: none.
    std::uint64_t lastFrameSequence(std::uint8_t command) const;
    // The value of the last acknowledgement for reg that reached the line intact.
    std::optional<std::uint16_t> lastDeliveredAck(int reg) const;
    // Waits up to ms protocol milliseconds for a write of value into reg (one that
    // arrives after the call or is the last one received); the time it arrived.
    std::optional<std::chrono::steady_clock::time_point> waitForWrite(int reg, std::uint16_t value,
                                                                      double ms);

private:
    struct LastWrite {
        std::uint16_t value = 0;
        std::chrono::steady_clock::time_point at{};
        bool any = false;
    };

    void handleFrame(std::uint8_t command, std::span<const std::uint8_t> payload);
    void answerRead(std::span<const std::uint8_t> payload);
    void answerWrite(std::span<const std::uint8_t> payload);
    void answerSendAll();
    void answerModeName(std::span<const std::uint8_t> payload);
    void recallMode(std::span<const std::uint8_t> payload);
    void saveMode(std::span<const std::uint8_t> payload);
    void answerTextFrame(std::span<const std::uint8_t> payload);
    void answerHello();
    // Sends one reply through the faults; true when it left intact.
    bool emit(std::uint8_t command, std::span<const std::uint8_t> payload);
    bool sendRegisterEntries(std::uint8_t command,
                             const std::vector<std::pair<int, std::uint16_t>>& entries);
    std::uint16_t readValue(int reg) const;
    bool chance(double fraction);

    const Clock clock_;
    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable writeArrived_;
    std::mt19937 random_;
    FrameScanner scanner_;
    Output output_;
    std::function<void()> onHangUp_;
    bool lineOpen_ = false;

    RegisterValues registers_{};
    std::uint16_t model_;
    bool lockForm_ = false;
    std::uint8_t lockMaxMode_ = 16;
    std::uint32_t lockMask_ = 0;
    std::array<RegisterValues, SIMULATED_MODE_COUNT> modes_{};
    std::array<std::string, SIMULATED_MODE_COUNT> modeNames_;
    WifiModuleState wifi_;

    SimulatorFaults faults_;
    std::int64_t silentUntilMs_ = 0;

    std::array<int, 256> framesReceived_{};
    std::array<std::uint64_t, 256> lastFrameSequence_{};
    std::uint64_t frameSequence_ = 0;
    std::array<int, REGISTER_COUNT> writesReceived_{};
    std::array<LastWrite, REGISTER_COUNT> lastWrite_{};
    std::array<std::optional<std::uint16_t>, REGISTER_COUNT> lastDeliveredAck_{};
};

}  // namespace tq370
