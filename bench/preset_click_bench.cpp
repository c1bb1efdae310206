// The cost of one preset click: the handler, all seven panel surfaces updated and the 97 port
// writes of the card transfer, first in the core alone, then through the main window (the
// click delivered to the button, the window re-rendered, no paint waited for).
//
// Preset 1 and preset 2 are clicked in turn, so that every click changes the frequency, the
// preset number, the lights and the hints. Each run checks that a click wrote exactly one
// transfer; a benchmark that measured a refused click would report an error instead.
//
// The port only counts: what a real card transfer costs on the bus (about 97 us) is not part
// of these figures.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "core/controller/radio_controller.h"
#include "gui/panels/main_panel_window.h"

namespace {

using namespace orvaltic;

constexpr std::int64_t kWritesPerClick = 97;

class CountingPort : public IoPort {
 public:
  void WritePort(std::uint16_t /*port*/, std::uint8_t /*value*/) override { ++writes; }
  std::int64_t writes = 0;
};

class NoTimerBackend : public TimerBackend {
 public:
  void Start(int /*ms*/) override {}
  void Stop() override {}
};

class NoTimerHost : public TimerHost {
 public:
  std::unique_ptr<Timer> CreateTimer(const std::string& name) override {
    return std::make_unique<Timer>(name, std::make_unique<NoTimerBackend>());
  }
};

class FixedTime : public Clock {
 public:
  DateTime Now() const override { return {2026, 12, 8, 15, 30, 0, 0}; }
};

// Every box is answered at once with OK (or cancelled), so nothing ever waits for a user.
class SilentDialogs : public Dialogs {
 public:
  MessageResult MessageBox(const std::string& /*text*/, MessageKind /*kind*/,
                           MessageButtons /*buttons*/, int /*help_context*/) override {
    ++boxes;
    return MessageResult::kOk;
  }
  void Beep() override {}
  std::optional<std::string> InputQuery(const std::string& /*caption*/,
                                        const std::string& /*prompt*/,
                                        const std::string& /*text*/) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFileName(const FileDialogOptions& /*options*/) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileName(const FileDialogOptions& /*options*/) override {
    return std::nullopt;
  }
  std::optional<FontSpec> ChooseFont(
      const FontSpec& /*initial*/,
      const std::function<void(const FontSpec&)>& /*on_apply*/) override {
    return std::nullopt;
  }
  std::optional<Color> ChooseColor(Color /*initial*/) override { return std::nullopt; }

  int boxes = 0;
};

class NoSound : public Sound {
 public:
  bool PlaySound(const std::string& /*name*/, unsigned /*flags*/) override { return true; }
};

class NoHelp : public Help {
 public:
  bool WinHelp(const std::string& /*file*/, unsigned /*command*/, std::uint32_t /*data*/) override {
    return true;
  }
};

class NoAppHost : public AppHost {
 public:
  void Terminate() override {}
  void MinimizeApplication() override {}
};

class NoForms : public ModalForms {
 public:
  void ShowModal(ModalForm /*form*/) override {}
};

// An empty folder of its own, so that no settings file of the machine is read or written.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orvaltic-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
    }
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) {
      std::filesystem::remove_all(path_, ec);
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The controller on the fakes, started as the program starts it and switched on.
struct Radio {
  Radio() {
    controller.FormCreate();
    // No settings files in the folder: the defaults, after a box for each.
    controller.ReadSettingsFiles();
  }

  bool SwitchOn() {
    controller.Events().Click(1, "PwrBtn");
    return controller.PowerOn();
  }

  ScratchFolder folder;
  CountingPort port;
  NoTimerHost timers;
  FixedTime clock;
  SilentDialogs dialogs;
  NoSound sound;
  NoHelp help;
  NoAppHost app;
  NoForms forms;
  RadioController controller{Platform{port, timers, clock, dialogs, sound, help, app, forms},
                             folder.path()};
};

const char* PresetFor(std::int64_t i) {
  return (i & 1) == 0 ? "Preset1" : "Preset2";
}

bool CheckWrites(benchmark::State& state, const CountingPort& port, std::int64_t before) {
  const std::int64_t per_click =
      (port.writes - before) / std::max<std::int64_t>(1, state.iterations());
  state.counters["writes_per_click"] = static_cast<double>(per_click);
  if (port.writes - before != kWritesPerClick * static_cast<std::int64_t>(state.iterations())) {
    state.SkipWithError("a click did not write exactly one card transfer");
    return false;
  }
  return true;
}

void BM_PresetClickCore(benchmark::State& state) {
  Radio radio;
  if (radio.folder.path().empty() || !radio.SwitchOn()) {
    state.SkipWithError("the radio did not switch on");
    return;
  }
  PanelEvents& events = radio.controller.Events();
  std::int64_t i = 0;
  const std::int64_t before = radio.port.writes;
  for (auto _ : state) {
    events.Click(1, PresetFor(i++));
  }
  benchmark::DoNotOptimize(radio.controller.Panels().Main().FreqPanel.caption.data());
  if (CheckWrites(state, radio.port, before)) {
    state.SetItemsProcessed(state.iterations());
  }
}
BENCHMARK(BM_PresetClickCore);

void BM_PresetClickMainWindow(benchmark::State& state) {
  Radio radio;
  gui::TMainFrmRadio window(radio.controller.Panels().Main(), radio.controller.Menu(),
                            radio.controller.Events());
  radio.controller.Dispatcher().SetAfterEvent([&window] { window.Render(); });
  window.Render();
  window.show();
  if (radio.folder.path().empty() || !QTest::qWaitForWindowExposed(&window) || !radio.SwitchOn()) {
    state.SkipWithError("the window did not show or the radio did not switch on");
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
  const std::int64_t before = radio.port.writes;
  for (auto _ : state) {
    QTest::mouseClick(buttons[i++ & 1], Qt::LeftButton, {}, centre);
  }
  if (CheckWrites(state, radio.port, before)) {
    state.SetItemsProcessed(state.iterations());
  }
  window.hide();
  QApplication::processEvents();
}
BENCHMARK(BM_PresetClickMainWindow);

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
