#include "params/master_volume.h"

#include "params/channel_register_map.h"
#include "params/param_encoding.h"
#include "params/register_access.h"

namespace tq370 {

bool writeMasterVolume(RegisterAccess& table, double levelDb) {
    const int value = encodeMasterVolume(levelDb);
    if (table.getRegister(REG_MASTER_VOLUME) == value) return false;
    table.setRegister(REG_MASTER_VOLUME, value);
    return true;
}

}  // namespace tq370
