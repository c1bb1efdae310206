#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/alarm/alarm_snooze_dialog.h"
#include "core/alarm/alarm_times.h"
#include "core/options/options.h"
#include "core/panels/panel_set.h"
#include "core/panels/popup_menu.h"
#include "core/platform/clock.h"
#include "core/platform/modal_forms.h"
#include "core/platform/sound.h"
#include "core/platform/timer.h"

namespace orvaltic {

// Played when the alarm's wave file name is empty: an empty name would stop the sound instead of
// sounding the alarm, while a name that is no file makes the sound service play its chime.
inline constexpr char kDefaultAlarmSound[] = "SystemDefault";

// The alarm and the snooze: their on/off switches (menu check, timer, indicators on every
// panel), the checks of Timer4 and Timer5, the actions when a time comes, the status overlays
// and the set dialog. A subject is on while its menu item is checked and its timer enabled.
class AlarmSnooze {
 public:
  struct Services {
    const Clock& clock;
    Dialogs& dialogs;
    Sound& sound;
    ModalForms& forms;
    Timer& timer4;  // the alarm check
    Timer& timer5;  // the snooze check
    const bool& power_on;
    // The radio's mute button: toggles the audio, nothing while the radio is off.
    std::function<void()> mute_btn_click;
  };

  AlarmSnooze(AlarmTimes& times, const Options& options, PanelSet& panels, PopupMenuModel& menu,
              Services services);
  AlarmSnooze(const AlarmSnooze&) = delete;
  AlarmSnooze& operator=(const AlarmSnooze&) = delete;

  // The set dialog for the alarm or the snooze time; only while the radio is on.
  void Set1Click();
  void Set2Click();
  // Switch the alarm or the snooze on or off; the panel buttons do the same.
  void Activate1Click();
  void Activate2Click();
  void AlarmBtnClick() { Activate1Click(); }
  void SnoozeBtnClick() { Activate2Click(); }
  // The checks, ten times a second while on.
  void Timer4Timer();
  void Timer5Timer();
  // The status overlays of panel `style`: one shows and hides the other; a click closes it.
  void AlarmDisplayLabelClick(int style);
  void SnoozeDisplayLabelClick(int style);
  void AlarmPanelClick(int style);
  void SnoozePanelClick(int style);

  bool AlarmOn() const;
  bool SnoozeOn() const;
  // The subject acted during the present run of matching ticks.
  bool AlarmFired() const { return alarm_watch_.fired; }
  bool SnoozeFired() const { return snooze_watch_.fired; }

  AlarmSnoozeDialog& dialog() { return dialog_; }

 private:
  // What a subject's checks remember from tick to tick.
  struct Watch {
    bool fired = false;
    // The wall minute (WallMinute) of the last tick, none before the first tick since the
    // subject was switched on.
    std::optional<std::int64_t> seen_minute;
    // The wall minute the subject last acted for: it never acts twice for one.
    std::optional<std::int64_t> acted_minute;
  };
  struct Subject;
  Subject Of(WakeUp which);
  void ShowDialog(WakeUp which);
  void Switch(WakeUp which);
  void ShowIndicator(const Subject& subject);
  // True when wall minute `minute` is the subject's stored time.
  bool Due(const Subject& subject, std::int64_t minute);
  void Check(WakeUp which);
  void Act(WakeUp which);
  void ShowStatus(WakeUp which, int style);
  void TimeStored(WakeUp which);

  AlarmTimes& times_;
  const Options& options_;
  PanelSet& panels_;
  PopupMenuModel& menu_;
  Services services_;
  AlarmSnoozeDialog dialog_;
  Watch alarm_watch_;
  Watch snooze_watch_;
  // The alarm's wave file is looping and must be stopped when the alarm is switched off.
  bool wave_looping_ = false;
};

}  // namespace orvaltic
