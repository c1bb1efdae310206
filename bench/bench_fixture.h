// What the benchmarks on the fake platform share: the fakes in an empty folder, the core and the
// windows started as the program starts them, a clock moved on a second at every tick, and the
// offscreen entry point.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <functional>

#include "core/controller/radio_controller.h"
#include "gui/radio_windows.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace orvaltic::bench {

// The fake platform in an empty folder of its own, so that no settings file of the machine is
// read or written: the defaults, after the "not found" box of each file.
struct Fakes {
  Fakes() { fake.dialogs.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk); }
  // Every box answered and none shown since the start-up boxes.
  bool Quiet() const { return fake.dialogs.AllAnswered() && fake.dialogs.boxes.size() == 2; }

  orvaltic::testing::TempFolder folder;
  orvaltic::testing::FakePlatform fake;
};

// The core as the program starts it, without windows.
inline void StartCore(RadioController& controller) {
  controller.life_cycle().FormCreate();
  controller.life_cycle().ReadSettingsFiles();
}

// The windows as the program starts them, with the main window shown; false, with the
// benchmark's error set, when it did not show.
inline bool ShowMainWindow(benchmark::State& state, gui::RadioWindows& radio) {
  radio.ReadSettingsFiles();
  radio.ShowMainPanel();
  if (!QTest::qWaitForWindowExposed(&radio.main_panel())) {
    state.SkipWithError("the window did not show");
    return false;
  }
  return true;
}

// Runs `tick` once per iteration, the clock a second later each time, so that every tick
// changes the shown time.
inline void TickEverySecond(benchmark::State& state, Fakes& fakes,
                            const std::function<void()>& tick) {
  DateTime now{2026, 12, 8, 15, 30, 0, 0};
  for (auto _ : state) {
    now.second = (now.second + 1) % 60;
    fakes.fake.clock.Set(now);
    tick();
  }
}

// The benchmarks' main: offscreen unless told otherwise, with the program's application name.
inline int RunBenchmarks(int argc, char** argv) {
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

}  // namespace orvaltic::bench
