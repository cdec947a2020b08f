#pragma once

#include <cstdint>
#include <span>
#include <stop_token>

#include "base/clock.h"
#include "platform/net_address.h"
#include "update/update_host.h"
#include "update/update_settings.h"

namespace tq370 {

enum class DownloadStatus {
    Complete,  // the program and the scripts are written, the report is sent
    Failed,    // nothing usable arrived or nothing could be written; no file is left
    Broken,    // the file stopped midway; the partial file is deleted
    Stopped,   // a stop was requested; any partial file is deleted
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Failed;
    std::uint64_t size = 0;  // file size from the header, 0 before it arrived
};

// Fetches the new program from server over TCP with the answer's token, showing
// progress through host, and writes it and the replacement scripts into the program
// folder. Each receive waits at most settings.receiveWaitMs.
DownloadResult downloadUpdate(const UpdateSettings& settings, const NetAddress& server,
                              std::span<const std::uint8_t> token, UpdateHost& host,
                              const Clock& clock, std::stop_token stop);

// Writes the sh script (and the batch script when asked) into the program folder.
bool writeReplacementScripts(const UpdateSettings& settings);

}  // namespace tq370
