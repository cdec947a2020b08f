#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/link_context.h"
#include "link/link_engine.h"
#include "storage/data_folders.h"
#include "transports/transport_choice.h"

namespace tq370 {

class ProcessorSimulator;
class PtySimulatorServer;
class WifiTransport;

struct ProgramLinkSetup {
    // The link of this run; nullopt: the one the configuration names, read when the
    // engine starts.
    std::optional<LinkOptions> link;
    // The simulated processor in this process on a pseudo-terminal, reached over the
    // serial transport; link is then ignored.
    bool demo = false;
    double timeScale = 1.0;
    DataFolders folders = DataFolders::forRunningProgram();
    HidDeviceMaker makeHidDevice;
};

// The program's link to the processor: the shared LinkContext, the sync engine with the
// transport chosen for this run and, for a demonstration, the simulated processor it
// talks to. The register table holds the defaults from construction on, so that the
// window shows them before anything is read.
class ProgramLink {
public:
    explicit ProgramLink(ProgramLinkSetup setup);
    ~ProgramLink();
    ProgramLink(const ProgramLink&) = delete;
    ProgramLink& operator=(const ProgramLink&) = delete;

    LinkContext& context() { return *context_; }
    const DataFolders& folders() const { return setup_.folders; }
    bool demo() const { return setup_.demo; }

    // Starts the engine (and the simulated processor first for a demonstration). False
    // when it could not start; problem then says why, unless the engine told the host.
    bool start(LinkHost& host, std::string& problem);
    // The engine's bounded stop; the simulated processor goes with it.
    StopResult stop();

    void setPaused(bool paused);
    bool paused() const;
    // Whether the engine runs its main loop on a live link, its connect sequence done.
    bool running() const;
    const LinkEngine* engine() const { return engine_.get(); }

    // While the WiFi transport asks for a choice: the processors that answered, and the
    // one the user picked.
    std::vector<std::uint32_t> discoveredProcessors() const;
    void chooseProcessor(std::uint32_t address);

    // The simulated processor of a demonstration, else null.
    ProcessorSimulator* simulator() { return simulator_.get(); }

private:
    std::unique_ptr<Transport> makeTransport(LinkContext& context, const LinkOptions& options);

    const ProgramLinkSetup setup_;
    std::unique_ptr<LinkContext> context_;
    std::unique_ptr<ProcessorSimulator> simulator_;
    std::unique_ptr<PtySimulatorServer> server_;
    std::atomic<WifiTransport*> wifi_{nullptr};  // while the engine's transport is WiFi
    std::unique_ptr<LinkEngine> engine_;
};

}  // namespace tq370
