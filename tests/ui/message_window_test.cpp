#include <gtest/gtest.h>

#include <thread>

#include "ui_harness.h"

namespace tq370::test {
namespace {

TEST(MessageWindow, SendCallsTheHandlerAtOnceAndReturnsItsResult) {
    MessageRecorder target;
    target.reply = 42;
    EXPECT_EQ(MessageWindow::send(&target, 0x57FC, 3, 7), 42);
    EXPECT_EQ(target.messages, (std::vector<Message>{{0x57FC, 3, 7}}));
    EXPECT_EQ(MessageWindow::send(nullptr, 1, 2, 3), 0);
}

TEST(MessageWindow, PostIsDeliveredLaterAndInOrder) {
    MessageRecorder target;
    MessageWindow::post(&target, 0x401, 0, 176);
    MessageWindow::post(&target, 0x401, 4, 0);
    EXPECT_TRUE(target.messages.empty());
    processEvents();
    EXPECT_EQ(target.messages, (std::vector<Message>{{0x401, 0, 176}, {0x401, 4, 0}}));
}

TEST(MessageWindow, PostFromAWorkerThreadIsHandledOnTheUiThread) {
    MessageRecorder target;
    std::thread worker([&target] {
        for (int r = 0; r < 50; ++r) MessageWindow::post(&target, 0x401, 0, r);
    });
    worker.join();
    processEvents();
    ASSERT_EQ(target.messages.size(), 50u);
    for (int r = 0; r < 50; ++r) EXPECT_EQ(target.messages[r].lParam, r);
    for (const auto& id : target.threads) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(MessageWindow, MessagesToAWindowDestroyedBeforeDeliveryAreDropped) {
    MessageRecorder survivor;
    auto* target = new MessageRecorder;
    MessageWindow::post(target, 1, 2, 3);
    MessageWindow::post(&survivor, 4, 5, 6);
    delete target;
    processEvents();  // must not touch the deleted window
    EXPECT_EQ(survivor.messages, (std::vector<Message>{{4, 5, 6}}));
}

// A control notifies the nearest MessageWindow above it, even through a plain widget.
class Notifier : public MessageWindow {
public:
    using MessageWindow::MessageWindow;
    using MessageWindow::postToParent;
    using MessageWindow::sendToParent;
};

TEST(MessageWindow, ControlsNotifyTheirParentWithTheirControlIdentifier) {
    MessageRecorder host;
    auto* plain = new QWidget(&host);
    auto* control = new Notifier(plain, 3024);
    control->sendToParent(5, 6);
    control->postToParent(1, 1);
    processEvents();
    EXPECT_EQ(host.messages, (std::vector<Message>{{3024, 5, 6}, {3024, 1, 1}}));
}

}  // namespace
}  // namespace tq370::test
