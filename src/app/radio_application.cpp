#include "app/radio_application.h"

#include <iostream>
#include <utility>

namespace orvaltic::app {

bool NoHelpViewer::WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) {
  if (command == kHelpContext) {
    std::cerr << "orvaltic: no help viewer for topic " << data << " of " << help_file << '\n';
  }
  return false;
}

RadioApplication::RadioApplication(IoPort& card, std::string working_folder)
    : dialogs_([this](int context) {
        help_.WinHelp(controller_.HelpFileNames().ApplicationHelpFile(), kHelpContext,
                      static_cast<std::uint32_t>(context));
      }),
      controller_(Platform{card, timers_, clock_, dialogs_, sound_, help_, app_host_, forms_},
                  std::move(working_folder)),
      main_panel_(controller_.Panels().Main(), controller_.Menu(), controller_.Events()),
      options_form_(controller_.OptionsForm(), controller_.Dispatcher()) {
  controller_.FormCreate();
  forms_.Register(ModalForm::kOptionsForm, options_form_);
  controller_.Dispatcher().SetAfterEvent([this] { main_panel_.Render(); });
}

void RadioApplication::ReadSettingsFiles() {
  controller_.ReadSettingsFiles();
  main_panel_.Render();
}

void RadioApplication::ShowMainPanel() {
  main_panel_.show();
}

void RadioApplication::RequestClose() {
  if (closing_) {
    return;
  }
  closing_ = true;
  controller_.Dispatcher().Run([this] { controller_.CloseRadio(); });
  closing_ = false;
}

}  // namespace orvaltic::app
