#include "params/register_numbers.h"

namespace tq370 {

const std::vector<int>& uploadRegisterList() {
    static const std::vector<int> list = [] {
        std::vector<int> registers{REG_PROBE};
        for (int reg = UPLOAD_FIRST; reg <= UPLOAD_LAST; ++reg) registers.push_back(reg);
        return registers;
    }();
    return list;
}

}  // namespace tq370
