#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/radio_application.h"
#include "core/cli/card_port_setting.h"
#include "core/controller/command_line.h"
#include "core/options/options.h"
#include "core/radio/card_backend.h"
#include "core/radio/linux_port_system.h"
#include "core/radio/linux_v4l2_system.h"
#include "core/radio/privileges.h"
#include "gui/platform/sdr_sound.h"
#include "gui/platform/tuner_loopback.h"
#include "gui/platform/unix_signal_watcher.h"
#include "gui/remote/mpris_service.h"

int main(int argc, char** argv) {
  // Usage and version are answered on the terminal before anything of the radio starts; they
  // need no display.
  switch (orvaltic::FindProgramRequest(std::vector<std::string>(argv + 1, argv + argc))) {
    case orvaltic::ProgramRequest::kShowUsage:
      std::cout << orvaltic::UsageText();
      return 0;
    case orvaltic::ProgramRequest::kShowVersion:
      std::cout << "Orvaltic " ORVALTIC_VERSION "\n";
      return 0;
    case orvaltic::ProgramRequest::kRunRadio:
      break;
  }

  // The card comes first: the port backend takes its I/O permission, and every backend gives up
  // set-user-ID and capability privileges, before Qt or anything else runs. Both objects live
  // until main returns, past the event loop. A privileged program opens only the card's two
  // addresses and reads no file of the user's before the privileges are gone; a real root may
  // have the port its options file names opened as well (a missing or bad file is reported
  // later, by the start-up read).
  orvaltic::LinuxPortSystem port_system;
  orvaltic::LinuxV4l2System tuner_system;
  std::vector<std::uint16_t> options_port;
  if (orvaltic::IsRealRoot(port_system)) {
    options_port.push_back(orvaltic::ReadCardPortSetting(orvaltic::kOptionsFileName).port);
  }
  const orvaltic::OpenedCard card =
      orvaltic::OpenCardBackend("orvaltic", std::getenv("ORVALTIC_CARD"), options_port, port_system,
                                std::cerr, &tuner_system);
  if (!card.card) {
    std::cerr << card.error << '\n';
    return card.exit_code;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvaltic"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALTIC_VERSION));
  // The desktop names the program "Orvaltic" by its window class (the application name) and by
  // orvaltic.desktop, which it finds, with the icon it names, by this file name. No display name
  // is set: Qt would append it to every window title, and the titles are the captions alone.
  QGuiApplication::setDesktopFileName(QStringLiteral("orvaltic"));
  // The program ends when the close sequence says so, not when a window goes away.
  QApplication::setQuitOnLastWindowClosed(false);

  // A tuner whose sound arrives as a capture device is heard through the loop, which follows the
  // card's audio from the first write on. It outlives the radio, whose last writes it hears.
  std::unique_ptr<orvaltic::gui::TunerLoopback> loopback;
  if (card.tuner != nullptr) {
    loopback = orvaltic::gui::AttachTunerLoopback(*card.tuner, std::getenv("ORVALTIC_LOOPBACK"),
                                                  std::cerr);
  }

  // A software receiver's sound goes to the default output while the card's audio is on.
  std::unique_ptr<orvaltic::gui::SdrSound> receiver_sound;
  if (card.receiver != nullptr) {
    receiver_sound = orvaltic::gui::AttachSdrSound(*card.receiver, std::cerr);
  }

  orvaltic::app::RadioApplication radio(*card.card);
  radio.windows().ReadSettingsFiles();
  // QApplication has taken its own arguments (-platform, -style, ...) out of argv: what is
  // left is what the user gave the radio, one parameter per argument.
  const orvaltic::CommandLineOutcome outcome =
      radio.windows().ProcessCommandLine(std::vector<std::string>(argv + 1, argv + argc));

  // Ctrl+C in a terminal or a logout closes the radio as its window's close does, through the
  // event loop: with the radio on, the presets file is saved and the user asked.
  orvaltic::gui::UnixSignalWatcher signals_watcher;
  QObject::connect(&signals_watcher, &orvaltic::gui::UnixSignalWatcher::terminationRequested, &app,
                   [&radio] { radio.windows().RequestClose(); });

  // A bad parameter, or a second /O that closed the radio: the program ends here, with no
  // panel ever shown and nothing more saved.
  if (radio.TerminateRequested()) {
    return orvaltic::CommandLineExitStatus(outcome);
  }
  // Media keys, the desktop's media controls and orvaltic-card reach the radio on the session
  // bus; without one (or with another radio on it) the radio runs on without.
  orvaltic::gui::MprisService remote(radio.windows(), QDBusConnection::sessionBus(), std::cerr);
  radio.windows().ShowMainPanel();
  return QApplication::exec();
}
