#pragma once

#include "core/platform/app_host.h"

namespace orvaltic::testing {

// Counts what the controller asked of the application.
class RecordingAppHost : public AppHost {
 public:
  void Terminate() override { ++terminations; }
  void MinimizeApplication() override { ++minimizations; }

  int terminations = 0;
  int minimizations = 0;
};

}  // namespace orvaltic::testing
