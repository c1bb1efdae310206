#pragma once

#include "core/platform/platform.h"
#include "support/fakes.h"
#include "support/manual_timer_host.h"
#include "support/recording_app_host.h"
#include "support/recording_port.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_forms.h"

namespace orvaltic::testing {

// One of each fake service, for a radio built by a test or a benchmark. The scripted dialogs and
// forms report what nobody scripted through GoogleTest; outside a test that is a printed
// failure, so a benchmark checks AllAnswered() itself.
struct FakePlatform {
  Platform platform() { return platform(port, forms); }
  // The fakes around another port or other modal forms: a benchmark's counting port, or the
  // real Qt dialogs behind the Qt modal forms.
  Platform platform(IoPort& card, ModalForms& modal_forms) {
    return {card, timers, clock, dialogs, sound, help, app, modal_forms};
  }

  RecordingPort port;
  ManualTimerHost timers;
  FixedClock clock;
  ScriptedDialogs dialogs;
  RecordingSound sound;
  RecordingHelp help;
  RecordingAppHost app;
  ScriptedForms forms;
};

}  // namespace orvaltic::testing
