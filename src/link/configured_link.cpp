#include "link/configured_link.h"

#include <string>

#include "storage/config_file.h"

namespace tq370 {

LinkChoice configuredLink(const DataFolders& folders, std::string_view section) {
    ConfigFile config(folders, std::string(section));
    LinkChoice choice;
    const int kind = config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT);
    if (kind >= 0) choice.kind = transportKindFromNumber(kind);
    const int baud = config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_BAUD);
    if (baud > 0) choice.baudRate = baud;
    return choice;
}

}  // namespace tq370
