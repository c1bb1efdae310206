#include "app/qt_platform.h"

namespace orvaltic::app {

QtPlatform::QtPlatform(IoPort& card)
    : card_(card), dialogs_([this](int context) {
        help_.WinHelp(help_files_ != nullptr ? help_files_->ApplicationHelpFile() : std::string(),
                      kHelpContext, static_cast<std::uint32_t>(context));
      }) {}

Platform QtPlatform::platform() {
  return {card_, timers_, clock_, dialogs_, sound_, help_, app_host_, forms_};
}

}  // namespace orvaltic::app
