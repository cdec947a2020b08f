#pragma once

#include "link/engine_session.h"

namespace tq370 {

// Reads every register of the processor into the table. Success also when some registers
// never arrived after the last pass, and (without reading) when the current mode is
// locked, after telling the user so. Failure when the link went down; the user is told
// "Read Data Failed!" unless the transport vanished during the bulk request.
bool fullReadBack(EngineSession& session);

// The full read-back, then every register the processor reported is forwarded to the
// user interface.
bool readBackWithRefresh(EngineSession& session);

}  // namespace tq370
