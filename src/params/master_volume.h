#pragma once

namespace tq370 {

class RegisterAccess;

// The master volume (REG_MASTER_VOLUME) as the main window's slider and box change it:
// stored only when its encoded value differs from the table's, so that a control that
// merely takes the focus, or reports the value it was just given, writes nothing. True
// when the register was written.
bool writeMasterVolume(RegisterAccess& table, double levelDb);

}  // namespace tq370
