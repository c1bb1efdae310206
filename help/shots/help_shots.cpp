// Renders the seven panel styles for the help, offscreen, from the program's own windows, so
// that the pictures always show the panels as they are built.
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdint>
#include <iostream>

#include "app/qt_platform.h"
#include "core/platform/io_port.h"
#include "gui/radio_windows.h"

namespace {

class SilentPort : public orvaltic::IoPort {
 public:
  void WritePort(std::uint16_t /*port*/, std::uint8_t /*value*/) override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: orvaltic-help-shots FOLDER\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::cerr << "orvaltic-help-shots: cannot make " << argv[1] << '\n';
    return 1;
  }
  SilentPort port;
  orvaltic::app::QtPlatform services(port);
  // An empty working folder of its own: no settings file is read or written.
  const QString working = folder.filePath(QStringLiteral("settings"));
  QDir().mkpath(working);
  orvaltic::gui::RadioWindows windows(services.platform(), working.toStdString());
  // Switched on, so that the display is lit; nothing is saved, since the radio is not closed.
  windows.controller().events().Click(1, "PwrBtn");
  windows.main_panel().Render();
  // Style 5 is shown with both drawers out, as they lie inside its window: each with the chevron
  // that an open drawer shows, pointing up.
  orvaltic::DrawersModel& drawers = *windows.controller().panels().Style(5).Drawers;
  drawers.down_left = drawers.down_right = false;
  drawers.up_left = drawers.up_right = true;
  for (int style = 1; style <= orvaltic::kPanelCount; ++style) {
    QWidget* panel =
        style == 1 ? static_cast<QWidget*>(&windows.main_panel()) : windows.style_panel(style);
    if (auto* window = qobject_cast<orvaltic::gui::PanelWindow*>(panel)) {
      window->Render();
    }
    const QString file = folder.filePath(QStringLiteral("style%1.png").arg(style));
    if (!panel->grab().save(file)) {
      std::cerr << "orvaltic-help-shots: cannot write " << file.toStdString() << '\n';
      return 1;
    }
  }
  QDir(working).removeRecursively();
  return 0;
}
