#include "params/display_route.h"

#include "params/param_item.h"
#include "params/register_meaning.h"

namespace tq370 {
namespace {

using Target = DisplayRoute::Target;

DisplayRoute eq(int slot, int item) {
    return {Target::EqPanel, slot, item};
}

DisplayRoute strip(int slot, int item) {
    return {Target::Strip, slot, item};
}

}  // namespace

DisplayRoute routeRegister(int reg) {
    const RegisterMeaning m = registerMeaning(reg);
    switch (m.kind) {
        case RegisterKind::Routing:
            return strip(m.slot, STRIP_ITEM_ROUTING_FIRST + m.index);
        case RegisterKind::MasterVolume:
            return {Target::MasterVolume, -1, -1};
        case RegisterKind::ChannelVolume:
            return eq(m.slot, ITEM_VOLUME);
        case RegisterKind::ChannelDelay:
            return eq(m.slot, ITEM_DELAY_FIRST + m.slot);
        case RegisterKind::ChannelMute:
            return strip(m.slot, STRIP_ITEM_MUTE);
        case RegisterKind::SpeakerPosition:
            return strip(m.slot, STRIP_ITEM_POSITION);
        case RegisterKind::LimiterAttack:
            return eq(m.slot, ITEM_LIMITER_ATTACK);
        case RegisterKind::LimiterRelease:
            return eq(m.slot, ITEM_LIMITER_RELEASE);
        case RegisterKind::LimiterLevel:
            return eq(m.slot, ITEM_LIMITER_LEVEL);
        case RegisterKind::HighPassCode:
            return eq(m.slot, ITEM_HIGH_PASS_CODE);
        case RegisterKind::HighPassFrequency:
            return eq(m.slot, ITEM_HIGH_PASS_FREQUENCY);
        case RegisterKind::LowPassCode:
            return eq(m.slot, ITEM_LOW_PASS_CODE);
        case RegisterKind::LowPassFrequency:
            return eq(m.slot, ITEM_LOW_PASS_FREQUENCY);
        case RegisterKind::BandFrequency:
            return eq(m.slot, ITEM_BAND_FREQUENCY + m.index);
        case RegisterKind::BandQ:
            return eq(m.slot, ITEM_BAND_Q + m.index);
        case RegisterKind::BandGain:
            return eq(m.slot, ITEM_BAND_GAIN + m.index);
        default:
            return {};
    }
}

}  // namespace tq370
