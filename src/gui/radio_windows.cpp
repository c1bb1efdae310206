#include "gui/radio_windows.h"

#include <utility>

#include "core/panels/style_layout.h"
#include "gui/platform/qt_modal_forms.h"

namespace orvaltic::gui {

RadioWindows::RadioWindows(const Platform& platform, std::string working_folder)
    : controller_(platform, std::move(working_folder)),
      main_panel_(controller_.panels().Main(), controller_.menu(), controller_.events()) {
  controller_.life_cycle().FormCreate();
  // A sliding drawer is drawn at every step, before the handler goes on.
  controller_.style5_drawers().SetRepaint([this] {
    PanelWindow& style5 = *style_panel(5);
    style5.Render();
    style5.repaint();
  });
  controller_.dispatcher().SetAfterEvent([this] {
    RenderPanels();
    // The status window follows the schedule's ticks and its own clock while it is shown.
    if (TSchedListForm* status = sched_list_form_.IfMade(); status && status->isVisible()) {
      status->Render();
    }
    if (after_render_) {
      after_render_();
    }
  });
}

void RadioWindows::RegisterForms(QtModalForms& forms) {
  forms.Register(ModalForm::kOptionsForm, [this]() -> QDialog& { return options_form(); });
  forms.Register(ModalForm::kAlarmSnoozeFrm, [this]() -> QDialog& { return alarm_snooze_form(); });
  forms.Register(ModalForm::kPresetForm, [this]() -> QDialog& { return preset_form(); });
  forms.Register(ModalForm::kSchedForm, [this]() -> QDialog& { return sched_form(); });
  forms.Register(ModalForm::kSchedListForm, [this]() -> QDialog& { return sched_list_form(); });
  forms.Register(ModalForm::kAbtForm, [this]() -> QDialog& { return abt_form(); });
}

void RadioWindows::ReadSettingsFiles() {
  controller_.life_cycle().ReadSettingsFiles();
  RenderPanels();
  if (after_render_) {
    after_render_();
  }
}

PanelWindow* RadioWindows::style_panel(int style) {
  if (style < 2 || style > kPanelCount) {
    return nullptr;
  }
  std::unique_ptr<PanelWindow>& panel = style_panels_.at(static_cast<std::size_t>(style - 2));
  if (panel == nullptr) {
    panel = std::make_unique<PanelWindow>(StyleLayout(style), controller_.panels().Style(style),
                                          controller_.menu(), controller_.events());
  }
  return panel.get();
}

void RadioWindows::RenderPanels() {
  main_panel_.Render();
  for (int style = 2; style <= kPanelCount; ++style) {
    // A style's window is made when it is first shown: all it shows is in its surface, which
    // every handler has kept up to date since the start.
    if (style_panels_.at(static_cast<std::size_t>(style - 2)) != nullptr ||
        controller_.panels().Style(style).visible) {
      style_panel(style)->Render();
    }
  }
}

CommandLineOutcome RadioWindows::ProcessCommandLine(const std::vector<std::string>& parameters) {
  // A handler's error (a save that fails in a close run by /O /O) is shown and the remaining
  // switches are not applied; start-up goes on.
  CommandLineOutcome outcome = CommandLineOutcome::kApplied;
  controller_.dispatcher().Run(
      [&] { outcome = controller_.command_line().ProcessCommandLine(parameters); });
  return outcome;
}

void RadioWindows::ShowMainPanel() {
  controller_.dispatcher().Run([this] { controller_.command_line().FormShow(); });
  main_panel_.show();
}

void RadioWindows::RequestClose() {
  controller_.dispatcher().Run([this] { controller_.life_cycle().CloseRadio(); });
}

}  // namespace orvaltic::gui
