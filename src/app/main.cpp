#include <QApplication>

#include "gui/panels/main_panel_window.h"
#include "gui/platform/unix_signal_watcher.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvaltic"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALTIC_VERSION));

  // Ctrl+C in a terminal or a logout ends the radio through the event loop, not mid-handler.
  orvaltic::gui::UnixSignalWatcher signals_watcher;
  QObject::connect(&signals_watcher, &orvaltic::gui::UnixSignalWatcher::terminationRequested, &app,
                   [] { QApplication::quit(); });

  orvaltic::gui::MainPanelWindow panel;
  panel.show();
  return QApplication::exec();
}
