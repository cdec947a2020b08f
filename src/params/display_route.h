#pragma once

namespace tq370 {

// Which control shows a register the processor reported.
struct DisplayRoute {
    enum class Target {
        None,          // no control shows this register
        Strip,         // channel strip of `slot`, strip item `item` (routing, mute, position)
        EqPanel,       // EQ panel item `item` of `slot` (its curve, and its controls when current)
        MasterVolume,  // the main window's master volume
    };
    Target target = Target::None;
    int slot = -1;
    int item = -1;

    friend bool operator==(const DisplayRoute&, const DisplayRoute&) = default;
};

DisplayRoute routeRegister(int reg);

}  // namespace tq370
