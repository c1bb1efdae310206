// CPU of the software receiver per second of sound: one second of generated air at 1.2 and
// 2.4 MS/s, a stereo station (with its pilot) and a mono one, demodulated to 48 kHz stereo. The
// "core_share" counter is the share of one core that playing in real time takes, RDS included.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/sdr/fm_receiver.h"
#include "core/sdr/rds_demodulator.h"
#include "support/fm_broadcast.h"

namespace {

void BM_FmReceiverSecond(benchmark::State& state) {
  const double rate = static_cast<double>(state.range(0)) * 1e5;
  const bool stereo = state.range(1) != 0;
  orvaltic::testing::FmBroadcast broadcast;
  broadcast.rate = rate;
  broadcast.seconds = 1.0;
  broadcast.stations.resize(2);
  broadcast.stations[0].pilot = stereo;
  broadcast.stations[0].right_hz = 2000;
  broadcast.stations[1].offset_hz = 400'000;
  const std::vector<orvaltic::IqSample> iq = orvaltic::testing::GenerateFmIq(broadcast);
  orvaltic::FmReceiver receiver({rate, 48'000, 50});
  orvaltic::RdsDemodulator rds(receiver.MultiplexRate());
  std::vector<float> audio;
  constexpr std::size_t kBlock = 24'000;
  for (auto _ : state) {
    for (std::size_t at = 0; at < iq.size(); at += kBlock) {
      audio.clear();
      receiver.Process(iq.data() + at, std::min(kBlock, iq.size() - at), audio);
      rds.Process(receiver.LastMultiplex().data(), receiver.LastMultiplex().size());
      benchmark::DoNotOptimize(audio.data());
    }
  }
  state.counters["core_share"] =
      benchmark::Counter(static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(stereo ? "stereo" : "mono");
}

BENCHMARK(BM_FmReceiverSecond)
    ->Args({12, 1})
    ->Args({12, 0})
    ->Args({24, 1})
    ->Args({24, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
