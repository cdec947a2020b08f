#pragma once

#include <cstdint>
#include <set>

namespace tq370 {

// Ways the simulated processor can misbehave; each is off by default. Fractions are
// probabilities per frame, drawn from the simulator's seeded generator.
struct SimulatorFaults {
    double dropIncoming = 0;  // frames from the host that are ignored
    double dropOutgoing = 0;  // replies that are never sent
    double corruptCrc = 0;    // replies sent with a wrong CRC
    // Replies leave in pieces of 1..maxChunk bytes (0: each reply whole).
    int maxChunk = 0;
    // Up to this many random bytes before each reply; never a start marker, so garbage
    // cannot pose as a frame.
    int maxGarbage = 0;
    double replyDelayMs = 0;  // every reply leaves this much later
    // Writes to these registers are stored but never acknowledged.
    std::set<int> neverAcknowledge;
    // These registers are left out of every read reply and of the bulk answer.
    std::set<int> neverReport;
    // Register 0 reads 4095, the value accepted without a model check.
    bool register0AnyModel = false;
};

}  // namespace tq370
