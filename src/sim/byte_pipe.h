#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace tq370 {

// One direction of an in-process line: pieces of bytes in order, each handed out no
// earlier than its delivery time. Any thread may push; one reader pops. Closing wakes
// the reader and drops what is still queued.
class BytePipe {
public:
    using Bytes = std::vector<std::uint8_t>;

    // False when the pipe is closed (the bytes are lost, as on a dead line).
    bool push(Bytes bytes, std::chrono::nanoseconds delay = {});
    // The next piece once it is due; nullopt when the pipe is closed.
    std::optional<Bytes> pop();

    void close();
    void reopen();
    bool isOpen() const;

private:
    struct Piece {
        std::chrono::steady_clock::time_point due;
        Bytes bytes;
    };

    mutable std::mutex mutex_;  // guards pieces_ and open_
    std::condition_variable changed_;
    std::deque<Piece> pieces_;
    bool open_ = true;
};

}  // namespace tq370
