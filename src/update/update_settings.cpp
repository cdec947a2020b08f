#include "update/update_settings.h"

#include "storage/data_folders.h"

#include "platform/cpu_identifier.h"
#include "platform/executable_path.h"
#include "platform/program_version.h"

namespace tq370 {

UpdateSettings updateSettingsForThisProgram(UpdateServer server) {
    UpdateSettings settings;
    settings.server = std::move(server);
    if (auto exe = executablePath()) {
        settings.programFolder = exe->parent_path();
        settings.programFileName = exe->filename().string();
        settings.installedCopy = DataFolders::installedCopy(settings.programFolder);
    }
    settings.programVersion = programVersion();
    settings.machineId = cpuIdentifier();
    return settings;
}

}  // namespace tq370
