#pragma once

#include <cstdint>
#include <string>

#include "core/platform/help.h"
#include "core/platform/io_port.h"
#include "core/platform/platform.h"
#include "core/platform/sound.h"
#include "gui/help/help_viewer.h"
#include "gui/platform/qt_app_host.h"
#include "gui/platform/qt_audio_output.h"
#include "gui/platform/qt_clock.h"
#include "gui/platform/qt_dialogs.h"
#include "gui/platform/qt_modal_forms.h"
#include "gui/platform/qt_timer_host.h"

namespace orvaltic::app {

// The program's platform services in Qt, around the card's port. Create it inside a
// QApplication.
class QtPlatform {
 public:
  explicit QtPlatform(IoPort& card);
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  Platform platform();
  // Where a message box's Help button looks for the application help file; until it is set,
  // the button asks for an unnamed file.
  void SetHelpFiles(const HelpFiles& files) { help_files_ = &files; }
  gui::QtModalForms& forms() { return forms_; }
  gui::HelpViewer& help() { return help_; }
  // The radio has asked the program to end.
  bool TerminateRequested() const { return app_host_.TerminateRequested(); }

 private:
  IoPort& card_;
  gui::QtTimerHost timers_;
  gui::QtClock clock_;
  gui::QtAudioOutput audio_output_;
  SoundPlayer sound_{audio_output_};
  gui::HelpViewer help_;
  gui::QtAppHost app_host_;
  gui::QtDialogs dialogs_;
  gui::QtModalForms forms_;
  const HelpFiles* help_files_ = nullptr;
};

}  // namespace orvaltic::app
