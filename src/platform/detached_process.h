#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tq370 {

// Starts argv[0] (a path; no search of PATH) with the given arguments in workDir, in a
// session of its own and not as our child, so that it outlives this process and our
// exit does not signal it. Standard input and output go to /dev/null; no other open
// descriptor is inherited. Returns true once the program has been executed, false when
// it could not be started (missing file, no permission, fork failed, empty argv).
// Safe to call from any thread.
bool startDetached(const std::vector<std::string>& argv, const std::filesystem::path& workDir);

}  // namespace tq370
