#include "params/display_route.h"

#include "params/channel_register_map.h"
#include "params/param_item.h"

namespace tq370 {
namespace {

using Target = DisplayRoute::Target;

// Slot c and field f (0..3) when reg lies in a per-channel group of four starting at base.
bool inGroupOfFour(int reg, int base, int& c, int& field) {
    const int offset = reg - base;
    if (offset < 0 || offset >= 4 * CHANNEL_COUNT) return false;
    c = offset / 4;
    field = offset % 4;
    return true;
}

DisplayRoute eq(int slot, int item) {
    return {Target::EqPanel, slot, item};
}

}  // namespace

DisplayRoute routeRegister(int reg) {
    if (reg >= REG_ROUTING_FIRST && reg <= REG_ROUTING_LAST) {
        const int offset = reg - REG_ROUTING_FIRST;
        return {Target::Strip, offset / ROUTING_ROW_SIZE,
                STRIP_ITEM_ROUTING_FIRST + SLOT_TO_INPUT[offset % ROUTING_ROW_SIZE]};
    }
    if (reg == REG_MASTER_VOLUME) return {Target::MasterVolume, -1, -1};
    if (reg >= REG_CHANNEL_VOLUME && reg < REG_CHANNEL_VOLUME + CHANNEL_COUNT) {
        return eq(reg - REG_CHANNEL_VOLUME, ITEM_VOLUME);
    }
    if (reg >= REG_CHANNEL_DELAY && reg < REG_CHANNEL_DELAY + CHANNEL_COUNT) {
        const int d = reg - REG_CHANNEL_DELAY;
        return eq(d, ITEM_DELAY_FIRST + d);
    }
    if (reg >= REG_CHANNEL_MUTE && reg < REG_CHANNEL_MUTE + CHANNEL_COUNT) {
        return {Target::Strip, reg - REG_CHANNEL_MUTE, STRIP_ITEM_MUTE};
    }
    if (reg >= REG_SPEAKER_POSITION && reg < REG_SPEAKER_POSITION + CHANNEL_COUNT) {
        return {Target::Strip, reg - REG_SPEAKER_POSITION, STRIP_ITEM_POSITION};
    }
    int c = 0;
    int field = 0;
    // The limiter group starts one register before the attack with an unused register.
    if (inGroupOfFour(reg, REG_LIMITER_ATTACK - 1, c, field)) {
        constexpr int ITEMS[4] = {-1, ITEM_LIMITER_ATTACK, ITEM_LIMITER_RELEASE,
                                  ITEM_LIMITER_LEVEL};
        return ITEMS[field] < 0 ? DisplayRoute{} : eq(c, ITEMS[field]);
    }
    if (inGroupOfFour(reg, REG_HIGH_PASS_CODE, c, field)) {
        constexpr int ITEMS[4] = {ITEM_HIGH_PASS_CODE, ITEM_HIGH_PASS_FREQUENCY, -1, -1};
        return ITEMS[field] < 0 ? DisplayRoute{} : eq(c, ITEMS[field]);
    }
    if (inGroupOfFour(reg, REG_LOW_PASS_CODE, c, field)) {
        constexpr int ITEMS[4] = {ITEM_LOW_PASS_CODE, ITEM_LOW_PASS_FREQUENCY, -1, -1};
        return ITEMS[field] < 0 ? DisplayRoute{} : eq(c, ITEMS[field]);
    }
    if (reg >= REG_EQ_FIRST && reg <= REG_EQ_LAST) {
        const int offset = reg - REG_EQ_FIRST;
        const int slot = offset / EQ_REGISTERS_PER_CHANNEL;
        const int band = offset % EQ_REGISTERS_PER_CHANNEL / 4;
        switch (static_cast<BandField>(offset % 4)) {
            case BandField::Frequency:
                return eq(slot, ITEM_BAND_FREQUENCY + band);
            case BandField::Q:
                return eq(slot, ITEM_BAND_Q + band);
            case BandField::Gain:
                return eq(slot, ITEM_BAND_GAIN + band);
            case BandField::Kind:
                break;
        }
    }
    return {};
}

}  // namespace tq370
