// One style switch as the user makes it: the menu item chosen, the handler, the seven windows
// re-rendered, the new panel shown and the old one hidden, and the new panel painted. The
// iterations walk round the seven styles, each switch to a style other than the one shown.
//
// Run it on a real X server (xvfb-run, QT_QPA_PLATFORM=xcb) for the figure that counts; the
// offscreen default measures the program's own share.
#include <QApplication>
#include <QWidget>

#include <string>

#include "bench_fixture.h"

namespace {

using namespace orvaltic;

QWidget& Panel(gui::RadioWindows& radio, int style) {
  return style == 1 ? static_cast<QWidget&>(radio.main_panel()) : *radio.style_panel(style);
}

void BM_StyleSwitchToPainted(benchmark::State& state) {
  bench::Fakes fakes;
  gui::RadioWindows radio(fakes.fake.platform(), fakes.folder.path());
  if (!bench::ShowMainWindow(state, radio)) {
    return;
  }
  QApplication::processEvents();  // the first paint and the start-up style
  radio.controller().events().Click(1, "PwrBtn");
  int style = 1;
  for (auto _ : state) {
    style = style % kPanelCount + 1;
    radio.controller().events().MenuClick("Style" + std::to_string(style));
    QWidget& shown = Panel(radio, style);
    shown.repaint();
    QApplication::processEvents();
    benchmark::DoNotOptimize(shown.isVisible());
  }
  for (int n = 1; n <= kPanelCount; ++n) {
    if (Panel(radio, n).isVisible() != (n == style)) {
      state.SkipWithError("a switch did not leave exactly the chosen panel shown");
      return;
    }
  }
  if (!fakes.Quiet()) {
    state.SkipWithError("a box was shown");
  }
}
BENCHMARK(BM_StyleSwitchToPainted)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return orvaltic::bench::RunBenchmarks(argc, argv);
}
