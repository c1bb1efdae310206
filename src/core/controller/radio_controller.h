#pragma once

#include <array>
#include <iostream>
#include <memory>
#include <string>

#include "core/alarm/alarm_snooze.h"
#include "core/alarm/alarm_times.h"
#include "core/controller/command_line.h"
#include "core/controller/life_cycle.h"
#include "core/controller/panel_router.h"
#include "core/controller/radio_power.h"
#include "core/controller/settings_files.h"
#include "core/options/options.h"
#include "core/options/options_dialog.h"
#include "core/panels/border_toggle.h"
#include "core/panels/display_look.h"
#include "core/panels/display_settings.h"
#include "core/panels/help_requests.h"
#include "core/panels/panel_actions.h"
#include "core/panels/panel_events.h"
#include "core/panels/panel_set.h"
#include "core/panels/popup_menu.h"
#include "core/panels/style5_drawers.h"
#include "core/panels/style_switcher.h"
#include "core/platform/dispatcher.h"
#include "core/platform/help.h"
#include "core/platform/platform.h"
#include "core/platform/posted_boxes.h"
#include "core/platform/timer.h"
#include "core/presets/preset_buttons.h"
#include "core/presets/preset_editor.h"
#include "core/presets/preset_store.h"
#include "core/radio/radio_card.h"
#include "core/radio/tuner.h"
#include "core/schedule/program_schedule.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

inline constexpr char kApplicationHelpFile[] = "C:\\Orvaltic\\Orvaltic.HLP";

// The radio as one object: it creates the program-wide state, the seven panel surfaces, the
// popup menu, the seven timers and the card, and the subsystems that own the handlers; it hands
// each subsystem what it needs, wires the timers to their owners and routes the windows' events.
// The Qt windows only render the surfaces and the menu and report their events to events(),
// which runs the handlers through dispatcher().
class RadioController {
 public:
  // Settings files are read and written in `working_folder` ("" = the working directory);
  // `settings_report` is told when a save keeps a file that was not read completely.
  explicit RadioController(const Platform& platform, std::string working_folder = "",
                           std::ostream& settings_report = std::cerr);
  RadioController(const RadioController&) = delete;
  RadioController& operator=(const RadioController&) = delete;
  ~RadioController();

  // Runs the handler of a panel control's action, reported by panel `style`.
  void Perform(const ControlAction& action, int style);
  // Shows the options dialog modally.
  void Options1Click();
  // Shows the preset editor modally.
  void Presets1Click();

  // The subsystems.
  LifeCycle& life_cycle() { return life_cycle_; }
  // The start-up switches and the frequency they leave on the display.
  CommandLine& command_line() { return command_line_; }
  RadioPower& power() { return power_; }
  PresetButtons& preset_buttons() { return preset_buttons_; }
  Tuner& tuner() { return tuner_; }
  SettingsFiles& settings_files() { return settings_files_; }
  DisplayLook& display_look() { return display_look_; }
  // The window border of the seven panels.
  BorderToggle& border_toggle() { return border_toggle_; }
  // Which panel is shown, and where all seven stand.
  StyleSwitcher& style_switcher() { return style_switcher_; }
  // Style 5's two drawers.
  Style5Drawers& style5_drawers() { return style5_drawers_; }
  // The alarm and the snooze with their set dialog's logic.
  AlarmSnooze& alarm_snooze() { return alarm_snooze_; }
  // The scheduled programs at work, with their editor's and status window's logic.
  ProgramSchedule& program_schedule() { return program_schedule_; }
  // The options dialog's logic, created with the windows and reused.
  OptionsDialog& options_form() { return options_form_; }
  // The preset editor's logic, likewise.
  PresetEditor& preset_form() { return preset_form_; }
  // Help topics and the about box.
  HelpRequests& help() { return help_; }

  // The program-wide state.
  bool PowerOn() const { return power_.PowerOn(); }
  PanelSet& panels() { return panels_; }
  const PanelSet& panels() const { return panels_; }
  PopupMenuModel& menu() { return menu_; }
  const PopupMenuModel& menu() const { return menu_; }
  Options& options() { return options_; }
  PresetStore& presets() { return presets_; }
  DisplaySettings& display() { return display_; }
  AlarmTimes& alarm() { return alarm_; }
  SchedPrograms& schedule() { return schedule_; }
  std::string& CurrentFreqText() { return current_freq_text_; }
  RadioCard& card() { return card_; }
  EventDispatcher& dispatcher() { return dispatcher_; }
  HelpFiles& help_files() { return help_files_; }
  // Where the windows report clicks, mouse moves, menu choices, close requests, activations
  // and paints.
  PanelEvents& events() { return router_; }
  // Timer1 .. Timer7.
  Timer& TimerN(int n);
  // Where timers of the radio's own helpers come from (the remote control's volume steps).
  TimerHost& timers() { return platform_.timers; }

 private:
  Platform platform_;
  EventDispatcher dispatcher_;
  HelpFiles help_files_;

  Options options_;
  PresetStore presets_;
  DisplaySettings display_;
  AlarmTimes alarm_;
  SchedPrograms schedule_;
  std::string current_freq_text_ = "107.900";

  PanelSet panels_;
  PopupMenuModel menu_;
  std::array<std::unique_ptr<Timer>, 7> timers_;
  // The boxes raised by the timers' ticks open from a timer of their own.
  std::unique_ptr<Timer> box_timer_;
  PostedBoxes posted_boxes_;
  // Writes to options_.CardPort as it stands at each write.
  RadioCard card_;

  SettingsFiles settings_files_;
  OptionsDialog options_form_;
  PresetEditor preset_form_;
  DisplayLook display_look_;
  BorderToggle border_toggle_;
  Style5Drawers style5_drawers_;
  StyleSwitcher style_switcher_;
  // Before the subsystems that read PowerOn.
  RadioPower power_;
  PresetButtons preset_buttons_;
  Tuner tuner_;
  AlarmSnooze alarm_snooze_;
  ProgramSchedule program_schedule_;
  LifeCycle life_cycle_;
  CommandLine command_line_;
  HelpRequests help_;
  PanelRouter router_;
};

}  // namespace orvaltic
