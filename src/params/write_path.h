#pragma once

#include <optional>
#include <vector>

#include "params/channel_links.h"

namespace tq370 {

class RegisterAccess;

struct ParamWriteResult {
    bool handled = false;     // false: unknown sender or item, or a value outside 0..65535
    int reg = -1;             // the register the item itself names
    std::vector<int> copies;  // registers then written to linked channels
};

// Writes one item a panel changed: sender 0..11 is a channel strip, 100..111 the EQ
// panel on that slot; value is the sender's encoded value for the item (for a routing
// toggle: nonzero = on). Routing toggles keep the input's mix level. Channel items are
// then copied to the joint group, delay items to the delay group. The caller posts the
// redisplay of every register in copies.
ParamWriteResult writeParam(RegisterAccess& table, const ChannelLinks& links, int sender, int item,
                            int value);

// The register and ChannelRegisterMap entry a channel item of slot c writes, for items
// 0..102; nullopt for the delay items and items without a parameter.
struct ChannelItemTarget {
    int reg;
    int entry;
};
std::optional<ChannelItemTarget> channelItemTarget(int c, int item);

}  // namespace tq370
