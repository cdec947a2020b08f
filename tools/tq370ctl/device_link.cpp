#include "device_link.h"

#include <cmath>
#include <cstdio>

#include "command.h"
#include "platform/hidapi_device.h"
#include "platform/net_address.h"
#include "text/language.h"
#include "transports/serial_transport.h"
#include "transports/transport_choice.h"
#include "transports/wifi_transport.h"

namespace tq370::ctl {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;
constexpr auto POLL_STEP = std::chrono::microseconds(200);
// How often a wait looks again at what no report announces (acknowledgements, text slots).
constexpr auto LOOK_AGAIN = std::chrono::milliseconds(2);

std::string openErrorMeaning(SerialPort::OpenError error) {
    switch (error) {
        case SerialPort::OpenError::NotFound:
            return "no such device";
        case SerialPort::OpenError::NoPermission:
            return "permission denied (is the user in the dialout group?)";
        case SerialPort::OpenError::Busy:
            return "in use by another program";
        case SerialPort::OpenError::NotATerminal:
            return "not a serial port";
        case SerialPort::OpenError::SettingsRefused:
            return "the driver refused the line settings or the speed";
        case SerialPort::OpenError::Failed:
            break;
    }
    return "cannot be opened";
}

std::chrono::steady_clock::time_point deadlineAfter(double seconds) {
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(
               std::chrono::duration<double>(seconds));
}

// The longest --timeout taken: a day.
constexpr double MAX_TIMEOUT_SECONDS = 86400;
constexpr double MAX_TIME_SCALE = 100;

// A finite number above 0 and at most max.
CLI::Validator positiveUpTo(double max) {
    return CLI::Validator(
        [max](std::string& text) -> std::string {
            double value = 0;
            if (!CLI::detail::lexical_cast(text, value) || !std::isfinite(value) || value <= 0 ||
                value > max) {
                return "must be a number above 0 and at most " + CLI::detail::to_string(max) +
                       ", not " + text;
            }
            return {};
        },
        "POSITIVE<=" + CLI::detail::to_string(max));
}

// --wifi takes no value (discover) or an address; CLI11 gives both the same empty result,
// so the choice is read from the option's count.
CLI::Option* wifiOption = nullptr;

}  // namespace

std::optional<std::string> emptyWifiAddress(int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--wifi=" || (arg == "--wifi" && k + 1 < argc && argv[k + 1][0] == '\0')) {
            return "--wifi: the address is empty; give an IPv4 address, or no value to find "
                   "processors on the local network";
        }
    }
    return std::nullopt;
}

DeviceOptions resolvedDeviceOptions(DeviceOptions options) {
    if (wifiOption && wifiOption->count() > 0) options.wifi = true;
    return options;
}

const DeviceOptions& addDeviceCommand(CLI::App& app, CLI::App& subcommand) {
    static DeviceOptions options;
    CLI::App* top = &app;
    while (top->get_parent()) top = top->get_parent();
    if (!top->get_option_no_throw("--serial")) {
        const char* group = "Device link (before or after the command)";
        top->add_option("--serial", options.serialPath,
                        "use this serial port only (default: try every serial port)")
            ->group(group);
        top->add_flag("--usb", options.usb, "use the USB link")->group(group);
        wifiOption = top->add_option("--wifi", options.wifiAddress,
                                     "use the WiFi link; with ADDR that processor, without "
                                     "discovery")
                         ->expected(0, 1)
                         ->group(group);
        const std::string port = std::to_string(WIFI_DEFAULT_PORT);
        top->add_option("--udp-port", options.udpPort,
                        "WiFi: the processor's UDP port (" + port + ")")
            ->check(CLI::Range(1, 65535))
            ->group(group);
        top->add_option("--tcp-port", options.tcpPort,
                        "WiFi: the processor's TCP port (" + port + ")")
            ->check(CLI::Range(1, 65535))
            ->group(group);
        top->add_option("--own-address", options.ownAddress,
                        "WiFi: this PC's IPv4 address (default: detect)")
            ->group(group);
        top->add_option(
               "--baud", options.baud,
               "line speed in bits per second (default " + std::to_string(DEFAULT_BAUD_RATE) + ")")
            ->check(CLI::PositiveNumber)
            ->group(group);
        top->add_option("--timeout", options.timeoutSeconds,
                        "give up after this many seconds (default 30, at most a day)")
            ->check(positiveUpTo(MAX_TIMEOUT_SECONDS))
            ->group(group);
        top->add_option("--time-scale", options.timeScale,
                        "for tests against tqr480-sim: stretch every protocol wait by this "
                        "factor (default 1)")
            ->check(positiveUpTo(MAX_TIME_SCALE))
            ->group(group);
    }
    for (CLI::App* level = &subcommand; level && level != top; level = level->get_parent()) {
        level->fallthrough();
    }
    return options;
}

