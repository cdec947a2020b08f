#pragma once

#include "engine_fixture.h"

namespace tq370::test {

// The engine fixture with a transport of the test's own making in place of the in-process
// link.
class TransportFixture : public EngineFixture {
protected:
    void startWith(TransportFactory makeTransport) {
        std::filesystem::create_directories(folders.dataFolder());
        engine = std::make_unique<LinkEngine>(*link, *host,
                                              EngineSetup{folders, std::move(makeTransport)});
        ASSERT_TRUE(engine->startEngine());
    }

    int statusCount(LinkStatus status) const {
        return host->count(RecordingLinkHost::Kind::Status, static_cast<int>(status));
    }
};

}  // namespace tq370::test
