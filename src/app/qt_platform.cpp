#include "app/qt_platform.h"

#include <iostream>

namespace orvaltic::app {

bool NoHelpViewer::WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) {
  if (command == kHelpContext) {
    std::cerr << "orvaltic: no help viewer for topic " << data << " of " << help_file << '\n';
  }
  return false;
}

QtPlatform::QtPlatform(IoPort& card)
    : card_(card), dialogs_([this](int context) {
        help_.WinHelp(help_files_ != nullptr ? help_files_->ApplicationHelpFile() : std::string(),
                      kHelpContext, static_cast<std::uint32_t>(context));
      }) {}

Platform QtPlatform::platform() {
  return {card_, timers_, clock_, dialogs_, sound_, help_, app_host_, forms_};
}

}  // namespace orvaltic::app
