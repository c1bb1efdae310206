#include "core/alarm/alarm_snooze_dialog.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace orvaltic {

std::string TwoDigitText(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
    return "0" + std::string(text);
  }
  return std::string(text);
}

namespace {

// The value of a text of exactly `digits` decimal digits, or -1.
int Digits(std::string_view text, std::size_t digits) {
  if (text.size() != digits) {
    return -1;
  }
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return -1;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

int DaysInMonth(int year, int month) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// "am", " Pm " and the like mean the clock's marker; anything else stays as typed.
std::string MarkerText(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos || last - first != 1) {
    return text;
  }
  std::string marker = text.substr(first, 2);
  for (char& c : marker) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  for (const std::string_view item : kAMPMItems) {
    if (marker == item) {
      return marker;
    }
  }
  return text;
}

struct Refusal {
  const char* field;
  const char* message;
};

// Why the clock can never show the time the controls hold, if it cannot.
std::optional<Refusal> NeverMatching(const AlarmSnoozeDialogControls& c) {
  if (c.IncludeDateCheckBox) {
    const int month = Digits(c.MonthSpinEdit, 2);
    if (month < 1 || month > 12) {
      return Refusal{"MonthSpinEdit", kAlarmDateFormatMessage};
    }
    // The clock's year always has four digits.
    const int year = Digits(c.YearSpinEdit, 4);
    if (year < 0) {
      return Refusal{"YearSpinEdit", kAlarmDateFormatMessage};
    }
    const int day = Digits(c.DaySpinEdit, 2);
    if (day < 1 || day > DaysInMonth(year, month)) {
      return Refusal{"DaySpinEdit", kAlarmDateFormatMessage};
    }
  }
  // The clock's 12-hour hour runs from 01 to 12.
  const int hours = Digits(c.HoursSpinEdit, 2);
  if (hours < 1 || hours > 12) {
    return Refusal{"HoursSpinEdit", kAlarmTimeFormatMessage};
  }
  const int minutes = Digits(c.MinutesSpinEdit, 2);
  if (minutes < 0 || minutes > 59) {
    return Refusal{"MinutesSpinEdit", kAlarmTimeFormatMessage};
  }
  if (c.AMPMComboBox != "AM" && c.AMPMComboBox != "PM") {
    return Refusal{"AMPMComboBox", kAlarmTimeFormatMessage};
  }
  return std::nullopt;
}

}  // namespace

AlarmSnoozeDialog::AlarmSnoozeDialog(AlarmTimes& times, const Clock& clock, Dialogs& dialogs,
                                     std::function<void(WakeUp)> stored)
    : times_(times), clock_(clock), dialogs_(dialogs), stored_(std::move(stored)) {}

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
  controls_.AMPMComboBox = MarkerText(controls_.AMPMComboBox);
  // Stored, such a time would show as set and never ring.
  if (const std::optional<Refusal> refusal = NeverMatching(controls_)) {
    dialogs_.Beep();
    dialogs_.MessageBox(refusal->message, MessageKind::kError, MessageButtons::kOk);
    controls_.focus = refusal->field;
    return;
  }
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
