#include "link/changed_registers.h"

namespace tq370 {

bool ChangedRegisters::mark(int reg) {
    if (!RegisterTable::isValid(reg)) return false;
    marked_[static_cast<std::size_t>(reg)].store(true);
    return !drainWanted_.exchange(true);
}

bool ChangedRegisters::marked(int reg) const {
    return RegisterTable::isValid(reg) && marked_[static_cast<std::size_t>(reg)].load();
}

}  // namespace tq370
