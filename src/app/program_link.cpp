#include "app/program_link.h"

#include "link/configured_link.h"
#include "sim/processor_simulator.h"
#include "sim/pty_simulator_server.h"
#include "transports/wifi_transport.h"

namespace tq370 {

ProgramLink::ProgramLink(ProgramLinkSetup setup)
    : setup_(std::move(setup)), context_(std::make_unique<LinkContext>(setup_.timeScale)) {
    context_->registers.loadDefaults();
}

ProgramLink::~ProgramLink() {
    stop();
}

bool ProgramLink::start(LinkHost& host, std::string& problem) {
    std::optional<LinkOptions> options = setup_.link;
    if (setup_.demo) {
        simulator_ = std::make_unique<ProcessorSimulator>(
            SimulatorOptions{SIMULATED_MODEL, setup_.timeScale});
        server_ = std::make_unique<PtySimulatorServer>(*simulator_, setup_.timeScale);
        if (!server_->open()) {
            problem = "the system has no pseudo-terminal for the simulated processor";
            return false;
        }
        LinkOptions demoLink;
        demoLink.kind = TransportKind::Serial;
        demoLink.serialPath = server_->portPath();
        options = demoLink;
    }
    if (!setup_.folders.ensureDataFolder()) setup_.folders.ensureFallbackFolder();
    EngineSetup engineSetup{setup_.folders, [this, options](LinkContext& context) {
                                const LinkOptions chosen =
                                    options
                                        ? *options
                                        : linkOptionsFor(configuredLink(
                                              setup_.folders, DataFolders::runningProgramName()));
                                return makeTransport(context, chosen);
                            }};
    engine_ = std::make_unique<LinkEngine>(*context_, host, engineSetup);
    return engine_->startEngine();
}

std::unique_ptr<Transport> ProgramLink::makeTransport(LinkContext& context,
                                                      const LinkOptions& options) {
    MadeTransport made = tq370::makeTransport(context, options, setup_.makeHidDevice);
    wifi_.store(made.wifi);
    return std::move(made.transport);
}

StopResult ProgramLink::stop() {
    StopResult result = engine_ ? engine_->stopEngine() : StopResult::NotRunning;
    wifi_.store(nullptr);
    if (server_) server_->close();
    return result;
}

void ProgramLink::setPaused(bool paused) {
    if (engine_) engine_->setPaused(paused);
}

bool ProgramLink::paused() const {
    return engine_ && engine_->paused();
}

bool ProgramLink::running() const {
    return engine_ && engine_->state() == EngineState::Running &&
           context_->linkUp.load(std::memory_order_relaxed);
}

std::vector<std::uint32_t> ProgramLink::discoveredProcessors() const {
    WifiTransport* wifi = wifi_.load();
    return wifi ? wifi->discoveredProcessors() : std::vector<std::uint32_t>{};
}

void ProgramLink::chooseProcessor(std::uint32_t address) {
    if (WifiTransport* wifi = wifi_.load()) wifi->chooseProcessor(address);
}

}  // namespace tq370
