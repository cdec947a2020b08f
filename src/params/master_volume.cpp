#include "params/master_volume.h"

#include "link/register_table.h"
#include "params/channel_register_map.h"
#include "params/param_encoding.h"

namespace tq370 {

bool writeMasterVolume(RegisterTable& table, double levelDb) {
    const int value = encodeMasterVolume(levelDb);
    if (table.getRegister(REG_MASTER_VOLUME) == value) return false;
    table.setRegister(REG_MASTER_VOLUME, value);
    return true;
}

}  // namespace tq370
