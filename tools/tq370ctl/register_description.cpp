#include "register_description.h"

#include <cstdarg>
#include <cstdio>
#include <optional>

#include "describe_labels.h"
#include "link/register_table.h"
#include "params/channel_register_map.h"
#include "params/param_encoding.h"
#include "params/param_tables.h"
#include "params/speaker_position.h"

namespace tq370::ctl {
namespace {

constexpr int REG_NOISE_GATE = 1895;

[[gnu::format(printf, 1, 2)]] std::string printed(const char* fmt, ...) {
    char buffer[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

std::string channel(int slot) {
    return printed("CH%d ", slot + 1);
}

std::string frequency(int value) {
    const double hz = decodeFrequency(value);
    return printed(hz < 100 ? "%0.1f Hz" : "%0.0f Hz", hz);
}

// As the Q box shows it: snapped up to the Q table.
std::string qValue(int value) {
    const double q = Q_TABLE[snapQIndex(decodeQ(value))];
    return printed(q < 10 ? "%0.2f" : q < 100 ? "%0.1f" : "%0.0f", q);
}

std::string volumeLevel(int value) {
    const int level = decodeVolumeLevel(value);
    return level <= VOLUME_MIN_DB ? "OFF" : printed("%d dB", level);
}

std::string filterCode(bool lowPassRegister, int code, Language language) {
    const auto choice = decodeFilterCode(code);
    if (!choice) return printed("code %d (not a crossover code)", code);
    std::string text = FILTER_SLOPE_TEXTS[choice->slopeIndex];
    text += ' ';
    text += filterFamilyName(choice->familyIndex, language);
    if (isLowPassCode(code) != lowPassRegister) {
        text += printed(isLowPassCode(code) ? " (low-pass code %d)" : " (high-pass code %d)", code);
    }
    return text;
}

std::string modeCommand(int value) {
    const int mode = value & 0xFF;
    switch (value >> 8) {
        case MODE_COMMAND_FETCH_NAME:
            return printed("fetch name of mode %d", mode);
        case MODE_COMMAND_RECALL:
            return printed("recall mode %d", mode);
        case MODE_COMMAND_SAVE:
            return printed("save as mode %d", mode);
        default:
            return printed("0x%04X", value);
    }
}

// Slot and field of a register in one of the per-channel groups of four.
std::optional<int> groupField(int reg, int base, int& slot) {
    const int offset = reg - base;
    if (offset < 0 || offset >= 4 * CHANNEL_COUNT) return std::nullopt;
    slot = offset / 4;
    return offset % 4;
}

std::optional<std::string> describeChannel(int reg, int value, Language language) {
    if (reg >= REG_ROUTING_FIRST && reg <= REG_ROUTING_LAST) {
        const int offset = reg - REG_ROUTING_FIRST;
        const int input = SLOT_TO_INPUT[offset % ROUTING_ROW_SIZE] + 1;
        return channel(offset / ROUTING_ROW_SIZE) + printed("input %d %s, level %d", input,
                                                            mixOn(value) ? "on" : "off",
                                                            mixLevel(value));
    }
    if (reg >= REG_CHANNEL_VOLUME && reg < REG_CHANNEL_VOLUME + CHANNEL_COUNT) {
        return channel(reg - REG_CHANNEL_VOLUME) + "volume " + volumeLevel(value) + ", phase " +
               std::string(phaseCaption(decodeChannelVolume(value).phaseFirst, language));
    }
    if (reg >= REG_CHANNEL_DELAY && reg < REG_CHANNEL_DELAY + CHANNEL_COUNT) {
        const int n = decodeDelay(value);
        return channel(reg - REG_CHANNEL_DELAY) +
               printed("delay %0.3f ms (%d samples, %0.2f cm, %0.2f in)", delayDisplayMs(n), n,
                       delayDisplayCm(n), delayDisplayInches(n));
    }
    if (reg >= REG_CHANNEL_MUTE && reg < REG_CHANNEL_MUTE + CHANNEL_COUNT) {
        return channel(reg - REG_CHANNEL_MUTE) + (value > 0 ? "mute on" : "mute off");
    }
    if (reg >= REG_SPEAKER_POSITION && reg < REG_SPEAKER_POSITION + CHANNEL_COUNT) {
        const auto label = speakerPositionLabel(value, language);
        return channel(reg - REG_SPEAKER_POSITION) + printed("position %d ", value) +
               (label ? *label : "(unknown)");
    }
    int slot = 0;
    if (auto field = groupField(reg, REG_LIMITER_ATTACK - 1, slot)) {
        switch (*field) {
            case 1:
                return channel(slot) + printed("limiter attack %0.1f ms", decodeAttack(value));
            case 2:
                return channel(slot) + "limiter release " +
                       RELEASE_TEXTS[releaseIndexFromCode(value)];
            case 3:
                return channel(slot) +
                       printed("limiter level %0.1f dBu", decodeLimiterLevel(value));
            default:
                return std::nullopt;
        }
    }
    for (const bool lowPass : {false, true}) {
        const char* name = lowPass ? "low-pass" : "high-pass";
        if (auto field = groupField(reg, lowPass ? REG_LOW_PASS_CODE : REG_HIGH_PASS_CODE, slot)) {
            switch (*field) {
                case 0:
                    return channel(slot) + name + " " + filterCode(lowPass, value, language);
                case 1:
                    return channel(slot) + name + " frequency " + frequency(value);
                case 2:
                    return channel(slot) + name + printed(" auxiliary %d", value);
                default:
                    return std::nullopt;
            }
        }
    }
    if (reg >= REG_EQ_FIRST && reg <= REG_EQ_LAST) {
        const int offset = reg - REG_EQ_FIRST;
        const std::string band = channel(offset / EQ_REGISTERS_PER_CHANNEL) +
                                 printed("EQ band %d ", offset % EQ_REGISTERS_PER_CHANNEL / 4 + 1);
        switch (static_cast<BandField>(offset % 4)) {
            case BandField::Kind:
                return band + printed("filter kind %d", value);
            case BandField::Frequency:
                return band + "frequency " + frequency(value);
            case BandField::Gain:
                return band + printed("gain %0.1f dB", decodeGain(value));
            case BandField::Q:
                return band + "Q " + qValue(value);
        }
    }
    return std::nullopt;
}

std::optional<std::string> describeGlobal(int reg, int value, Language language) {
    switch (reg) {
        case REG_PROBE:
            return printed("processor identity %d", value);
        case REG_MASTER_VOLUME:
            return "master volume " + volumeLevel(value);
        case REG_INPUT_SOURCE: {
            const auto index = inputSourceIndex(value);
            return index ? "input source " + std::string(inputSourceCaption(*index, language))
                         : printed("input source %d (none)", value);
        }
        case REG_MODE_CURRENT:
            return printed("current mode %d", value);
        case REG_MODE_COMMAND:
            return "mode command " + modeCommand(value);
        case REG_HOST_LINK:
            return printed("host link %d", value);
        case REG_NOISE_GATE:
            return printed("noise gate %d", value);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::string describeRegister(int reg, int value, Language language) {
    auto text = describeChannel(reg, value, language);
    if (!text) text = describeGlobal(reg, value, language);
    return printed("%d ", reg) +
           (text ? *text : printed("(not used by the application) %d", value));
}

}  // namespace tq370::ctl
