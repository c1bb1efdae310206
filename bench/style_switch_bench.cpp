// One style switch as the user makes it: the menu item chosen, the handler, the seven windows
// re-rendered, the new panel shown and the old one hidden, and the new panel painted. The
// iterations walk round the seven styles, each switch to a style other than the one shown.
//
// A style's window is made at its first showing; what that adds to a first switch is measured
// on its own, for the largest style window.
//
// Run it on a real X server (xvfb-run, QT_QPA_PLATFORM=xcb) for the figure that counts; the
// offscreen default measures the program's own share.
#include <QApplication>
#include <QWidget>

#include <string>

#include "bench_fixture.h"
#include "core/panels/style_layout.h"

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

void BM_StyleWindowMadeAndPainted(benchmark::State& state) {
  bench::Fakes fakes;
  RadioController controller(fakes.fake.platform(), fakes.folder.path());
  bench::StartCore(controller);
  PanelSurface& surface = controller.panels().Style(7);
  surface.visible = true;
  for (auto _ : state) {
    gui::PanelWindow window(StyleLayout(7), surface, controller.menu(), controller.events());
    window.Render();
    window.repaint();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.isVisible());
  }
  if (!fakes.Quiet()) {
    state.SkipWithError("a box was shown");
  }
}
BENCHMARK(BM_StyleWindowMadeAndPainted)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return orvaltic::bench::RunBenchmarks(argc, argv);
}
