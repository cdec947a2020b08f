#pragma once

namespace tq370 {

// What a register holds, for every register 0..1900: the one classification the display
// route, the description of registers and whoever else asks are built on.
enum class RegisterKind {
    Unused,  // nothing the program interprets
    Probe,
    Routing,  // slot: the output, index: the input - 1
    MasterVolume,
    ChannelVolume,  // slot
    ChannelDelay,
    ChannelMute,
    SpeakerPosition,
    LimiterAttack,
    LimiterRelease,
    LimiterLevel,
    HighPassCode,
    HighPassFrequency,
    HighPassAux,
    LowPassCode,
    LowPassFrequency,
    LowPassAux,
    BandKind,  // slot, index: the EQ band 0..30
    BandFrequency,
    BandGain,
    BandQ,
    InputSource,
    ModeCurrent,
    ModeCommand,
    HostLink,
    NoiseGate,
};

struct RegisterMeaning {
    RegisterKind kind = RegisterKind::Unused;
    int slot = -1;   // the output channel 0..11 of a per-channel register
    int index = -1;  // the EQ band, or the input - 1 of a routing register

    friend bool operator==(const RegisterMeaning&, const RegisterMeaning&) = default;
};

// Unused for a number outside 0..1900.
RegisterMeaning registerMeaning(int reg);

}  // namespace tq370
