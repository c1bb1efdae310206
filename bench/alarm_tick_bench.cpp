// The cost of one alarm check (Timer4): the clock read and formatted, the running clock written
// to the alarm status of all seven panels and the stored time compared; first in the core alone,
// then with the main window re-rendered after the tick as the program does (offscreen).
//
// The clock moves on a second at every tick, so that every tick changes the shown text: the
// worst case, as nine ticks in ten find the text unchanged. The alarm time lies elsewhere in the
// day, so no tick acts.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <functional>

#include "core/controller/radio_controller.h"
#include "gui/radio_windows.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace {

using namespace orvaltic;

struct Fakes {
  Fakes() { fake.dialogs.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk); }
  bool Quiet() const { return fake.dialogs.AllAnswered() && fake.dialogs.boxes.size() == 2; }

  orvaltic::testing::TempFolder folder;
  orvaltic::testing::FakePlatform fake;
};

// Arms the alarm for a time no tick reaches and runs `tick` once per iteration.
void RunTicks(benchmark::State& state, Fakes& fakes, RadioController& controller,
              const std::function<void()>& tick) {
  controller.alarm().AlarmTime = "06:00:00 AM";
  controller.alarm_snooze().Activate1Click();
  if (!controller.TimerN(4).Enabled()) {
    state.SkipWithError("the alarm did not switch on");
    return;
  }
  DateTime now{2026, 12, 8, 15, 30, 0, 0};
  for (auto _ : state) {
    now.second = (now.second + 1) % 60;
    fakes.fake.clock.Set(now);
    tick();
  }
  benchmark::DoNotOptimize(controller.panels().Style(7).AlarmPanel.current.caption.data());
  if (!fakes.Quiet() || controller.alarm_snooze().AlarmFired()) {
    state.SkipWithError("a box was shown or the alarm acted");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_AlarmTickCore(benchmark::State& state) {
  Fakes fakes;
  RadioController controller(fakes.fake.platform(), fakes.folder.path());
  controller.life_cycle().FormCreate();
  controller.life_cycle().ReadSettingsFiles();
  Timer& timer4 = controller.TimerN(4);
  RunTicks(state, fakes, controller, [&] { timer4.Fire(); });
}
BENCHMARK(BM_AlarmTickCore);

void BM_AlarmTickMainWindow(benchmark::State& state) {
  Fakes fakes;
  gui::RadioWindows radio(fakes.fake.platform(), fakes.folder.path());
  radio.ReadSettingsFiles();
  radio.ShowMainPanel();
  if (!QTest::qWaitForWindowExposed(&radio.main_panel())) {
    state.SkipWithError("the window did not show");
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
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvaltic"));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
