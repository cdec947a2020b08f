#include "transports/discovered_processors.h"

#include <algorithm>

namespace tq370 {

void DiscoveredProcessors::offer(std::uint32_t address) {
    if (address == 0) return;
    std::lock_guard lock(mutex_);
    if (std::find(addresses_.begin(), addresses_.end(), address) == addresses_.end()) {
        addresses_.push_back(address);
    }
}

AddressOffer DiscoveredProcessors::offerHook() {
    return [this](std::uint32_t address) { offer(address); };
}

std::size_t DiscoveredProcessors::size() const {
    std::lock_guard lock(mutex_);
    return addresses_.size();
}

std::vector<std::uint32_t> DiscoveredProcessors::addresses() const {
    std::lock_guard lock(mutex_);
    return addresses_;
}

void DiscoveredProcessors::clear() {
    std::lock_guard lock(mutex_);
    addresses_.clear();
}

}  // namespace tq370
