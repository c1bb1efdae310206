#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/controller/radio_controller.h"
#include "core/platform/platform.h"
#include "gui/about/abt_form.h"
#include "gui/alarm/alarm_snooze_form.h"
#include "gui/options/options_form.h"
#include "gui/panels/main_panel_window.h"
#include "gui/panels/panel_window.h"
#include "gui/presets/preset_form.h"
#include "gui/schedule/sched_form.h"
#include "gui/schedule/sched_list_form.h"

namespace orvaltic::gui {

class QtModalForms;

// A dialog made when it is first opened or asked for, then kept: start-up pays for none of
// them.
template <typename Form>
class LazyForm {
 public:
  explicit LazyForm(std::function<std::unique_ptr<Form>()> make) : make_(std::move(make)) {}
  Form& Get() {
    if (form_ == nullptr) {
      form_ = make_();
    }
    return *form_;
  }
  // The dialog if it was made, else null.
  Form* IfMade() const { return form_.get(); }

 private:
  std::function<std::unique_ptr<Form>()> make_;
  std::unique_ptr<Form> form_;
};

// The radio as the user sees it: the controller on a platform and the windows that show it,
// created once and wired so that every event re-renders them. The program builds it on the Qt
// services, the GUI tests and the benchmarks on the fake platform.
class RadioWindows {
 public:
  // Creates the controller, then the windows, the main panel first (the creation blacks out the
  // display). Settings files are taken from `working_folder` ("" = the working directory).
  explicit RadioWindows(const Platform& platform, std::string working_folder = "");
  RadioWindows(const RadioWindows&) = delete;
  RadioWindows& operator=(const RadioWindows&) = delete;

  // Lets the Qt modal forms show the dialogs created here. Scripted forms play the dialogs
  // themselves and need nothing.
  void RegisterForms(QtModalForms& forms);

  // The presets file, then the options file (with their boxes when missing), then every panel
  // to the stored position.
  void ReadSettingsFiles();
  // The start-up switches, as the user gave them (Qt's own arguments taken out). After an
  // outcome other than kApplied, or a close run by a second /O, the host has been asked to
  // end the program and no panel is to be shown.
  CommandLineOutcome ProcessCommandLine(const std::vector<std::string>& parameters);
  // Shows the main panel (with the command line's frequency the first time); its first paint,
  // in the event loop, does the rest of the start-up.
  void ShowMainPanel();
  // The close sequence as a window's close runs it: with the radio on, the presets file is
  // saved and the user asked whether to keep the radio playing. A request while any close is
  // being handled (its question still open) is ignored.
  void RequestClose();
  // Runs after the panels were rendered for an event, whatever caused it (the remote control
  // signals its changes from here).
  void SetAfterRender(std::function<void()> hook) { after_render_ = std::move(hook); }

  RadioController& controller() { return controller_; }
  TMainFrmRadio& main_panel() { return main_panel_; }
  // The window of style `style` (2..7), `FormStyle2` .. `FormStyle7`, made now if it was not
  // shown yet; null for any other style.
  PanelWindow* style_panel(int style);
  TOptionsForm& options_form() { return options_form_.Get(); }
  TAlarmSnoozeFrm& alarm_snooze_form() { return alarm_snooze_form_.Get(); }
  TPresetForm& preset_form() { return preset_form_.Get(); }
  TSchedForm& sched_form() { return sched_form_.Get(); }
  TSchedListForm& sched_list_form() { return sched_list_form_.Get(); }
  TAbtForm& abt_form() { return abt_form_.Get(); }

 private:
  RadioController controller_;
  TMainFrmRadio main_panel_;
  // Styles 2 to 7, each following its surface: shown, hidden and placed as the controller says.
  // Each is made when it is first shown or asked for, so that start-up pays for the main panel
  // only.
  std::array<std::unique_ptr<PanelWindow>, kPanelCount - 1> style_panels_;
  // The dialogs, each bound to the logic it shows.
  LazyForm<TOptionsForm> options_form_{[this] {
    return std::make_unique<TOptionsForm>(controller_.options_form(), controller_.dispatcher());
  }};
  LazyForm<TAlarmSnoozeFrm> alarm_snooze_form_{[this] {
    return std::make_unique<TAlarmSnoozeFrm>(controller_.alarm_snooze().dialog(),
                                             controller_.dispatcher());
  }};
  LazyForm<TPresetForm> preset_form_{[this] {
    return std::make_unique<TPresetForm>(controller_.preset_form(), controller_.dispatcher());
  }};
  LazyForm<TSchedForm> sched_form_{[this] {
    return std::make_unique<TSchedForm>(controller_.program_schedule().editor(),
                                        controller_.dispatcher());
  }};
  LazyForm<TSchedListForm> sched_list_form_{[this] {
    return std::make_unique<TSchedListForm>(controller_.program_schedule().list(),
                                            controller_.dispatcher());
  }};
  LazyForm<TAbtForm> abt_form_{[] { return std::make_unique<TAbtForm>(); }};
  std::function<void()> after_render_;

  void RenderPanels();
};

}  // namespace orvaltic::gui
