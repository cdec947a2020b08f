#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "link/text_reply.h"

namespace tq370 {

// The processors that answered "Get_IP:", distinct and in arrival order. The discovery
// thread offers addresses (through the text-reply interpreter); the engine reads the list
// to offer a choice when there are several. Any thread.
class DiscoveredProcessors {
public:
    // Appends a non-zero address not yet listed.
    void offer(std::uint32_t address);
    // The hook to give the text-reply interpreter (valid while this object lives).
    AddressOffer offerHook();

    std::size_t size() const;
    std::vector<std::uint32_t> addresses() const;
    void clear();

private:
    // Guards addresses_: a list is not a machine word, unlike the link's other shared state.
    mutable std::mutex mutex_;
    std::vector<std::uint32_t> addresses_;
};

}  // namespace tq370
