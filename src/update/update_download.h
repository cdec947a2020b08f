#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string>

#include "base/clock.h"
#include "platform/net_address.h"
#include "update/update_host.h"
#include "update/update_settings.h"

namespace tq370 {

// Whatever the status, files appear under their final names only when complete: the
// download and the scripts are written under temporary names in the folder first.
enum class DownloadStatus {
    Complete,     // the program and the scripts are in place, the report is sent
    Failed,       // nothing usable arrived or nothing could be written
    TooLarge,     // the announced size is above the cap; nothing was fetched
    Broken,       // the file stopped midway (or came too slowly) and was thrown away
    NotAProgram,  // the file is no executable for this machine and was thrown away
    Stopped,      // a stop was requested
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Failed;
    std::uint64_t size = 0;  // file size from the header, 0 before it arrived
};

// Fetches the new program from server over TCP with the answer's token, showing
// progress through host, and writes it and the replacement scripts into the program
// folder. Each receive waits at most settings.receiveWaitMs, and the whole transfer at most
// transferAllowanceMs plus the announced size at minimumRateBytesPerS.
DownloadResult downloadUpdate(const UpdateSettings& settings, const NetAddress& server,
                              std::span<const std::uint8_t> token, UpdateHost& host,
                              const Clock& clock, std::stop_token stop);

// Why the replacement scripts cannot be made for this folder (a name a Windows batch
// script cannot hold), or nullopt; checked before anything is fetched.
std::optional<std::string> replacementScriptsProblem(const UpdateSettings& settings);

}  // namespace tq370
