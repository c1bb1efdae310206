#pragma once

#include "core/platform/app_host.h"

namespace orvaltic::gui {

// The application around the controller, in Qt.
class QtAppHost : public AppHost {
 public:
  // Leaves every event loop once the current event is done, modal ones included, without the
  // close events that QApplication::quit would send first (those would run the close sequence
  // a second time). Asked before the event loop runs, the loop ends as soon as it starts.
  void Terminate() override;
  // Minimises every shown top-level window; hidden panels stay hidden.
  void MinimizeApplication() override;

  bool TerminateRequested() const { return terminate_requested_; }

 private:
  bool terminate_requested_ = false;
};

}  // namespace orvaltic::gui
