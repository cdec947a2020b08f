#include "app/ui_call.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <future>

namespace tq370::test {
namespace {

TEST(CallOnUiThread, AWorkerGetsTheResultOnceTheUiThreadHasRunTheCall) {
    QObject context;
    std::stop_source stop;
    auto result = std::async(std::launch::async, [&] {
        return callOnUiThread<int>(
            &context, [] { return QThread::currentThread() == qApp->thread() ? 42 : -1; },
            stop.get_token());
    });
    while (result.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
        QApplication::processEvents();
    }
    EXPECT_EQ(result.get(), 42);
}

TEST(CallOnUiThread, AStopEndsTheWaitAndTheCallIsDropped) {
    QObject context;
    std::stop_source stop;
    bool ran = false;
    auto result = std::async(std::launch::async, [&] {
        return callOnUiThread<int>(
            &context,
            [&] {
                ran = true;
                return 1;
            },
            stop.get_token());
    });
    // The user-interface thread is busy: the worker must not hang on it.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop.request_stop();
    EXPECT_EQ(result.get(), std::nullopt);
    QApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(CallOnUiThread, OnTheUiThreadTheCallRunsAtOnce) {
    QObject context;
    EXPECT_EQ(callOnUiThread<int>(&context, [] { return 7; }, {}), 7);
}

}  // namespace
}  // namespace tq370::test
