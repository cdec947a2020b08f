#pragma once

#include <array>

#include "params/param_tables.h"

namespace tq370 {

// What the EQ reset gives every band and both crossovers; graphic mode's Q of every band.
inline constexpr double EQ_RESET_Q = 7.6;
inline constexpr double GRAPHIC_EQ_Q = 7.6;
inline constexpr double EQ_RESET_HIGH_PASS_HZ = 19;  // off: the box shows its lowest, 19.7 Hz
inline constexpr double EQ_RESET_LOW_PASS_HZ = 20600;

// Band gains of one channel in tenths of a dB (−200..200), as the gain boxes hold them.
using BandGains = std::array<int, EQ_BAND_COUNT>;

// What the band buttons and the Pass button show for a set of gains.
struct BandStates {
    std::array<bool, EQ_BAND_COUNT> bandOn{};  // the band's gain is not 0
    bool eqActive = false;                     // some band's gain is not 0: Pass is off
};

// The EQ panel's memory of each band's last gain other than 0, which brings a band back
// when its button or the Pass button switches it on again. Plain rules, no drawing.
class EqGainStore {
public:
    // The band-state refresh after any gain change: every gain other than 0 is stored.
    BandStates refresh(const BandGains& gains);

    // A band's button switched the band off (its gain is kept) or on (the kept gain);
    // returns the gain the band gets.
    int toggleBand(int band, bool on, int currentGain);

    // Pass switched on keeps every current gain, 0 included, and returns all zeros; Pass
    // switched off returns the kept gains.
    BandGains pass(bool bypass, const BandGains& current);

    // The EQ reset forgets every kept gain.
    void clear() { kept_.fill(0); }

    int kept(int band) const;

private:
    BandGains kept_{};
};

}  // namespace tq370