DeviceLink::DeviceLink(const DeviceOptions& options, DataFolders folders)
    : options_(resolvedDeviceOptions(options)),
      folders_(std::move(folders)),
      deadline_(deadlineAfter(options.timeoutSeconds)),
      link_(std::make_unique<LinkContext>(options.timeScale)) {
    setCurrentLanguage(Language::English);
    host_.setOnReport([this] {
        { std::lock_guard lock(wakeMutex_); }
        wake_.notify_all();
    });
}

DeviceLink::~DeviceLink() {
    stop();
}

void DeviceLink::collectModeNames() {
    nameWatcher_ = std::jthread([this](std::stop_token stop) { watchModeNames(std::move(stop)); });
}

void DeviceLink::watchModeNames(std::stop_token stop) {
    // The processor's names share one buffer, so each is taken as soon as it has arrived.
    while (!stop.stop_requested()) {
        if (link_->newName.exchange(false, std::memory_order_acquire)) {
            const int mode = link_->registers.getRegister(REG_MODE_COMMAND) & 0xFF;
            std::u16string name = link_->modeName();
            if (mode >= 1 && mode <= MODE_COUNT) {
                std::string narrow;
                for (char16_t c : name) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
                while (!narrow.empty() && narrow.back() == ' ') narrow.pop_back();
                std::lock_guard lock(namesMutex_);
                names_[static_cast<std::size_t>(mode - 1)] = narrow;
            }
        }
        std::this_thread::sleep_for(POLL_STEP);
    }
}

std::optional<std::string> DeviceLink::modeName(int mode) const {
    std::lock_guard lock(namesMutex_);
    return names_[static_cast<std::size_t>(mode - 1)];
}

bool DeviceLink::connect() {
    if (auto problem = linkOptionsProblem(linkOptions())) throw UsageError(*problem);
    if (!folders_.ensureDataFolder()) folders_.ensureFallbackFolder();
    EngineSetup setup{folders_, [this](LinkContext& context) {
                          auto made = makeTransport(context);
                          transport_.store(made.get());
                          return made;
                      }};
    engine_ = std::make_unique<LinkEngine>(*link_, host_, setup);
    if (!engine_->startEngine()) return false;

    // The engine says nothing when it reaches its main loop, so the wait looks at its
    // state in short steps; a processor of another model is reported to the host.
    while (!engine_->waitUntilRunning(
        std::min(deadline_, std::chrono::steady_clock::now() + LOOK_AGAIN * 10))) {
        if (host_.shown(MessageTopic::WrongModel)) {
            std::fprintf(stderr, "tq370ctl: the processor %s is model %u, not %u\n",
                         linkDescription().c_str(),
                         static_cast<unsigned>(link_->deviceModelId.load(RELAXED)),
                         static_cast<unsigned>(ACCEPTED_MODEL));
            return false;
        }
        if (pastDeadline()) {
            reportTimeout("no processor answered");
            return false;
        }
    }
    return true;
}

bool DeviceLink::running() const {
    return engine_ && engine_->state() == EngineState::Running && link_->linkUp.load(RELAXED);
}

bool DeviceLink::pastDeadline() const {
    return std::chrono::steady_clock::now() > deadline_;
}

