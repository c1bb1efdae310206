#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/radio_application.h"
#include "core/options/options.h"
#include "core/radio/card_backend.h"
#include "core/radio/card_port_setting.h"
#include "core/radio/linux_port_system.h"
#include "gui/platform/unix_signal_watcher.h"

int main(int argc, char** argv) {
  // The card comes first: the port backend takes its I/O permission, and every backend gives up
  // set-user-ID and capability privileges, before Qt or anything else runs. Both objects live
  // until main returns, past the event loop. The permission covers the port the options file
  // names as well; a missing or bad file is reported later, by the start-up read.
  const orvaltic::CardPortSetting options_port =
      orvaltic::ReadCardPortSetting(orvaltic::kOptionsFileName);
  orvaltic::LinuxPortSystem port_system;
  const orvaltic::OpenedCard card = orvaltic::OpenCardBackend(
      "orvaltic", std::getenv("ORVALTIC_CARD"), {options_port.port}, port_system, std::cerr);
  if (!card.card) {
    std::cerr << card.error << '\n';
    return card.exit_code;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvaltic"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALTIC_VERSION));
  // The program ends when the close sequence says so, not when a window goes away.
  QApplication::setQuitOnLastWindowClosed(false);

  orvaltic::app::RadioApplication radio(*card.card);
  radio.ReadSettingsFiles();

  // Ctrl+C in a terminal or a logout closes the radio as its window's close does, through the
  // event loop: with the radio on, the presets file is saved and the user asked.
  orvaltic::gui::UnixSignalWatcher signals_watcher;
  QObject::connect(&signals_watcher, &orvaltic::gui::UnixSignalWatcher::terminationRequested, &app,
                   [&radio] { radio.RequestClose(); });

  if (radio.TerminateRequested()) {
    return 0;
  }
  radio.ShowMainPanel();
  return QApplication::exec();
}
