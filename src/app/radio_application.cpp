#include "app/radio_application.h"

#include <utility>

namespace orvaltic::app {

RadioApplication::RadioApplication(IoPort& card, std::string working_folder)
    : services_(card), windows_(services_.platform(), std::move(working_folder)) {
  services_.SetHelpFiles(windows_.controller().help_files());
  windows_.RegisterForms(services_.forms());
}

RadioApplication::~RadioApplication() {
  windows_.controller().help().HelpQuit();
}

}  // namespace orvaltic::app