// The tool picks the link from its options, whatever the configuration file says.
LinkOptions DeviceLink::linkOptions() const {
    LinkOptions link;
    link.kind = options_.usb    ? TransportKind::Usb
                : options_.wifi ? TransportKind::WiFi
                                : TransportKind::Serial;
    link.serialPath = options_.serialPath;
    link.baudRate = static_cast<std::uint32_t>(options_.baud);
    link.wifiAddress = options_.wifiAddress;
    link.ownAddress = options_.ownAddress;
    link.udpPort = static_cast<std::uint16_t>(options_.udpPort);
    link.tcpPort = static_cast<std::uint16_t>(options_.tcpPort);
    return link;
}

std::unique_ptr<Transport> DeviceLink::makeTransport(LinkContext& context) {
    MadeTransport made = tq370::makeTransport(context, linkOptions(),
                                              [] { return std::make_unique<HidapiDevice>(); });
    serial_.store(made.serial);
    wifi_.store(made.wifi);
    return std::move(made.transport);
}

std::string DeviceLink::linkDescription() const {
    if (options_.usb) return "on USB";
    if (options_.wifi) {
        return options_.wifiAddress.empty() ? "on WiFi" : "on WiFi at " + options_.wifiAddress;
    }
    return options_.serialPath.empty() ? "on any serial port" : "on " + options_.serialPath;
}

void DeviceLink::reportTimeout(const char* what) {
    std::fprintf(stderr, "tq370ctl: %s %s within %g s\n", what, linkDescription().c_str(),
                 options_.timeoutSeconds);
    if (WifiTransport* wifi = wifi_.load()) {
        if (auto other = wifi->linkedToOtherPc()) {
            std::fprintf(stderr, "tq370ctl: the processor at %s is linked to another PC (%s)\n",
                         ipv4Text(other->processor).c_str(), ipv4Text(other->linkedPc).c_str());
        }
    }
    if (SerialTransport* transport = serial_.load()) {
        if (auto failure = transport->lastOpenFailure()) {
            std::fprintf(stderr, "tq370ctl: %s: %s\n", failure->path.c_str(),
                         openErrorMeaning(failure->error).c_str());
        }
    }
}

std::string DeviceLink::portPath() const {
    if (SerialTransport* transport = serial_.load()) return transport->portPath();
    if (options_.usb) return "USB";
    return options_.wifiAddress.empty() ? "WiFi" : options_.wifiAddress;
}

bool DeviceLink::waitFor(const std::function<bool()>& done) {
    std::unique_lock lock(wakeMutex_);
    while (!done()) {
        if (!link_->linkUp.load(RELAXED)) {
            std::fprintf(stderr, "tq370ctl: the link to the processor was lost\n");
            return false;
        }
        if (pastDeadline()) {
            std::fprintf(stderr, "tq370ctl: timed out after %g s\n", options_.timeoutSeconds);
            return false;
        }
        wake_.wait_for(lock, LOOK_AGAIN);
    }
    return true;
}

bool DeviceLink::waitThroughReconnects(const std::function<bool()>& done) {
    std::unique_lock lock(wakeMutex_);
    while (!(running() && done())) {
        if (pastDeadline()) {
            std::fprintf(stderr, "tq370ctl: timed out after %g s\n", options_.timeoutSeconds);
            return false;
        }
        wake_.wait_for(lock, LOOK_AGAIN);
    }
    return true;
}

std::optional<JobOutcome> DeviceLink::runJob(const std::function<JobTicket(LinkEngine&)>& request) {
    JobTicket ticket = request(*engine_);
    auto outcome = ticket.waitUntil(deadline_);
    if (!outcome) {
        std::fprintf(stderr, "tq370ctl: timed out after %g s\n", options_.timeoutSeconds);
    }
    return outcome;
}

void DeviceLink::stop() {
    if (nameWatcher_.joinable()) {
        nameWatcher_.request_stop();
        nameWatcher_.join();
    }
    if (engine_) {
        engine_->stopEngine();
        engine_.reset();
    }
    transport_.store(nullptr);
}

}  // namespace tq370::ctl
