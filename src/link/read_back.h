#pragma once

#include "link/engine_session.h"
#include "link/read_back_report.h"

namespace tq370 {

// Reads every register of the processor into the table: the bulk request (where the link
// has one), then batch passes for what is still missing. A register that never arrives
// keeps the table's value and is named in the report, never passed off as read. The user
// is told "Read Data Failed!" when the link went down (unless the transport vanished
// during the bulk request) and of a locked mode.
ReadBackReport fullReadBack(EngineSession& session);

// The full read-back, then every register the processor reported is forwarded to the
// user interface.
ReadBackReport readBackWithRefresh(EngineSession& session);

}  // namespace tq370
