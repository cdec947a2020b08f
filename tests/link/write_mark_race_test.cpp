#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>
#include <thread>

#include "link/frame_parser.h"
#include "support/link_test_frames.h"

namespace tq370 {
namespace {

// A user thread changes registers while the link thread acts on the value it last sent:
// an acknowledgement of the old value arrives, or the old value reaches its retry limit.
// Neither may take away the mark of the newer value, or the newer value is never sent.
constexpr int FIRST = 500;
constexpr int COUNT = 24;
#ifdef __SANITIZE_THREAD__
constexpr int ROUNDS = 1000;  // each round is many times slower under the sanitizer
#else
constexpr int ROUNDS = 4000;
#endif

// Spins rather than sleeps so that both threads start a round at nearly the same time.
void waitFor(const std::atomic<int>& flag, int value) {
    for (int spins = 0; flag.load(std::memory_order_acquire) != value; ++spins) {
        if (spins > 10000) std::this_thread::yield();
    }
}

enum class LinkAction { Acknowledge, GiveUp };

struct RaceCase {
    LinkAction action;
    // Spin iterations of start jitter for the user thread: about as long as the link's
    // work takes, so that the two threads meet at every point of it.
    int jitter;
};

void PrintTo(const RaceCase& c, std::ostream* out) {
    *out << (c.action == LinkAction::Acknowledge ? "acknowledge" : "give up") << ", jitter "
         << c.jitter;
}

class WriteMarkRace : public ::testing::TestWithParam<RaceCase> {
protected:
    void SetUp() override { context->registers.loadDefaults(); }
    RegisterTable& table() { return context->registers; }

    // Acts on the old values and reports which registers the link may legally forget:
    // only those whose newest value itself went out as the last retry.
    std::array<bool, COUNT> linkActs(int oldValue, const test::Bytes& ack) {
        std::array<bool, COUNT> mayBeClear{};
        if (GetParam().action == LinkAction::Acknowledge) {
            parser.input(ack);
        } else {
            WriteBatch batch = table().collectWriteBatch(FIRST, COUNT);
            table().settleLastSends(batch);
            for (int i = 0; i < batch.count; ++i) {
                mayBeClear[batch.entries[i].reg - FIRST] = batch.entries[i].value != oldValue;
            }
        }
        return mayBeClear;
    }

    std::unique_ptr<LinkContext> context = std::make_unique<LinkContext>();
    FrameParser parser{*context};
};

TEST_P(WriteMarkRace, NewerValueKeepsItsPendingMark) {
    std::atomic<int> round{0};
    std::atomic<int> userDone{0};
    std::jthread user([&] {
        std::minstd_rand random(1);
        for (int r = 1; r <= ROUNDS; ++r) {
            waitFor(round, r);
            for (int spin = static_cast<int>(random() % GetParam().jitter); spin > 0; --spin) {
                std::atomic_signal_fence(std::memory_order_seq_cst);
            }
            for (int k = 0; k < COUNT; ++k) table().setRegister(FIRST + k, 2 * r + 1);
            userDone.store(r, std::memory_order_release);
        }
    });

    int lost = 0;
    for (int r = 1; r <= ROUNDS; ++r) {
        const int oldValue = 2 * r;
        test::Bytes ack;
        for (int k = 0; k < COUNT; ++k) {
            table().setRegister(FIRST + k, oldValue);
            test::Bytes entry = test::writeAck({{FIRST + k, oldValue}});
            ack.insert(ack.end(), entry.begin(), entry.end());
        }
        // Ten unanswered sends: the next one is each register's last.
        for (int send = 0; send < RETRY_GIVE_UP_AT; ++send) table().collectWriteBatch(FIRST, COUNT);
        round.store(r, std::memory_order_release);
        std::array<bool, COUNT> mayBeClear = linkActs(oldValue, ack);
        waitFor(userDone, r);
        for (int k = 0; k < COUNT; ++k) {
            if (!mayBeClear[k] && !table().isWritePending(FIRST + k)) ++lost;
        }
    }
    EXPECT_EQ(lost, 0) << "newer values left without their pending mark";
}

INSTANTIATE_TEST_SUITE_P(LinkActions, WriteMarkRace,
                         ::testing::Values(RaceCase{LinkAction::Acknowledge, 3000},
                                           RaceCase{LinkAction::GiveUp, 300}),
                         [](const auto& info) {
                             return info.param.action == LinkAction::Acknowledge ? "Acknowledge"
                                                                                 : "GiveUp";
                         });

}  // namespace
}  // namespace tq370
