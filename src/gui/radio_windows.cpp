#include "gui/radio_windows.h"

#include <utility>

#include "core/panels/style_layout.h"
#include "gui/platform/qt_modal_forms.h"

namespace orvaltic::gui {

namespace {

// The style panels are created right after the main panel, in the order 2 to 7, hidden.
std::array<std::unique_ptr<PanelWindow>, kPanelCount - 1> MakeStylePanels(
    RadioController& controller) {
  std::array<std::unique_ptr<PanelWindow>, kPanelCount - 1> panels;
  for (int style = 2; style <= kPanelCount; ++style) {
    panels.at(static_cast<std::size_t>(style - 2)) =
        std::make_unique<PanelWindow>(StyleLayout(style), controller.panels().Style(style),
                                      controller.menu(), controller.events());
  }
  return panels;
}

}  // namespace

RadioWindows::RadioWindows(const Platform& platform, std::string working_folder)
    : controller_(platform, std::move(working_folder)),
      main_panel_(controller_.panels().Main(), controller_.menu(), controller_.events()),
      style_panels_(MakeStylePanels(controller_)),
      options_form_(controller_.options_form(), controller_.dispatcher()),
      alarm_snooze_form_(controller_.alarm_snooze().dialog(), controller_.dispatcher()),
      preset_form_(controller_.preset_form(), controller_.dispatcher()),
      sched_form_(controller_.program_schedule().editor(), controller_.dispatcher()),
      sched_list_form_(controller_.program_schedule().list(), controller_.dispatcher()) {
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
    if (sched_list_form_.isVisible()) {
      sched_list_form_.Render();
    }
    if (after_render_) {
      after_render_();
    }
  });
}

void RadioWindows::RegisterForms(QtModalForms& forms) {
  forms.Register(ModalForm::kOptionsForm, options_form_);
  forms.Register(ModalForm::kAlarmSnoozeFrm, alarm_snooze_form_);
  forms.Register(ModalForm::kPresetForm, preset_form_);
  forms.Register(ModalForm::kSchedForm, sched_form_);
  forms.Register(ModalForm::kSchedListForm, sched_list_form_);
  forms.Register(ModalForm::kAbtForm, abt_form_);
}

void RadioWindows::ReadSettingsFiles() {
  controller_.life_cycle().ReadSettingsFiles();
  RenderPanels();
  if (after_render_) {
    after_render_();
  }
}

PanelWindow* RadioWindows::style_panel(int style) const {
  if (style < 2 || style > kPanelCount) {
    return nullptr;
  }
  return style_panels_.at(static_cast<std::size_t>(style - 2)).get();
}

void RadioWindows::RenderPanels() {
  main_panel_.Render();
  for (const auto& panel : style_panels_) {
    panel->Render();
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
  if (closing_) {
    return;
  }
  closing_ = true;
  controller_.dispatcher().Run([this] { controller_.life_cycle().CloseRadio(); });
  closing_ = false;
}

}  // namespace orvaltic::gui
