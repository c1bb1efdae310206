#include "core/alarm/alarm_snooze_dialog.h"

#include <utility>

namespace orvaltic {

std::string TwoDigitText(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
    return "0" + std::string(text);
  }
  return std::string(text);
}

AlarmSnoozeDialog::AlarmSnoozeDialog(AlarmTimes& times, const Clock& clock,
                                     std::function<void(WakeUp)> stored)
    : times_(times), clock_(clock), stored_(std::move(stored)) {}

void AlarmSnoozeDialog::SetSubject(WakeUp subject) {
  const bool alarm = subject == WakeUp::kAlarm;
  controls_.Caption = alarm ? "Alarm" : "Snooze";
  controls_.AlarmSnoozeGroupBox =
      alarm ? "Adjust date/time for alarm" : "Adjust date/time for snooze";
}

WakeUp AlarmSnoozeDialog::Subject() const {
  return controls_.Caption == "Alarm" ? WakeUp::kAlarm : WakeUp::kSnooze;
}

void AlarmSnoozeDialog::FormActivate() {
  closed_ = false;
  // The fixed form, so that the character positions and the AM/PM text fit whatever the
  // user's regional settings are.
  const std::string now = FormatDateTime(kDateTimePattern, clock_.Now(), DateLocale::English());
  controls_.MonthSpinEdit = now.substr(0, 2);
  controls_.DaySpinEdit = now.substr(3, 2);
  controls_.YearSpinEdit = now.substr(6, 4);
  controls_.HoursSpinEdit = now.substr(11, 2);
  controls_.MinutesSpinEdit = now.substr(14, 2);
  controls_.AMPMComboBox = now.substr(20, 2);
}

void AlarmSnoozeDialog::MonthSpinEditExit() {
  controls_.MonthSpinEdit = TwoDigitText(controls_.MonthSpinEdit);
}

void AlarmSnoozeDialog::DaySpinEditExit() {
  controls_.DaySpinEdit = TwoDigitText(controls_.DaySpinEdit);
}

void AlarmSnoozeDialog::YearSpinEditExit() {
  controls_.YearSpinEdit = TwoDigitText(controls_.YearSpinEdit);
}

void AlarmSnoozeDialog::HoursSpinEditExit() {
  controls_.HoursSpinEdit = TwoDigitText(controls_.HoursSpinEdit);
}

void AlarmSnoozeDialog::MinutesSpinEditExit() {
  controls_.MinutesSpinEdit = TwoDigitText(controls_.MinutesSpinEdit);
}

void AlarmSnoozeDialog::IncludeDateCheckBoxClick() {
  controls_.DateSpinEditsEnabled = controls_.IncludeDateCheckBox;
}

void AlarmSnoozeDialog::OKBtnClick() {
  MonthSpinEditExit();
  DaySpinEditExit();
  YearSpinEditExit();
  HoursSpinEditExit();
  MinutesSpinEditExit();
  const AlarmSnoozeDialogControls& c = controls_;
  std::string time = c.HoursSpinEdit + ":" + c.MinutesSpinEdit + ":00 " + c.AMPMComboBox;
  if (c.IncludeDateCheckBox) {
    time = c.MonthSpinEdit + "/" + c.DaySpinEdit + "/" + c.YearSpinEdit + " " + time;
  }
  const WakeUp subject = Subject();
  if (subject == WakeUp::kAlarm) {
    times_.AlarmIncludesDate = c.IncludeDateCheckBox;
    times_.AlarmTime = std::move(time);
  } else {
    times_.SnoozeIncludesDate = c.IncludeDateCheckBox;
    times_.SnoozeTime = std::move(time);
  }
  closed_ = true;
  if (stored_) {
    stored_(subject);
  }
}

void AlarmSnoozeDialog::CancelBtnClick() {
  closed_ = true;
}

}  // namespace orvaltic
