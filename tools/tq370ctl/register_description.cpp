#include "register_description.h"

#include <cstdarg>
#include <cstdio>
#include <optional>

#include "describe_labels.h"
#include "params/channel_register_map.h"
#include "params/param_encoding.h"
#include "params/param_tables.h"
#include "params/register_meaning.h"
#include "params/register_numbers.h"
#include "params/speaker_position.h"

namespace tq370::ctl {
namespace {

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

std::optional<std::string> describeChannel(const RegisterMeaning& m, int value, Language language) {
    const std::string ch = channel(m.slot);
    const std::string band = ch + printed("EQ band %d ", m.index + 1);
    switch (m.kind) {
        case RegisterKind::Routing:
            return ch + printed("input %d %s, level %d", m.index + 1, mixOn(value) ? "on" : "off",
                                mixLevel(value));
        case RegisterKind::ChannelVolume:
            return ch + "volume " + volumeLevel(value) + ", phase " +
                   std::string(phaseCaption(decodeChannelVolume(value).phaseFirst, language));
        case RegisterKind::ChannelDelay: {
            const int n = decodeDelay(value);
            return ch + printed("delay %0.3f ms (%d samples, %0.2f cm, %0.2f in)",
                                delayDisplayMs(n), n, delayDisplayCm(n), delayDisplayInches(n));
        }
        case RegisterKind::ChannelMute:
            return ch + (value > 0 ? "mute on" : "mute off");
        case RegisterKind::SpeakerPosition: {
            const auto label = speakerPositionLabel(value, language);
            return ch + printed("position %d ", value) + (label ? *label : "(unknown)");
        }
        case RegisterKind::LimiterAttack:
            return ch + printed("limiter attack %0.1f ms", decodeAttack(value));
        case RegisterKind::LimiterRelease:
            return ch + "limiter release " + RELEASE_TEXTS[releaseIndexFromCode(value)];
        case RegisterKind::LimiterLevel:
            return ch + printed("limiter level %0.1f dBu", decodeLimiterLevel(value));
        case RegisterKind::HighPassCode:
            return ch + "high-pass " + filterCode(false, value, language);
        case RegisterKind::HighPassFrequency:
            return ch + "high-pass frequency " + frequency(value);
        case RegisterKind::HighPassAux:
            return ch + printed("high-pass auxiliary %d", value);
        case RegisterKind::LowPassCode:
            return ch + "low-pass " + filterCode(true, value, language);
        case RegisterKind::LowPassFrequency:
            return ch + "low-pass frequency " + frequency(value);
        case RegisterKind::LowPassAux:
            return ch + printed("low-pass auxiliary %d", value);
        case RegisterKind::BandKind:
            return band + printed("filter kind %d", value);
        case RegisterKind::BandFrequency:
            return band + "frequency " + frequency(value);
        case RegisterKind::BandGain:
            return band + printed("gain %0.1f dB", decodeGain(value));
        case RegisterKind::BandQ:
            return band + "Q " + qValue(value);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> describeGlobal(const RegisterMeaning& m, int value, Language language) {
    switch (m.kind) {
        case RegisterKind::Probe:
            return printed("processor identity %d", value);
        case RegisterKind::MasterVolume:
            return "master volume " + volumeLevel(value);
        case RegisterKind::InputSource: {
            const auto index = inputSourceIndex(value);
            return index ? "input source " + std::string(inputSourceCaption(*index, language))
                         : printed("input source %d (none)", value);
        }
        case RegisterKind::ModeCurrent:
            return printed("current mode %d", value);
        case RegisterKind::ModeCommand:
            return "mode command " + modeCommand(value);
        case RegisterKind::HostLink:
            return printed("host link %d", value);
        case RegisterKind::NoiseGate:
            return printed("noise gate %d", value);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::string describeRegister(int reg, int value, Language language) {
    const RegisterMeaning meaning = registerMeaning(reg);
    auto text = meaning.slot >= 0 ? describeChannel(meaning, value, language)
                                  : describeGlobal(meaning, value, language);
    return printed("%d ", reg) +
           (text ? *text : printed("(not used by the application) %d", value));
}

}  // namespace tq370::ctl
