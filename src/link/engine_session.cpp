#include "link/engine_session.h"

#include <chrono>
#include "base/stoppable_sleep.h"
#include "link/frame.h"
#include "link/frame_sender.h"
#include "text/language.h"

namespace tq370 {
std::int64_t steadyMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void engineSleep(const Clock& clock, const std::stop_token& stop, double ms, EngineStats& stats) {
    std::int64_t before = steadyMicroseconds();
    stats.sleepAskedUs.fetch_add(
        std::chrono::duration_cast<std::chrono::microseconds>(clock.toReal(ms)).count(),
        std::memory_order_relaxed);
    sleepUnlessStopped(clock, stop, ms);
    stats.sleptUs.fetch_add(steadyMicroseconds() - before, std::memory_order_relaxed);
}

EngineSession::EngineSession(LinkContext& link, LinkHost& host, Transport& transport,
                             const DataFolders& folders, std::stop_token stop, EngineStats& stats)
    : link(link),
      host(host),
      transport(transport),
      folders(folders),
      timings(transport.traits().timings),
      stop(std::move(stop)),
      stats(stats) {}

std::int64_t EngineSession::elapsedUs() const {
    return steadyMicroseconds() - stats.startedUs.load(std::memory_order_relaxed);
}

void EngineSession::sleep(double ms) {
    engineSleep(link.clock, stop, ms, stats);
}

void EngineSession::send(std::uint8_t command, std::span<const std::uint8_t> payload) {
    sendFrame(link, transport, command, payload);
}

ReplyWait EngineSession::request(std::uint8_t command, std::span<const std::uint8_t> payload,
                                 double waitMs) {
    std::int64_t before = steadyMicroseconds();
    ReplyWait result = sendAndAwait(link, transport, command, payload, waitMs);
    stats.replyWaitUs.fetch_add(steadyMicroseconds() - before, std::memory_order_relaxed);
    return result;
}

void EngineSession::dropLinkIfDead(ReplyWait wait) {
    if (wait != ReplyWait::TimedOut || transport.isConnected()) return;
    hideProgress();
    setLinkUp(false);
}

ReplyWait EngineSession::sendWriteBatch(const WriteBatch& batch, double waitMs) {
    ReplyWait wait = ReplyWait::NotWaited;
    if (auto frame = writeBatchFrame(batch)) wait = request(frame->command, frame->payload, waitMs);
    reportGivenUp(link.registers.settleLastSends(batch));
    return wait;
}

void EngineSession::reportGivenUp(const std::vector<WriteEntry>& writes) {
    for (const WriteEntry& write : writes) {
        if (write.reg != REG_HOST_LINK) host.writeGivenUp(write.reg, write.value);
    }
}

void EngineSession::keepAlive() {
    link.registers.applyWriteRetryStep(REG_HOST_LINK);
    WriteBatch hostLinkIsOne;
    hostLinkIsOne.send = true;
    hostLinkIsOne.entries[0] = {static_cast<std::uint16_t>(REG_HOST_LINK), HOST_LINK_ALIVE};
    hostLinkIsOne.count = 1;
    if (auto frame = writeBatchFrame(hostLinkIsOne)) send(frame->command, frame->payload);
}

MessageAnswer EngineSession::message(std::string_view text, MessageTopic topic,
                                     std::string_view caption) {
    return message({std::string(text), std::string(caption), MessageButtons::Ok,
                    languageId(currentLanguage()), topic});
}

MessageAnswer EngineSession::message(const MessageRequest& request) {
    return host.messageBox(request, stop);
}

void EngineSession::showProgress(ProgressTask task, int range) {
    if (running()) host.showProgress(task, range);
}

void EngineSession::forwardIfUpdated(int reg) {
    if (link.registers.takeDeviceUpdated(reg)) host.registerChanged(reg);
}

}  // namespace tq370
