#include <benchmark/benchmark.h>

#include <cstdint>
#include <ostream>
#include <streambuf>

#include "core/platform/timer.h"
#include "core/radio/radio_card.h"
#include "core/radio/simulated_card.h"
#include "support/recording_port.h"

namespace {

// A card transfer on the ISA bus costs about 97 us (one outb per microsecond); these measure
// what the program adds on top of it.

class NoTimerBackend : public orvaltic::TimerBackend {
 public:
  void Start(int /*ms*/) override {}
  void Stop() override {}
};

class NoTimerHost : public orvaltic::TimerHost {
 public:
  std::unique_ptr<orvaltic::Timer> CreateTimer(const std::string& name) override {
    return std::make_unique<orvaltic::Timer>(name, std::make_unique<NoTimerBackend>());
  }
};

class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

// Alternating frequencies, so that the simulated card reports every transfer.
double FrequencyFor(std::int64_t i) {
  return (i & 1) == 0 ? 99.5 : 101.25;
}

void BM_SetFrequencyRecordingPort(benchmark::State& state) {
  orvaltic::testing::RecordingPort port;
  port.writes.reserve(97);
  NoTimerHost timers;
  const std::int32_t card_port = 0x30C;
  orvaltic::RadioCard card(port, timers, card_port);
  std::int64_t i = 0;
  for (auto _ : state) {
    port.writes.clear();
    card.SetFrequency(FrequencyFor(i++));
    benchmark::DoNotOptimize(port.writes.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetFrequencyRecordingPort);

void BM_SetFrequencySimulatedCard(benchmark::State& state) {
  NullBuffer null_buffer;
  std::ostream null_stream(&null_buffer);
  orvaltic::SimulatedCard sim(null_stream);
  NoTimerHost timers;
  const std::int32_t card_port = 0x30C;
  orvaltic::RadioCard card(sim, timers, card_port);
  std::int64_t i = 0;
  for (auto _ : state) {
    card.SetFrequency(FrequencyFor(i++));
  }
  benchmark::DoNotOptimize(sim.Card(0x30C));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetFrequencySimulatedCard);

void BM_TuningWord(benchmark::State& state) {
  double f = 88.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(orvaltic::TuningWord(f));
    f = f >= 108.0 ? 88.0 : f + 0.025;
  }
}
BENCHMARK(BM_TuningWord);

}  // namespace

BENCHMARK_MAIN();
