#pragma once

#include <string_view>

#include "link/link_timings.h"
#include "link/processor_identity.h"

namespace tq370 {

class DataFolders;

// The link the program uses when the user names none.
struct LinkChoice {
    TransportKind kind = TransportKind::Usb;
    int baudRate = DEFAULT_BAUD_RATE;
};

// The link stored in the configuration file "Configuration" under section: its kind
// ("m_COM_MdoeIO"; absent: USB) and line speed ("m_COM_m_BoTeLV"; absent or not positive:
// the default).
LinkChoice configuredLink(const DataFolders& folders, std::string_view section);

}  // namespace tq370
