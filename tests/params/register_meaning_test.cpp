#include "params/register_meaning.h"

#include <gtest/gtest.h>

#include "params/register_numbers.h"

namespace tq370 {
namespace {

using enum RegisterKind;

TEST(RegisterMeaning, EveryKindAtItsEdges) {
    struct Case {
        int reg;
        RegisterMeaning meaning;
    };
    const Case cases[] = {
        {0, {Probe}},
        {29, {}},
        {30, {Routing, 0, 1}},  // offset 0 of a row is input 2
        {32, {Routing, 0, 0}},
        {173, {Routing, 11, 11}},
        {176, {MasterVolume}},
        {180, {}},
        {181, {ChannelVolume, 0}},
        {192, {ChannelVolume, 11}},
        {193, {ChannelDelay, 0}},
        {205, {ChannelMute, 0}},
        {228, {SpeakerPosition, 11}},
        {229, {}},
        {243, {}},  // the limiter group's unused register
        {244, {LimiterAttack, 0}},
        {290, {LimiterLevel, 11}},
        {291, {HighPassCode, 0}},
        {293, {HighPassAux, 0}},
        {294, {}},
        {338, {}},
        {339, {LowPassCode, 0}},
        {385, {LowPassAux, 11}},
        {386, {}},
        {387, {BandKind, 0, 0}},
        {388, {BandFrequency, 0, 0}},
        {389, {BandGain, 0, 0}},
        {390, {BandQ, 0, 0}},
        {510, {BandQ, 0, 30}},
        {511, {BandKind, 1, 0}},
        {1874, {BandQ, 11, 30}},
        {1875, {}},
        {1884, {InputSource}},
        {1892, {ModeCurrent}},
        {1893, {ModeCommand}},
        {1894, {HostLink}},
        {1895, {NoiseGate}},
        {1900, {}},
        {1901, {}},
        {-1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reg);
        EXPECT_EQ(registerMeaning(c.reg), c.meaning);
    }
}

}  // namespace
}  // namespace tq370
