#include "params/eq_band_states.h"

#include <algorithm>

namespace tq370 {
namespace {

bool isBand(int band) {
    return band >= 0 && band < EQ_BAND_COUNT;
}

}  // namespace

BandStates EqGainStore::refresh(const BandGains& gains) {
    BandStates states;
    for (std::size_t k = 0; k < gains.size(); ++k) {
        states.bandOn[k] = gains[k] != 0;
        if (states.bandOn[k]) kept_[k] = gains[k];
    }
    states.eqActive = std::any_of(gains.begin(), gains.end(), [](int g) { return g != 0; });
    return states;
}

int EqGainStore::toggleBand(int band, bool on, int currentGain) {
    if (!isBand(band)) return currentGain;
    const auto k = static_cast<std::size_t>(band);
    if (on) return kept_[k];
    kept_[k] = currentGain;
    return 0;
}

BandGains EqGainStore::pass(bool bypass, const BandGains& current) {
    if (!bypass) return kept_;
    kept_ = current;
    return BandGains{};
}

int EqGainStore::kept(int band) const {
    return isBand(band) ? kept_[static_cast<std::size_t>(band)] : 0;
}

}  // namespace tq370
