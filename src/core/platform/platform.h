#pragma once

#include "core/platform/app_host.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/help.h"
#include "core/platform/io_port.h"
#include "core/platform/modal_forms.h"
#include "core/platform/sound.h"
#include "core/platform/timer.h"

namespace orvaltic {

// Everything the radio reaches outside itself. The program fills it with the Qt services and
// the card backend; tests and benchmarks with the fakes of tests/support.
struct Platform {
  IoPort& port;
  TimerHost& timers;
  Clock& clock;
  Dialogs& dialogs;
  Sound& sound;
  Help& help;
  AppHost& app;
  ModalForms& forms;
};

}  // namespace orvaltic
