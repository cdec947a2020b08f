#pragma once

#include <cstdint>
#include <stop_token>

#include "base/clock.h"
#include "update/update_host.h"
#include "update/update_settings.h"

namespace tq370 {

enum class CheckResult {
    Unresolved,        // the server's name did not resolve
    NoAnswer,          // no answer frame arrived in time (or the query could not be sent)
    UpToDate,          // answers came, none offering a newer version
    ChecksEnded,       // an answer carried our own identifier: no more checks this run
    Declined,          // the user said no: no more checks this run
    DownloadFailed,    // a newer version was offered but no download could be made
    DownloadBroken,    // the file stopped midway or came too slowly; it was thrown away
    DownloadTooLarge,  // the server announced a file above the size cap; nothing fetched
    NotAProgram,       // the file was no executable for this machine; it was thrown away
    FolderRefused,     // the program folder cannot take the scripts; nothing fetched
    AnnouncedOnly,     // a newer version exists, the package manager installs it
    Downloaded,        // the new program and the scripts are in the program folder
    Replacing,         // startReplacement started the script
    Stopped,           // a stop was requested
};

struct CheckReport {
    CheckResult result = CheckResult::NoAnswer;
    std::uint64_t downloadedBytes = 0;
};

// True for the results after which checking ends for this run of the program.
bool endsChecking(CheckResult result);

// The online update: asks the server over UDP for a newer version, asks the user, and
// downloads it over TCP. All waits go through the Clock and end early on a stop request.
// One thread at a time; the host is called on that thread.
class OnlineUpdate {
public:
    OnlineUpdate(UpdateSettings settings, UpdateHost& host, const Clock& clock);

    // One query and what its answer leads to.
    CheckReport checkOnce(std::stop_token stop = {});

    // The update thread's loop: a short start delay, then a check after every wait of
    // checkIntervalMs until endsChecking() or a stop request.
    CheckReport run(std::stop_token stop);

private:
    UpdateSettings settings_;
    UpdateHost& host_;
    const Clock& clock_;
};

}  // namespace tq370
