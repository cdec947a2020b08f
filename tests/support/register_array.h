#pragma once

#include <array>
#include <cstdint>

#include "params/register_access.h"
#include "params/register_defaults.h"

namespace tq370::test {

// Registers for the parameter model alone: values and the marks of what was set, without
// the link's register table.
class RegisterArray final : public RegisterAccess {
public:
    std::int32_t getRegister(int reg) const override {
        return isRegister(reg) ? values_[static_cast<std::size_t>(reg)] : 0;
    }
    void setRegister(int reg, std::int32_t value) override {
        if (!isRegister(reg)) return;
        values_[static_cast<std::size_t>(reg)] = value;
        written_[static_cast<std::size_t>(reg)] = true;
    }

    void loadDefaults() {
        values_ = registerDefaults();
        written_.fill(false);
    }
    bool isWritePending(int reg) const {
        return isRegister(reg) && written_[static_cast<std::size_t>(reg)];
    }
    void clearPending() { written_.fill(false); }

private:
    std::array<std::int32_t, REGISTER_COUNT> values_{};
    std::array<bool, REGISTER_COUNT> written_{};
};

}  // namespace tq370::test
