#include "controls/value_format.h"

namespace tq370 {

// Wired to the parameter model's tables once they are merged (see the report).
const ValueTables& defaultValueTables() {
    static const ValueTables tables{};
    return tables;
}

}  // namespace tq370
