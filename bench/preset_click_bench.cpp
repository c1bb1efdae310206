// The cost of one preset click: the handler, all seven panel surfaces updated and the 97 port
// writes of the card transfer, first in the core alone, then through the main window (the
// click delivered to the button, the window re-rendered, no paint waited for).
//
// Preset 1 and preset 2 are clicked in turn, so that every click changes the frequency, the
// preset number, the lights and the hints, on the fake platform the tests use. Each run checks
// that a click wrote exactly one transfer and showed no box; a benchmark that measured a refused
// click would report an error instead.
//
// The port only counts: what a real card transfer costs on the bus (about 97 us) is not part
// of these figures.
#include <QWidget>

#include <algorithm>
#include <cstdint>

#include "bench_fixture.h"

namespace {

using namespace orvaltic;

constexpr std::int64_t kWritesPerClick = 97;

// Counts in place of the recording port, which would keep a million clicks' bytes.
class CountingPort : public IoPort {
 public:
  void WritePort(std::uint16_t /*port*/, std::uint8_t /*value*/) override { ++writes; }
  std::int64_t writes = 0;
};

// The shared fakes with the counting port in place of the recording one.
struct Fakes : bench::Fakes {
  Platform platform() { return fake.platform(port, fake.forms); }

  CountingPort port;
};

bool SwitchOn(RadioController& controller) {
  controller.events().Click(1, "PwrBtn");
  return controller.PowerOn();
}

const char* PresetFor(std::int64_t i) {
  return (i & 1) == 0 ? "Preset1" : "Preset2";
}

bool CheckRun(benchmark::State& state, const Fakes& fakes, std::int64_t before) {
  const std::int64_t writes = fakes.port.writes - before;
  state.counters["writes_per_click"] =
      static_cast<double>(writes / std::max<std::int64_t>(1, state.iterations()));
  if (!fakes.Quiet()) {
    state.SkipWithError("a box was shown");
    return false;
  }
  if (writes != kWritesPerClick * static_cast<std::int64_t>(state.iterations())) {
    state.SkipWithError("a click did not write exactly one card transfer");
    return false;
  }
  state.SetItemsProcessed(state.iterations());
  return true;
}

void BM_PresetClickCore(benchmark::State& state) {
  Fakes fakes;
  RadioController controller(fakes.platform(), fakes.folder.path());
  bench::StartCore(controller);
  if (!SwitchOn(controller)) {
    state.SkipWithError("the radio did not switch on");
    return;
  }
  PanelEvents& events = controller.events();
  std::int64_t i = 0;
  const std::int64_t before = fakes.port.writes;
  for (auto _ : state) {
    events.Click(1, PresetFor(i++));
  }
  benchmark::DoNotOptimize(controller.panels().Main().FreqPanel.caption.data());
  CheckRun(state, fakes, before);
}
BENCHMARK(BM_PresetClickCore);

void BM_PresetClickMainWindow(benchmark::State& state) {
  Fakes fakes;
  gui::RadioWindows radio(fakes.platform(), fakes.folder.path());
  if (!bench::ShowMainWindow(state, radio)) {
    return;
  }
  gui::TMainFrmRadio& window = radio.main_panel();
  if (!SwitchOn(radio.controller())) {
    state.SkipWithError("the radio did not switch on");
    return;
  }
  QWidget* buttons[2] = {window.findChild<QWidget*>(QStringLiteral("Preset1")),
                         window.findChild<QWidget*>(QStringLiteral("Preset2"))};
  if (buttons[0] == nullptr || buttons[1] == nullptr) {
    state.SkipWithError("no preset buttons on the window");
    return;
  }
  const QPoint centre = buttons[0]->rect().center();
  // The first paint and whatever switching on queued, before the clock runs.
  QApplication::processEvents();
  std::int64_t i = 0;
  const std::int64_t before = fakes.port.writes;
  for (auto _ : state) {
    QTest::mouseClick(buttons[i++ & 1], Qt::LeftButton, {}, centre);
  }
  CheckRun(state, fakes, before);
  window.hide();
  QApplication::processEvents();
}
BENCHMARK(BM_PresetClickMainWindow);

}  // namespace

int main(int argc, char** argv) {
  return orvaltic::bench::RunBenchmarks(argc, argv);
}
