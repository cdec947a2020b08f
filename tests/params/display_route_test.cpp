#include "params/display_route.h"

#include <gtest/gtest.h>

#include "params/channel_register_map.h"
#include "params/param_item.h"
#include "params/write_path.h"

namespace tq370 {
namespace {

using Target = DisplayRoute::Target;

TEST(DisplayRoute, RoutesEachRegisterClassToItsControl) {
    struct Case {
        int reg;
        DisplayRoute route;
    } cases[] = {
        {30, {Target::Strip, 0, 1}},  // offset 0 is input 2
        {32, {Target::Strip, 0, 0}},  // input 1 of output 1
        {43, {Target::Strip, 1, 3}},  // input 4 of output 2
        {173, {Target::Strip, 11, 11}},    {176, {Target::MasterVolume, -1, -1}},
        {181, {Target::EqPanel, 0, 102}},  {192, {Target::EqPanel, 11, 102}},
        {193, {Target::EqPanel, 0, 103}},  {204, {Target::EqPanel, 11, 114}},
        {205, {Target::Strip, 0, 13}},     {216, {Target::Strip, 11, 13}},
        {217, {Target::Strip, 0, 14}},     {228, {Target::Strip, 11, 14}},
        {244, {Target::EqPanel, 0, 100}},  {245, {Target::EqPanel, 0, 101}},
        {246, {Target::EqPanel, 0, 99}},   {290, {Target::EqPanel, 11, 99}},
        {291, {Target::EqPanel, 0, 94}},   {292, {Target::EqPanel, 0, 93}},
        {339, {Target::EqPanel, 0, 97}},   {340 + 44, {Target::EqPanel, 11, 96}},
        {388, {Target::EqPanel, 0, 0}},    {389, {Target::EqPanel, 0, 62}},
        {390, {Target::EqPanel, 0, 31}},   {388 + 124 * 5 + 4 * 30, {Target::EqPanel, 5, 30}},
        {1874, {Target::EqPanel, 11, 61}},
    };
    for (const auto& c : cases) {
        const DisplayRoute r = routeRegister(c.reg);
        EXPECT_EQ(r, c.route) << "register " << c.reg << " → slot " << r.slot << " item " << r.item;
    }
}

TEST(DisplayRoute, RegistersWithoutAControlGoNowhere) {
    for (int reg : {-1,  0,   29,  174, 175, 177, 180,  229,  242,  243,  247,  287,
                    293, 294, 341, 342, 386, 387, 1871, 1875, 1884, 1893, 1900, 1901}) {
        EXPECT_EQ(routeRegister(reg).target, Target::None) << "register " << reg;
    }
}

// A channel item written by the EQ panel comes back to the same item and slot.
TEST(DisplayRoute, IsTheInverseOfTheChannelItemWritePath) {
    for (int c = 0; c < CHANNEL_COUNT; ++c) {
        for (int item = 0; item <= ITEM_VOLUME; ++item) {
            const auto target = channelItemTarget(c, item);
            if (!target) continue;
            const DisplayRoute r = routeRegister(target->reg);
            EXPECT_EQ(r, (DisplayRoute{Target::EqPanel, c, item}))
                << "slot " << c << " item " << item;
        }
    }
}

}  // namespace
}  // namespace tq370
