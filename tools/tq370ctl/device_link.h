#pragma once

#include <CLI/CLI.hpp>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/link_context.h"
#include "link/link_engine.h"
#include "link/processor_identity.h"
#include "printing_link_host.h"
#include "storage/data_folders.h"
#include "transports/transport_choice.h"

namespace tq370 {
class SerialTransport;
class WifiTransport;
class Transport;
}  // namespace tq370

namespace tq370::ctl {

// How the device commands reach the processor; shared by all of them.
struct DeviceOptions {
    std::string serialPath;   // that port only; empty: every serial port of the system
    bool usb = false;         // the USB HID link instead of a serial port
    bool wifi = false;        // the WiFi link instead of a serial port
    std::string wifiAddress;  // with wifi: this processor, no discovery; empty: discover
    std::string ownAddress;   // with wifi: this PC's address; empty: detect
    int udpPort = WIFI_DEFAULT_PORT;
    int tcpPort = WIFI_DEFAULT_PORT;
    int baud = DEFAULT_BAUD_RATE;
    double timeoutSeconds = 30;
    double timeScale = 1.0;
};

// What the options say once parsing is over (whether --wifi was given, with or without
// an address).
DeviceOptions resolvedDeviceOptions(DeviceOptions options);
// The message for a --wifi whose address is given but empty (which the parser cannot tell
// from a --wifi without one), or nullopt.
std::optional<std::string> emptyWifiAddress(int argc, char** argv);

// Adds the link options to the top-level command (once) and lets subcommand take them
// after its name as well. The options are filled in when the command line is parsed.
const DeviceOptions& addDeviceCommand(CLI::App& app, CLI::App& subcommand);

// One device command's run of the real sync engine over the chosen link: connect and the
// connect sequence, the command's work, stop. Every wait ends at the command's deadline.
// Failures are printed on standard error. Main thread.
class DeviceLink {
public:
    explicit DeviceLink(const DeviceOptions& options,
                        DataFolders folders = DataFolders::forRunningProgram());
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Starts to collect the mode names as they arrive (before connect).
    void collectModeNames();
    // Starts the engine and waits until it has run the connect sequence; false (with a
    // message) at the deadline or when the processor is of another model. Link options
    // that name no usable link throw UsageError.
    bool connect();

    LinkContext& link() { return *link_; }
    PrintingLinkHost& host() { return host_; }
    const PrintingLinkHost& host() const { return host_; }
    std::string portPath() const;
    // The options as resolved after parsing.
    const DeviceOptions& options() const { return options_; }

    // Waits until done() holds (true), or until the deadline or a lost link ends the wait
    // (false, with a message). done() is asked again whenever the host is told something,
    // and every few milliseconds for what only the register table shows.
    bool waitFor(const std::function<bool()>& done);
    // The same, but a lost link is waited out: done() is asked only while the engine runs
    // its main loop (after a reconnect, once the connect sequence has read everything back).
    bool waitThroughReconnects(const std::function<bool()>& done);

    // Runs a job and waits for its outcome; nullopt when the deadline came first (with a
    // message).
    std::optional<JobOutcome> runJob(const std::function<JobTicket(LinkEngine&)>& request);

    // The name of mode 1..16 as it arrived; nullopt when it did not.
    std::optional<std::string> modeName(int mode) const;

    // Whether the engine runs its main loop on a live link.
    bool running() const;
    // Whether the deadline has passed.
    bool pastDeadline() const;

    // Stops the engine.
    void stop();

private:
    void watchModeNames(std::stop_token stop);
    void reportTimeout(const char* what);
    LinkOptions linkOptions() const;
    std::unique_ptr<Transport> makeTransport(LinkContext& context);
    std::string linkDescription() const;

    const DeviceOptions options_;
    const DataFolders folders_;
    const std::chrono::steady_clock::time_point deadline_;
    std::unique_ptr<LinkContext> link_;
    PrintingLinkHost host_;
    std::atomic<SerialTransport*> serial_{nullptr};  // when the link is a serial port
    std::atomic<Transport*> transport_{nullptr};
    std::atomic<WifiTransport*> wifi_{nullptr};  // when the link is WiFi
    std::unique_ptr<LinkEngine> engine_;

    std::mutex wakeMutex_;  // with wake_: a report of the host ends a wait early
    std::condition_variable wake_;

    mutable std::mutex namesMutex_;  // guards names_
    std::array<std::optional<std::string>, MODE_COUNT> names_;
    std::jthread nameWatcher_;
};

}  // namespace tq370::ctl
