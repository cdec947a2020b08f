#pragma once

#include <gtest/gtest.h>

#include "params/param_tables.h"
#include "response/response_scope.h"
#include "ui/ui_harness.h"

namespace tq370::response {

inline constexpr int SCOPE_ID = 6024;

// The scope as the EQ panel makes it: 1037 × 302 under a host that records what the
// scope tells it, twelve curves, the current curve's bands at their ISO centres.
class ScopeFixture : public ::testing::Test {
protected:
    void SetUp() override {
        scope = new ResponseScope(&host, SCOPE_ID);
        scope->setGeometry(0, 0, 1037, 302);
        scope->initialise();
        scope->initCurves();
        test::processEvents();
        for (int e = 0; e < EQ_BAND_COUNT; ++e)
            scope->setBandFrequency(0, e, ISO_BAND_FREQUENCIES[static_cast<std::size_t>(e)]);
        host.messages.clear();
    }

    const CurveParams& current() const { return scope->curve(scope->currentCurve()); }
    double frequency(int band) const {
        return current().frequencyHz[static_cast<std::size_t>(band)];
    }
    double gain(int band) const { return current().gainDb[static_cast<std::size_t>(band)]; }
    double q(int band) const { return current().q[static_cast<std::size_t>(band)]; }
    QPoint centre(int band) const { return scope->handleCentre(band); }
    const ScopeGeometry& g() const { return scope->geometry(); }

    void click(int band) { test::click(*scope, centre(band)); }

    // The last message the host got; fails the test when there is none.
    test::Message lastMessage() const {
        EXPECT_FALSE(host.messages.empty());
        return host.messages.empty() ? test::Message{} : host.messages.back();
    }

    test::MessageRecorder host;
    ResponseScope* scope = nullptr;
};

// Band slot of EQ band e (0..30).
constexpr int eqSlot(int e) {
    return FIRST_EQ_BAND + e;
}

}  // namespace tq370::response
