#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/alarm/alarm_times.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"

namespace orvaltic {

// The two wake-up times the dialog sets; its caption names the one it serves.
enum class WakeUp { kAlarm, kSnooze };

// The form of the clock texts the stored times are written in and compared with. They are
// independent of the user's regional settings, so that a stored time keeps matching the clock
// whatever the settings are.
inline constexpr char kDateTimePattern[] = "mm/dd/yyyy hh:nn:ss AMPM";
inline constexpr char kTimePattern[] = "hh:nn:ss AMPM";

// A spin edit's bounds and the most characters it takes; a range of {0, 0} has no bounds.
struct SpinEditRange {
  int min = 0;
  int max = 0;
  int max_length = 0;
};
inline constexpr SpinEditRange kMonthRange{1, 12, 2};
inline constexpr SpinEditRange kDayRange{1, 31, 2};
inline constexpr SpinEditRange kYearRange{0, 0, 4};
inline constexpr SpinEditRange kHoursRange{0, 12, 2};
inline constexpr SpinEditRange kMinutesRange{0, 59, 2};
inline constexpr std::array<std::string_view, 2> kAMPMItems = {"AM", "PM"};

// OK refuses a time or a date that the clock can never show.
inline constexpr char kAlarmTimeFormatMessage[] = "Format of time is incorrect.";
inline constexpr char kAlarmDateFormatMessage[] = "Format of date is incorrect.";

// A single digit "0" to "9" becomes "00" to "09"; any other text stays as it is. Applied to a
// field once the user has left it, never while typing: the second digit must still fit.
std::string TwoDigitText(std::string_view text);

// What the alarm/snooze dialog's controls show. The Qt dialog copies the user's input in before
// a handler runs and renders it after.
struct AlarmSnoozeDialogControls {
  std::string Caption = "Alarm";
  std::string AlarmSnoozeGroupBox = "Adjust date/time for alarm";
  std::string MonthSpinEdit;
  std::string DaySpinEdit;
  std::string YearSpinEdit;
  std::string HoursSpinEdit;
  std::string MinutesSpinEdit;
  std::string AMPMComboBox = "AM";
  bool IncludeDateCheckBox = false;
  // Month, day and year are enabled together.
  bool DateSpinEditsEnabled = false;
  // The control a handler moved the keyboard focus to; the view moves it and clears this.
  std::string focus;

  friend bool operator==(const AlarmSnoozeDialogControls&,
                         const AlarmSnoozeDialogControls&) = default;
};

// The logic of TAlarmSnoozeFrm, one dialog for both wake-up times. Created once and reused: the
// include-date box and the date fields' enabled state stay as they were left.
class AlarmSnoozeDialog {
 public:
  // `stored` is told which time OK has just stored.
  AlarmSnoozeDialog(AlarmTimes& times, const Clock& clock, Dialogs& dialogs,
                    std::function<void(WakeUp)> stored);

  AlarmSnoozeDialogControls& controls() { return controls_; }
  const AlarmSnoozeDialogControls& controls() const { return controls_; }
  // True once OK or Cancel was pressed; the view then closes the dialog.
  bool closed() const { return closed_; }

  // Sets the caption and the group box for `subject`, as the menu's Set items do.
  void SetSubject(WakeUp subject);
  // The subject the caption names: anything but "Alarm" is the snooze.
  WakeUp Subject() const;

  // Fills the fields with the present moment; the dialog is open from here on.
  void FormActivate();
  // The user left a field: a single digit gets its leading zero.
  void MonthSpinEditExit();
  void DaySpinEditExit();
  void YearSpinEditExit();
  void HoursSpinEditExit();
  void MinutesSpinEditExit();
  // Enables the date fields with the box. The subject's include-date flag follows the box only
  // with OK, so that the flag always describes the stored time.
  void IncludeDateCheckBoxClick();
  // Stores the fields as shown, each single digit with its leading zero (Enter takes OK while
  // the caret is still in a field) and AM or PM in capitals: 22 characters with the date, 11
  // without. A time or a date the clock can never show (hour 00, 30 February, a year of fewer
  // than four digits, ...) is refused with a box, its field gets the focus and the dialog stays
  // open.
  void OKBtnClick();
  // Changes nothing.
  void CancelBtnClick();

 private:
  AlarmTimes& times_;
  const Clock& clock_;
  Dialogs& dialogs_;
  std::function<void(WakeUp)> stored_;
  AlarmSnoozeDialogControls controls_;
  bool closed_ = false;
};

}  // namespace orvaltic
