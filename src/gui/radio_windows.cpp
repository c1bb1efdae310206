#include "gui/radio_windows.h"

#include <utility>

#include "gui/platform/qt_modal_forms.h"

namespace orvaltic::gui {

RadioWindows::RadioWindows(const Platform& platform, std::string working_folder)
    : controller_(platform, std::move(working_folder)),
      main_panel_(controller_.panels().Main(), controller_.menu(), controller_.events()),
      options_form_(controller_.options_form(), controller_.dispatcher()),
      alarm_snooze_form_(controller_.alarm_snooze().dialog(), controller_.dispatcher()),
      preset_form_(controller_.preset_form(), controller_.dispatcher()) {
  controller_.life_cycle().FormCreate();
  controller_.dispatcher().SetAfterEvent([this] { main_panel_.Render(); });
}

void RadioWindows::RegisterForms(QtModalForms& forms) {
  forms.Register(ModalForm::kOptionsForm, options_form_);
  forms.Register(ModalForm::kAlarmSnoozeFrm, alarm_snooze_form_);
  forms.Register(ModalForm::kPresetForm, preset_form_);
}

void RadioWindows::ReadSettingsFiles() {
  controller_.life_cycle().ReadSettingsFiles();
  main_panel_.Render();
}

void RadioWindows::ShowMainPanel() {
  main_panel_.show();
}

void RadioWindows::RequestClose() {
  if (closing_) {
    return;
  }
  closing_ = true;
  controller_.dispatcher().Run([this] { controller_.life_cycle().CloseRadio(); });
  closing_ = false;
}

}  // namespace orvaltic::gui
