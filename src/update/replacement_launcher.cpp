#include "update/replacement_launcher.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "platform/detached_process.h"

namespace tq370 {

bool startReplacementScript(const std::filesystem::path& script) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(script, ec);
    if (ec || !std::filesystem::is_regular_file(absolute, ec)) return false;
    return startDetached({"/bin/sh", absolute.string()}, absolute.parent_path());
}

bool startReplacementAndExit(const std::filesystem::path& script) {
    if (!startReplacementScript(script)) return false;
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace tq370
