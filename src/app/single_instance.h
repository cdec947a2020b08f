#pragma once

#include <QLocalServer>

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/lock_file.h"

namespace tq370 {

// One running program per user: the first start holds the lock "TQ370" and listens on a
// local socket beside it; a later start finds the lock held, asks the first through the
// socket to come to the front, and ends. A crashed first start leaves neither a lock nor
// a listener behind (the socket file it left is replaced). UI thread only.
class SingleInstance {
public:
    enum class Claim {
        First,        // this is the running program; raise requests arrive
        AlreadyRuns,  // another one runs and was asked to come to the front
        Unguarded,    // the lock folder cannot be used: this one runs without the guard
    };

    explicit SingleInstance(std::filesystem::path folder = defaultLockFolder());

    // Called for every later start while this one is First.
    void onRaiseRequest(std::function<void()> raise) { raise_ = std::move(raise); }
    Claim claim();

    std::filesystem::path socketPath() const;

private:
    const std::filesystem::path folder_;
    std::optional<LockFile> lock_;
    QLocalServer server_;
    std::function<void()> raise_;
};

}  // namespace tq370
