// tqr480-sim: a simulated TQ-R480 processor served on a pseudo-terminal, for trying the
// tools without hardware and for the end-to-end tests.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/net_address.h"
#include "platform/program_version.h"
#include "sim/processor_simulator.h"
#include "sim/pty_simulator_server.h"
#include "sim/wifi_simulator_server.h"
#include "storage/preset_file.h"

namespace {

using namespace tq370;

constexpr int EXIT_OK = 0;
constexpr int EXIT_SERVE_FAILED = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_FILE_ERROR = 3;

struct Settings {
    bool pty = false;
    std::string tcp;       // ADDR:PORT of the WiFi module's frame channel
    std::string udp;       // ADDR:PORT of its text channel
    std::string linkedPc;  // the WiFi module says it is linked to this PC
    std::string presetPath;
    int model = SIMULATED_MODEL;
    std::uint32_t seed = 1;
    double timeScale = 1.0;
    SimulatorFaults faults;
    std::vector<int> neverAcknowledge;
    std::vector<int> neverReport;
};

struct Endpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
};

// "ADDR:PORT" with a dotted IPv4 address and a port 1..65535.
std::optional<Endpoint> parseEndpoint(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) return std::nullopt;
    auto address = parseIpv4(text.substr(0, colon));
    char* end = nullptr;
    const long port = std::strtol(text.c_str() + colon + 1, &end, 10);
    if (!address || end == text.c_str() + colon + 1 || *end != '\0' || port < 1 || port > 65535) {
        return std::nullopt;
    }
    return Endpoint{*address, static_cast<std::uint16_t>(port)};
}

