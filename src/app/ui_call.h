#pragma once

#include <QObject>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>

namespace tq370 {

// Runs call on context's thread (the user interface) for a worker thread and waits for its
// result, as a window message sent across threads waits for its handler. The wait ends
// early on a stop request (nullopt); a call that has not started by then is dropped, one
// that has started finishes on its own. Called on context's thread, call runs at once.
template <typename Result>
std::optional<Result> callOnUiThread(QObject* context, std::function<Result()> call,
                                     std::stop_token stop) {
    if (QThread::currentThread() == context->thread()) return call();

    struct Exchange {
        std::mutex mutex;  // guards result and abandoned
        std::condition_variable_any done;
        std::optional<Result> result;
        bool abandoned = false;
    };
    auto exchange = std::make_shared<Exchange>();
    QMetaObject::invokeMethod(
        context,
        [exchange, call = std::move(call)] {
            {
                std::lock_guard lock(exchange->mutex);
                if (exchange->abandoned) return;
            }
            Result result = call();
            std::lock_guard lock(exchange->mutex);
            exchange->result = std::move(result);
            exchange->done.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock lock(exchange->mutex);
    exchange->done.wait(lock, stop, [&] { return exchange->result.has_value(); });
    if (!exchange->result) exchange->abandoned = true;
    return std::move(exchange->result);
}

}  // namespace tq370
