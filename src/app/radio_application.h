#pragma once

#include <string>

#include "app/qt_platform.h"
#include "core/platform/io_port.h"
#include "gui/radio_windows.h"

namespace orvaltic::app {

// The running radio inside a QApplication: the radio's windows on the Qt platform services and
// the card's port, with the dialogs shown through the Qt modal forms.
class RadioApplication {
 public:
  // Settings files are taken from `working_folder` ("" = the working directory).
  explicit RadioApplication(IoPort& card, std::string working_folder = "");
  RadioApplication(const RadioApplication&) = delete;
  RadioApplication& operator=(const RadioApplication&) = delete;
  // Every way out of the program passes here: the help window it opened is closed.
  ~RadioApplication();

  gui::RadioWindows& windows() { return windows_; }
  bool TerminateRequested() const { return services_.TerminateRequested(); }
  gui::HelpViewer& help() { return services_.help(); }

 private:
  QtPlatform services_;
  gui::RadioWindows windows_;
};

}  // namespace orvaltic::app
