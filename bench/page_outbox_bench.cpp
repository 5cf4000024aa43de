// A burst of messages for the page, posted faster than the browser answers: each one is queued
// and handed out at once while every earlier one still waits for its answer. The cost per
// message must not grow with the burst (compare the per-message times of the two sizes).

#include <benchmark/benchmark.h>

#include <string>

#include "chromium/page_outbox.h"

namespace {

void BM_OutboxBurst(benchmark::State& state) {
  const auto burst = static_cast<std::size_t>(state.range(0));
  const std::string text(200, 'm');
  for (auto _ : state) {
    corvane::PageOutbox outbox;
    for (std::size_t i = 0; i < burst; ++i) {
      outbox.Push(text);
      outbox.SendWaiting("document", [](std::uint64_t id, const std::string&) {
        benchmark::DoNotOptimize(id);
        return true;
      });
    }
    benchmark::DoNotOptimize(outbox.size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * burst));
}
BENCHMARK(BM_OutboxBurst)->Arg(1000)->Arg(32000)->Unit(benchmark::kMillisecond);

}  // namespace
