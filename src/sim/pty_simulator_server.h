#pragma once

#include <optional>
#include <string>
#include <thread>

#include "platform/pseudo_terminal.h"
#include "sim/byte_pipe.h"
#include "sim/processor_simulator.h"

namespace tq370 {

// Serves a ProcessorSimulator on a pseudo-terminal, whose port side any program may open
// as a serial port: one thread carries what the port's user writes to the simulator,
// another writes the simulator's replies to the port, each when it is due. The port
// stays usable across successive users. The simulator must outlive the server.
class PtySimulatorServer {
public:
    // timeScale: that of the simulator, which its reply delays are given in.
    explicit PtySimulatorServer(ProcessorSimulator& simulator, double timeScale = 1.0);
    ~PtySimulatorServer();
    PtySimulatorServer(const PtySimulatorServer&) = delete;
    PtySimulatorServer& operator=(const PtySimulatorServer&) = delete;

    // Makes a new pseudo-terminal and serves on it (after closing an earlier one); false
    // when the system has none to give. Not concurrently with close.
    bool open();
    // Removes the pseudo-terminal: a program that has the port open sees it vanish.
    void close();

    // The port to open, e.g. "/dev/pts/7"; "" while closed.
    std::string portPath() const;

private:
    void fromPort(std::stop_token stop);
    void toPort(std::stop_token stop);

    ProcessorSimulator& simulator_;
    const Clock clock_;
    // The pseudo-terminal is made and dropped only while neither thread runs.
    std::optional<PseudoTerminal> terminal_;
    BytePipe replies_;
    std::jthread fromPortThread_;
    std::jthread toPortThread_;
};

}  // namespace tq370
