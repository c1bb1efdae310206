#pragma once

#include <cstdint>
#include <string>

#include "core/controller/radio_controller.h"
#include "core/platform/help.h"
#include "core/platform/io_port.h"
#include "core/platform/sound.h"
#include "gui/options/options_form.h"
#include "gui/panels/main_panel_window.h"
#include "gui/platform/qt_app_host.h"
#include "gui/platform/qt_audio_output.h"
#include "gui/platform/qt_clock.h"
#include "gui/platform/qt_dialogs.h"
#include "gui/platform/qt_modal_forms.h"
#include "gui/platform/qt_timer_host.h"

namespace orvaltic::app {

// Help requests until a help viewer is part of the program: each request is named on standard
// error, so that a user who asks for help is told that none is there.
class NoHelpViewer : public Help {
 public:
  bool WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) override;
};

// The running radio inside a QApplication: the Qt platform services, the controller on the
// card's port and the windows, wired so that every event re-renders the windows.
class RadioApplication {
 public:
  // Creates the windows, the main panel first (its creation blacks out the display), then the
  // dialogs, which the controller shows through the modal forms. Settings
  // files are taken from `working_folder` ("" = the working directory).
  explicit RadioApplication(IoPort& card, std::string working_folder = "");
  RadioApplication(const RadioApplication&) = delete;
  RadioApplication& operator=(const RadioApplication&) = delete;

  // The presets file, then the options file (with their boxes when missing), then every panel
  // to the stored position.
  void ReadSettingsFiles();
  // Shows the main panel; its first paint, in the event loop, does the rest of the start-up.
  void ShowMainPanel();
  // The close sequence as a window's close runs it: with the radio on, the presets file is
  // saved and the user asked whether to keep the radio playing. Repeated requests while one
  // is being handled (its question still open) are ignored.
  void RequestClose();
  // The controller has asked the program to end.
  bool TerminateRequested() const { return app_host_.TerminateRequested(); }

  RadioController& Controller() { return controller_; }
  gui::TMainFrmRadio& MainPanel() { return main_panel_; }
  gui::TOptionsForm& OptionsForm() { return options_form_; }

 private:
  gui::QtTimerHost timers_;
  gui::QtClock clock_;
  gui::QtAudioOutput audio_output_;
  SoundPlayer sound_{audio_output_};
  NoHelpViewer help_;
  gui::QtAppHost app_host_;
  gui::QtDialogs dialogs_;
  gui::QtModalForms forms_;
  RadioController controller_;
  gui::TMainFrmRadio main_panel_;
  gui::TOptionsForm options_form_;
  bool closing_ = false;
};

}  // namespace orvaltic::app
