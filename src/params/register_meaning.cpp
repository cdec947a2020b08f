#include "params/register_meaning.h"

#include "params/channel_register_map.h"
#include "params/register_numbers.h"

namespace tq370 {
namespace {

using enum RegisterKind;

// The kind of each field of a per-channel group of four, from the group's first register.
struct GroupOfFour {
    int first;
    RegisterKind fields[4];
};

// The limiter group starts one register before the attack with an unused one; the
// crossover groups end with one.
constexpr GroupOfFour GROUPS[] = {
    {REG_LIMITER_ATTACK - 1, {Unused, LimiterAttack, LimiterRelease, LimiterLevel}},
    {REG_HIGH_PASS_CODE, {HighPassCode, HighPassFrequency, HighPassAux, Unused}},
    {REG_LOW_PASS_CODE, {LowPassCode, LowPassFrequency, LowPassAux, Unused}},
};

// Registers one per slot, from the first.
struct OnePerSlot {
    int first;
    RegisterKind kind;
};

constexpr OnePerSlot ONE_PER_SLOT[] = {
    {REG_CHANNEL_VOLUME, ChannelVolume},
    {REG_CHANNEL_DELAY, ChannelDelay},
    {REG_CHANNEL_MUTE, ChannelMute},
    {REG_SPEAKER_POSITION, SpeakerPosition},
};

struct Single {
    int reg;
    RegisterKind kind;
};

constexpr Single SINGLES[] = {
    {REG_PROBE, Probe},
    {REG_MASTER_VOLUME, MasterVolume},
    {REG_INPUT_SOURCE, InputSource},
    {REG_MODE_CURRENT, ModeCurrent},
    {REG_MODE_COMMAND, ModeCommand},
    {REG_HOST_LINK, HostLink},
    {REG_NOISE_GATE, NoiseGate},
};

RegisterKind bandKind(BandField field) {
    switch (field) {
        case BandField::Kind:
            return BandKind;
        case BandField::Frequency:
            return BandFrequency;
        case BandField::Gain:
            return BandGain;
        case BandField::Q:
            break;
    }
    return BandQ;
}

}  // namespace

RegisterMeaning registerMeaning(int reg) {
    if (reg >= REG_ROUTING_FIRST && reg <= REG_ROUTING_LAST) {
        const int offset = reg - REG_ROUTING_FIRST;
        return {Routing, offset / ROUTING_ROW_SIZE, SLOT_TO_INPUT[offset % ROUTING_ROW_SIZE]};
    }
    for (const OnePerSlot& group : ONE_PER_SLOT) {
        if (reg >= group.first && reg < group.first + CHANNEL_COUNT) {
            return {group.kind, reg - group.first};
        }
    }
    for (const GroupOfFour& group : GROUPS) {
        const int offset = reg - group.first;
        if (offset < 0 || offset >= 4 * CHANNEL_COUNT) continue;
        const RegisterKind kind = group.fields[offset % 4];
        return kind == Unused ? RegisterMeaning{} : RegisterMeaning{kind, offset / 4};
    }
    if (reg >= REG_EQ_FIRST && reg <= REG_EQ_LAST) {
        const int offset = reg - REG_EQ_FIRST;
        return {bandKind(static_cast<BandField>(offset % 4)), offset / EQ_REGISTERS_PER_CHANNEL,
                offset % EQ_REGISTERS_PER_CHANNEL / 4};
    }
    for (const Single& single : SINGLES) {
        if (reg == single.reg) return {single.kind};
    }
    return {};
}

}  // namespace tq370
