#pragma once

#include <cstdint>

namespace tq370 {

// How the parameter model reads and writes registers: the link's register table is one,
// and a test may bring its own. Numbers outside 0..1900 read as 0 and are not written.
class RegisterAccess {
public:
    virtual std::int32_t getRegister(int reg) const = 0;
    // Stores the value; the table also marks it to be written to the processor.
    virtual void setRegister(int reg, std::int32_t value) = 0;

protected:
    ~RegisterAccess() = default;
};

}  // namespace tq370
