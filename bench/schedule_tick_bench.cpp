// The cost of one schedule step (Timer6): the examined program written to the status window's
// model, the three clock texts formatted and one program's day and begin time compared; first
// in the core alone, then with the main window and the open status window re-rendered after the
// tick as the program does (offscreen).
//
// All five programs are for every day, at a time no tick reaches, so every tick examines a
// program fully and moves on, and the status window's light and scan line change every tick.
#include "bench_fixture.h"

namespace {

using namespace orvaltic;
using bench::Fakes;

void RunTicks(benchmark::State& state, Fakes& fakes, RadioController& controller,
              const std::function<void()>& tick) {
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    controller.schedule().Program(k) = {"99.100", "WEEK", "06:00 AM", "07:00 AM"};
  }
  controller.program_schedule().Activate3Click();
  if (!controller.TimerN(6).Enabled()) {
    state.SkipWithError("the schedule did not switch on");
    return;
  }
  bench::TickEverySecond(state, fakes, tick);
  benchmark::DoNotOptimize(controller.program_schedule().list().controls().ScanProgLabel.data());
  if (!fakes.Quiet() || controller.program_schedule().ProgramRunning()) {
    state.SkipWithError("a box was shown or a program began");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ScheduleTickCore(benchmark::State& state) {
  Fakes fakes;
  RadioController controller(fakes.fake.platform(), fakes.folder.path());
  bench::StartCore(controller);
  Timer& timer6 = controller.TimerN(6);
  RunTicks(state, fakes, controller, [&] { timer6.Fire(); });
}
BENCHMARK(BM_ScheduleTickCore);

void BM_ScheduleTickWindows(benchmark::State& state) {
  Fakes fakes;
  gui::RadioWindows radio(fakes.fake.platform(), fakes.folder.path());
  if (!bench::ShowMainWindow(state, radio)) {
    return;
  }
  // Shown without its modal loop, so that the benchmark keeps the control.
  radio.sched_list_form().show();
  if (!QTest::qWaitForWindowExposed(&radio.sched_list_form())) {
    state.SkipWithError("the status window did not show");
    return;
  }
  QApplication::processEvents();
  Timer& timer6 = radio.controller().TimerN(6);
  RunTicks(state, fakes, radio.controller(), [&] { timer6.Fire(); });
  radio.sched_list_form().hide();
  radio.main_panel().hide();
  QApplication::processEvents();
}
BENCHMARK(BM_ScheduleTickWindows);

}  // namespace

int main(int argc, char** argv) {
  return orvaltic::bench::RunBenchmarks(argc, argv);
}
