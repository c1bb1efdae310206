#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/panels/panel_set.h"
#include "core/panels/popup_menu.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/help.h"
#include "core/platform/modal_forms.h"
#include "core/platform/posted_boxes.h"
#include "core/platform/timer.h"
#include "core/presets/preset_store.h"
#include "core/schedule/sched_editor.h"
#include "core/schedule/sched_list.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

// The clock texts a program is matched against. They are always in this fixed English form,
// which the editor stores, so that regional settings cannot keep a program from running.
inline constexpr char kScheduleLongPattern[] = "mm/dd/yy dddd hh:nn AMPM";
inline constexpr char kScheduleDayPattern[] = "dddd";
inline constexpr char kScheduleTimePattern[] = "hh:nn AMPM";

// The three clock texts of one moment that a program is matched against.
struct ScheduleClockTexts {
  std::string long_text;  // kScheduleLongPattern
  std::string day;        // kScheduleDayPattern
  std::string time;       // kScheduleTimePattern

  static ScheduleClockTexts At(const DateTime& time);
};

// Whether a program's date or day keyword names the day of the clock texts `now_long` and
// `now_day` (in the fixed form). An empty key never matches.
bool ScheduleDayMatches(const std::string& date_day, const std::string& now_long,
                        const std::string& now_day);

// The five scheduled programs at work: the switch (menu Schedule > Activate, its check mark
// and Timer6), the step on every tick that begins and ends the programs, the program
// indicator ProgLabel on every panel, the editor and the status window.
class ProgramSchedule {
 public:
  struct Services {
    const Clock& clock;
    Dialogs& dialogs;
    // Where the step's own box goes: shown inside the tick, it would stop the schedule.
    PostedBoxes& boxes;
    Help& help;
    HelpFiles& help_files;
    ModalForms& forms;
    Timer& timer6;  // the schedule step
    Timer& timer7;  // the status window's clock
    const bool& power_on;
    // The radio's mute button: toggles the audio, nothing while the radio is off.
    std::function<void()> mute_btn_click;
    // Tunes a frequency given as text (AccessPreset).
    std::function<void(const std::string&)> access_preset;
  };

  ProgramSchedule(SchedPrograms& programs, const PresetStore& presets, PanelSet& panels,
                  PopupMenuModel& menu, Services services);
  ProgramSchedule(const ProgramSchedule&) = delete;
  ProgramSchedule& operator=(const ProgramSchedule&) = delete;

  // Shows the editor modally.
  void Set3Click();
  // Switches the schedule on or off, whatever the radio's state. Off leaves the radio's tuning
  // and audio as they are, even while a program runs.
  void Activate3Click();
  // The schedule step, ten times a second while on.
  void Timer6Timer();
  // Shows the status window modally.
  void ProgLabelClick();

  bool ScheduleOn() const;
  // The program examined on the next tick; it stays on a running program until that ends.
  int CurrentProgram() const { return current_program_; }
  bool ProgramRunning() const { return program_running_; }
  // Where a program's begin stores the frequency it tunes, when set (the command line's
  // CmdLineFreqText).
  void SetTunedTextTarget(std::string* target) { tuned_text_ = target; }

  SchedEditor& editor() { return editor_; }
  SchedList& list() { return list_; }

 private:
  static std::size_t Index(int k) { return static_cast<std::size_t>(k - 1); }
  // Program k begins at wall minute `minute`, whose clock texts are `texts`.
  bool Begins(int k, const ScheduleClockTexts& texts, std::int64_t minute) const;
  // Goes through the wall minutes from `from` to before `to`, which no tick saw.
  void CatchUp(std::int64_t from, std::int64_t to);
  void Begin(int k);
  void End();
  void NextProgram();
  // "P" + suffix on the main panel and styles 2 to 6, `style7` on style 7.
  void ShowIndicator(const std::string& suffix, const std::string& style7);

  SchedPrograms& programs_;
  const PresetStore& presets_;
  PanelSet& panels_;
  PopupMenuModel& menu_;
  Services services_;
  SchedEditor editor_;
  SchedList list_;
  std::string* tuned_text_ = nullptr;

  int current_program_ = 1;
  bool program_running_ = false;
  // The wall minute (WallMinute) of the last tick; none before the first tick since the switch.
  std::optional<std::int64_t> seen_minute_;
  // The wall minute each program last began in.
  std::array<std::optional<std::int64_t>, kSchedProgramCount> began_minute_{};
};

}  // namespace orvaltic
