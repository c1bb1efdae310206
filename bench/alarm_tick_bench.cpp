// The cost of one alarm check (Timer4): the clock read and formatted, the running clock written
// to the alarm status of all seven panels and the stored time compared; first in the core alone,
// then with the main window re-rendered after the tick as the program does (offscreen).
//
// The clock moves on a second at every tick, so that every tick changes the shown text: the
// worst case, as nine ticks in ten find the text unchanged. The alarm time lies elsewhere in the
// day, so no tick acts.
#include "bench_fixture.h"

namespace {

using namespace orvaltic;
using bench::Fakes;

// Arms the alarm for a time no tick reaches and runs `tick` once per iteration.
void RunTicks(benchmark::State& state, Fakes& fakes, RadioController& controller,
              const std::function<void()>& tick) {
  controller.alarm().AlarmTime = "06:00:00 AM";
  controller.alarm_snooze().Activate1Click();
  if (!controller.TimerN(4).Enabled()) {
    state.SkipWithError("the alarm did not switch on");
    return;
  }
  bench::TickEverySecond(state, fakes, tick);
  benchmark::DoNotOptimize(controller.panels().Style(7).AlarmPanel.current.caption.data());
  if (!fakes.Quiet() || controller.alarm_snooze().AlarmFired()) {
    state.SkipWithError("a box was shown or the alarm acted");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_AlarmTickCore(benchmark::State& state) {
  Fakes fakes;
  RadioController controller(fakes.fake.platform(), fakes.folder.path());
  bench::StartCore(controller);
  Timer& timer4 = controller.TimerN(4);
  RunTicks(state, fakes, controller, [&] { timer4.Fire(); });
}
BENCHMARK(BM_AlarmTickCore);

void BM_AlarmTickMainWindow(benchmark::State& state) {
  Fakes fakes;
  gui::RadioWindows radio(fakes.fake.platform(), fakes.folder.path());
  if (!bench::ShowMainWindow(state, radio)) {
    return;
  }
  QApplication::processEvents();
  Timer& timer4 = radio.controller().TimerN(4);
  RunTicks(state, fakes, radio.controller(), [&] { timer4.Fire(); });
  radio.main_panel().hide();
  QApplication::processEvents();
}
BENCHMARK(BM_AlarmTickMainWindow);

}  // namespace

int main(int argc, char** argv) {
  return orvaltic::bench::RunBenchmarks(argc, argv);
}
