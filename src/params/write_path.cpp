#include "params/write_path.h"

#include "params/param_encoding.h"
#include "params/param_item.h"
#include "params/param_tables.h"
#include "params/register_access.h"

namespace tq370 {
namespace {

constexpr int REGISTER_VALUE_MAX = 0xFFFF;

ParamWriteResult writeStripItem(RegisterAccess& table, int slot, int item, int value) {
    ParamWriteResult result;
    if (item >= STRIP_ITEM_ROUTING_FIRST && item <= STRIP_ITEM_ROUTING_LAST) {
        result.reg = routingRegister(slot, item + 1);
        value = withMixOn(table.getRegister(result.reg), value != 0);
    } else if (item == STRIP_ITEM_MUTE) {
        result.reg = REG_CHANNEL_MUTE + slot;
    } else if (item == STRIP_ITEM_POSITION) {
        result.reg = REG_SPEAKER_POSITION + slot;
    } else {
        return result;
    }
    table.setRegister(result.reg, value);
    result.handled = true;
    return result;
}

ParamWriteResult writeChannelItem(RegisterAccess& table, const ChannelLinks& links, int slot,
                                  int item, int value) {
    ParamWriteResult result;
    if (item >= ITEM_DELAY_FIRST && item <= ITEM_DELAY_LAST) {
        // A delay item names its own slot, whichever slot the panel shows.
        const int d = item - ITEM_DELAY_FIRST;
        result.reg = REG_CHANNEL_DELAY + d;
        table.setRegister(result.reg, value);
        copyDelayToGroup(table, links.delayGroup, d, result.copies);
        result.handled = true;
        return result;
    }
    const auto target = channelItemTarget(slot, item);
    if (!target) return result;
    result.reg = target->reg;
    table.setRegister(result.reg, value);
    propagateToGroup(table, links.jointGroup, slot, target->entry, result.copies);
    result.handled = true;
    return result;
}

}  // namespace

std::optional<ChannelItemTarget> channelItemTarget(int c, int item) {
    if (!isSlot(c)) return std::nullopt;
    int entry = -1;
    if (item >= ITEM_BAND_FREQUENCY && item < ITEM_BAND_FREQUENCY + EQ_BAND_COUNT) {
        entry = bandEntry(item - ITEM_BAND_FREQUENCY, BandField::Frequency);
    } else if (item >= ITEM_BAND_Q && item < ITEM_BAND_Q + EQ_BAND_COUNT) {
        entry = bandEntry(item - ITEM_BAND_Q, BandField::Q);
    } else if (item >= ITEM_BAND_GAIN && item < ITEM_BAND_GAIN + EQ_BAND_COUNT) {
        entry = bandEntry(item - ITEM_BAND_GAIN, BandField::Gain);
    } else {
        switch (item) {
            case ITEM_HIGH_PASS_FREQUENCY:
                entry = ENTRY_HIGH_PASS_FREQUENCY;
                break;
            case ITEM_HIGH_PASS_CODE:
                entry = ENTRY_HIGH_PASS_CODE;
                break;
            case ITEM_LOW_PASS_FREQUENCY:
                entry = ENTRY_LOW_PASS_FREQUENCY;
                break;
            case ITEM_LOW_PASS_CODE:
                entry = ENTRY_LOW_PASS_CODE;
                break;
            case ITEM_LIMITER_LEVEL:
                entry = ENTRY_LIMITER_LEVEL;
                break;
            case ITEM_LIMITER_ATTACK:
                entry = ENTRY_LIMITER_ATTACK;
                break;
            case ITEM_LIMITER_RELEASE:
                entry = ENTRY_LIMITER_RELEASE;
                break;
            case ITEM_VOLUME:
                entry = ENTRY_VOLUME;
                break;
            default:
                return std::nullopt;
        }
    }
    return ChannelItemTarget{CHANNEL_REGISTER_MAP[c][entry], entry};
}

ParamWriteResult writeParam(RegisterAccess& table, const ChannelLinks& links, int sender, int item,
                            int value) {
    // Only the low 16 bits travel; a value that does not fit would reach the processor
    // as something else than the panel shows.
    if (value < 0 || value > REGISTER_VALUE_MAX) return {};
    if (isSlot(sender)) return writeStripItem(table, sender, item, value);
    if (isSlot(sender - CHANNEL_SENDER_BASE)) {
        return writeChannelItem(table, links, sender - CHANNEL_SENDER_BASE, item, value);
    }
    return {};
}

}  // namespace tq370
