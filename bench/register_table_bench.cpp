#include <benchmark/benchmark.h>

#include <memory>

#include "link/register_table.h"

namespace {

// The engine's flush: 30 pending registers spread over the table, one batch of 24. The
// 30 setRegister calls that re-arm the marks are inside the timing (a few ns each);
// pausing the timer would cost more than what is measured.
void BM_CollectWriteBatch30Pending(benchmark::State& state) {
    auto table = std::make_unique<tq370::RegisterTable>();
    table->loadDefaults();
    for (auto _ : state) {
        for (int i = 0; i < 30; ++i) table->setRegister(60 * i + 7, i);
        auto batch = table->collectWriteBatch(0, 24);
        benchmark::DoNotOptimize(batch);
    }
}
BENCHMARK(BM_CollectWriteBatch30Pending);

}  // namespace
