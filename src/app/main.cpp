#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "core/radio/card_backend.h"
#include "core/radio/linux_port_system.h"
#include "gui/panels/main_panel_window.h"
#include "gui/platform/unix_signal_watcher.h"

int main(int argc, char** argv) {
  // The card comes first: the port backend takes its I/O permission, and every backend gives up
  // set-user-ID and capability privileges, before Qt or anything else runs. Both objects live
  // until main returns, past the event loop.
  orvaltic::LinuxPortSystem port_system;
  const orvaltic::OpenedCard card = orvaltic::OpenCardBackend(
      "orvaltic", std::getenv("ORVALTIC_CARD"), {}, port_system, std::cerr);
  if (!card.card) {
    std::cerr << card.error << '\n';
    return card.exit_code;
  }

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
