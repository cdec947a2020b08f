#pragma once

#include <atomic>
#include <mutex>
#include <thread>

#include "link/frame_parser.h"
#include "link/link_context.h"
#include "link/reply_wait.h"
#include "link/transport.h"
#include "sim/byte_pipe.h"
#include "sim/processor_simulator.h"

namespace tq370 {

// A Transport joined to a ProcessorSimulator in the same process, with the threading of a
// real link: frames go to the simulator through a pipe read by the simulator's own reader
// thread, and its replies come back through a second pipe read by the host's reader
// thread, which feeds them to the host's FrameParser. The kind decides the engine's
// timings and paths; on WiFi the reconnect probe re-reads register 0 as the TCP link
// does. The simulator must outlive the transport.
class InProcessTransport : public Transport, private ProbedDevice {
public:
    InProcessTransport(LinkContext& link, ProcessorSimulator& simulator,
                       TransportKind kind = TransportKind::Usb);
    ~InProcessTransport() override;

    TransportKind kind() const override { return kind_; }
    bool connect(LinkHost& host, std::stop_token stop) override;
    void close() override;
    void send(std::span<const std::uint8_t> frame) override;
    bool isConnected() const override { return open_.load(std::memory_order_acquire); }
    void reconnectProbe() override;

private:
    Opened openDevice(LinkHost&, const std::stop_token&) override;
    void open();
    void hostReader();
    void simulatorReader();

    LinkContext& link_;
    ProcessorSimulator& simulator_;
    const TransportKind kind_;
    FrameParser parser_;
    BytePipe toSimulator_;
    BytePipe toHost_;
    std::atomic<bool> open_{false};

    std::mutex lifecycleMutex_;  // serialises open and close (engine thread and stopEngine)
    std::thread hostThread_;
    std::thread simulatorThread_;
};

}  // namespace tq370
