#include "core/schedule/program_schedule.h"

#include <array>
#include <string_view>
#include <utility>

#include "core/platform/numbers.h"
#include "core/presets/station_lookup.h"

namespace orvaltic {

bool ScheduleDayMatches(const std::string& date_day, const std::string& now_long,
                        const std::string& now_day) {
  const std::string key = UpperText(date_day);
  if (key.empty()) {
    return false;
  }
  // A date "mm/dd/yy" and a day name both occur in the long clock text on their day.
  if (UpperText(now_long).find(key) != std::string::npos || key == "WEEK") {
    return true;
  }
  const std::string day = UpperText(now_day);
  if (key == "WEEKEND") {
    return day == "SATURDAY" || day == "SUNDAY";
  }
  if (key == "WEEKDAY") {
    constexpr std::array<std::string_view, 5> kWeekdays = {"MONDAY", "TUESDAY", "WEDNESDAY",
                                                           "THURSDAY", "FRIDAY"};
    for (const std::string_view weekday : kWeekdays) {
      if (day == weekday) {
        return true;
      }
    }
  }
  return false;
}

ProgramSchedule::ProgramSchedule(SchedPrograms& programs, const PresetStore& presets,
                                 PanelSet& panels, PopupMenuModel& menu, Services services)
    : programs_(programs),
      presets_(presets),
      panels_(panels),
      menu_(menu),
      services_(std::move(services)),
      editor_(programs, presets,
              {services_.dialogs, services_.help, services_.help_files,
               [this] { return ScheduleOn(); }, [this] { Activate3Click(); }}),
      list_(programs, services_.clock, services_.timer7) {}

bool ProgramSchedule::ScheduleOn() const {
  return menu_.Item("Activate3").checked;
}

void ProgramSchedule::Set3Click() {
  services_.forms.ShowModal(ModalForm::kSchedForm);
}

void ProgramSchedule::ProgLabelClick() {
  services_.forms.ShowModal(ModalForm::kSchedListForm);
}

void ProgramSchedule::Activate3Click() {
  MenuItem& item = menu_.Item("Activate3");
  if (item.checked) {
    editor_.controls().ActivateCheckBox = false;
    item.checked = false;
    services_.timer6.SetEnabled(false);
    panels_.ForEach([](PanelSurface& panel) { panel.ProgLabel.caption.clear(); });
    program_running_ = false;
    return;
  }
  editor_.controls().ActivateCheckBox = true;
  item.checked = true;
  current_program_ = 1;
  ended_program_ = 0;
  services_.timer6.SetInterval(100);
  services_.timer6.SetEnabled(true);
  ShowIndicator("", "Prog: ");
}

void ProgramSchedule::Timer6Timer() {
  list_.ShowScannedProgram(current_program_);

  const DateTime now = services_.clock.Now();
  const DateLocale english = DateLocale::English();
  const std::string now_long = FormatDateTime(kScheduleLongPattern, now, english);
  const std::string now_day = FormatDateTime(kScheduleDayPattern, now, english);
  const std::string now_time = FormatDateTime(kScheduleTimePattern, now, english);

  const SchedRec& program = programs_.Program(current_program_);
  if (!program_running_) {
    // A radio that is off stays silent: tuning would switch the card's audio on where the
    // mute button, and so the program's end, cannot switch it off again.
    const bool begins = services_.power_on && program.TimeBegin == now_time &&
                        ScheduleDayMatches(program.DateDay, now_long, now_day) &&
                        !(ended_program_ == current_program_ && ended_minute_ == now_long);
    if (begins) {
      Begin(current_program_);
    } else {
      NextProgram();
    }
  }
  if (program_running_ && programs_.Program(current_program_).TimeEnd == now_time) {
    ended_program_ = current_program_;
    ended_minute_ = now_long;
    End();
  }
}

void ProgramSchedule::Begin(int k) {
  program_running_ = true;
  if (panels_.Main().MuteBtnLight == kLime) {
    services_.mute_btn_click();
  }
  ShowIndicator(std::to_string(k), "Prog: " + std::to_string(k));
  const std::string& frequency = programs_.Program(k).Frequency;
  if (frequency.empty()) {
    // A program without a station only switches the audio.
    return;
  }
  const std::string text =
      TryStrToFloat(frequency) ? frequency : FindStationFrequency(presets_, frequency);
  if (text.empty()) {
    // The station was renamed or deleted since the program was set: the radio plays on where
    // it is, and the user learns why once the tick is over, while the schedule keeps watching
    // for the program's end.
    services_.boxes.Post(kUnknownStationMessage, MessageKind::kError, /*beep=*/true);
    return;
  }
  if (tuned_text_ != nullptr) {
    *tuned_text_ = text;
  }
  services_.access_preset(text);
}

void ProgramSchedule::End() {
  program_running_ = false;
  if (panels_.Main().MuteBtnLight == kGreen) {
    services_.mute_btn_click();
  }
  ShowIndicator("", "Prog:");
  NextProgram();
}

void ProgramSchedule::NextProgram() {
  current_program_ = current_program_ % kSchedProgramCount + 1;
}

void ProgramSchedule::ShowIndicator(const std::string& suffix, const std::string& style7) {
  const std::string others = "P" + suffix;
  panels_.ForEach(
      [&](PanelSurface& panel) { panel.ProgLabel.caption = panel.style == 7 ? style7 : others; });
}

}  // namespace orvaltic