void addOptions(CLI::App& app, Settings& s) {
    app.add_flag("--pty", s.pty,
                 "serve on a new pseudo-terminal and print its path on the first line of "
                 "standard output");
    app.add_option("--tcp", s.tcp,
                   "serve the WiFi module's TCP frame channel on ADDR:PORT (with --udp; one "
                   "address for both, e.g. 127.0.0.2)");
    app.add_option("--udp", s.udp, "serve the WiFi module's UDP text channel on ADDR:PORT");
    app.add_option("--linked-pc", s.linkedPc,
                   "the WiFi module answers that it is linked to this other PC (an IPv4 "
                   "address)");
    app.add_option("--preset", s.presetPath, "start with the registers of this preset file");
    app.add_option(
           "--model", s.model,
           "model number the processor reports (default " + std::to_string(SIMULATED_MODEL) + ")")
        ->check(CLI::Range(0, 0xFFFF));
    app.add_option("--seed", s.seed, "seed of the fault switches' random choices (default 1)");
    app.add_option("--time-scale", s.timeScale,
                   "stretch every delay by this factor (tests use less than 1; default 1)")
        ->check(CLI::PositiveNumber);

    const auto fraction = CLI::Range(0.0, 1.0);
    app.add_option("--drop-incoming", s.faults.dropIncoming,
                   "fraction of the host's frames that are ignored")
        ->check(fraction)
        ->group("Faults");
    app.add_option("--drop-outgoing", s.faults.dropOutgoing,
                   "fraction of the replies that are never sent")
        ->check(fraction)
        ->group("Faults");
    app.add_option("--corrupt-crc", s.faults.corruptCrc,
                   "fraction of the replies sent with a wrong CRC")
        ->check(fraction)
        ->group("Faults");
    app.add_option("--max-chunk", s.faults.maxChunk,
                   "replies leave in pieces of 1 to this many bytes (0: whole)")
        ->check(CLI::NonNegativeNumber)
        ->group("Faults");
    app.add_option("--max-garbage", s.faults.maxGarbage,
                   "up to this many random bytes before each reply")
        ->check(CLI::NonNegativeNumber)
        ->group("Faults");
    app.add_option("--reply-delay", s.faults.replyDelayMs,
                   "every reply leaves this many milliseconds later")
        ->check(CLI::NonNegativeNumber)
        ->group("Faults");
    app.add_option("--never-ack", s.neverAcknowledge,
                   "writes to this register are stored but never acknowledged (repeatable)")
        ->check(CLI::Range(0, LAST_REGISTER))
        ->group("Faults");
    app.add_option("--omit", s.neverReport,
                   "this register is left out of every read reply (repeatable)")
        ->check(CLI::Range(0, LAST_REGISTER))
        ->group("Faults");
    app.add_flag("--register0-any-model", s.faults.register0AnyModel,
                 "register 0 reads 4095, the value accepted without a model check")
        ->group("Faults");
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "tqr480-sim: a simulated TQ-R480 processor. Runs until it is killed or its standard "
        "input closes."};
    app.set_version_flag("--version", programVersionText("tqr480-sim"));
    Settings settings;
    addOptions(app, settings);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "tqr480-sim: %s\n", e.what());
        return EXIT_USAGE;
    }
    const bool wifi = !settings.tcp.empty() || !settings.udp.empty();
    if (!settings.pty && !wifi) {
        std::fprintf(
            stderr,
            "tqr480-sim: nothing to serve on: give --pty or --tcp and --udp (see --help)\n");
        return EXIT_USAGE;
    }
    std::optional<Endpoint> tcp = parseEndpoint(settings.tcp);
    std::optional<Endpoint> udp = parseEndpoint(settings.udp);
    if (wifi && (!tcp || !udp || tcp->address != udp->address)) {
        std::fprintf(stderr, "tqr480-sim: --tcp and --udp take ADDR:PORT, both on one address\n");
        return EXIT_USAGE;
    }

    ProcessorSimulator simulator(SimulatorOptions{static_cast<std::uint16_t>(settings.model),
                                                  settings.timeScale, settings.seed});
    if (!settings.presetPath.empty()) {
        PresetFile preset;
        PresetResult result = preset.readRecord(settings.presetPath);
        if (result != PresetResult::Success) {
            std::fprintf(stderr, "tqr480-sim: %s: %s\n", settings.presetPath.c_str(),
                         std::string(presetResultMeaning(result)).c_str());
            return EXIT_FILE_ERROR;
        }
        simulator.loadRegisters(preset.values());
    }
    settings.faults.neverAcknowledge =
        std::set<int>(settings.neverAcknowledge.begin(), settings.neverAcknowledge.end());
    settings.faults.neverReport =
        std::set<int>(settings.neverReport.begin(), settings.neverReport.end());
    simulator.setFaults(settings.faults);
    if (!settings.linkedPc.empty()) {
        auto pc = parseIpv4(settings.linkedPc);
        if (!pc) {
            std::fprintf(stderr, "tqr480-sim: --linked-pc: %s is not an IPv4 address\n",
                         settings.linkedPc.c_str());
            return EXIT_USAGE;
        }
        WifiModuleState state = simulator.wifiState();
        state.linkedPc = *pc;
        simulator.setWifiState(state);
    }

    PtySimulatorServer server(simulator, settings.timeScale);
    if (settings.pty) {
        if (!server.open()) {
            std::fprintf(stderr, "tqr480-sim: the system gave no pseudo-terminal\n");
            return EXIT_SERVE_FAILED;
        }
        std::printf("%s\n", server.portPath().c_str());
    }
    std::unique_ptr<WifiSimulatorServer> wifiServer;
    if (wifi) {
        wifiServer = std::make_unique<WifiSimulatorServer>(simulator, tcp->address, udp->port,
                                                           tcp->port, settings.timeScale);
        if (!wifiServer->start()) {
            std::fprintf(stderr, "tqr480-sim: cannot bind %s and %s\n", settings.tcp.c_str(),
                         settings.udp.c_str());
            return EXIT_SERVE_FAILED;
        }
        std::printf("wifi %s %s\n", settings.tcp.c_str(), settings.udp.c_str());
    }
    std::fflush(stdout);

    // Serves until standard input closes (or the process is killed). Started in the
    // background of a shell, a read of the terminal fails instead of stopping the process;
    // then only a signal ends it.
    std::signal(SIGTTIN, SIG_IGN);
    char ignored[256];
    while (true) {
        ssize_t n = read(STDIN_FILENO, ignored, sizeof ignored);
        if (n == 0) return EXIT_OK;
        if (n < 0 && errno != EINTR) break;
    }
    while (true) pause();
}
