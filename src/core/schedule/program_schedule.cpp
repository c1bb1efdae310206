#include "core/schedule/program_schedule.h"

#include <algorithm>
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
  // Nothing before the switch counts: no gap to go through, no begin to hold back.
  seen_minute_.reset();
  began_minute_ = {};
  services_.timer6.SetInterval(100);
  services_.timer6.SetEnabled(true);
  ShowIndicator("", "Prog: ");
}

ScheduleClockTexts ScheduleClockTexts::At(const DateTime& time) {
  const DateLocale english = DateLocale::English();
  return {FormatDateTime(kScheduleLongPattern, time, english),
          FormatDateTime(kScheduleDayPattern, time, english),
          FormatDateTime(kScheduleTimePattern, time, english)};
}

void ProgramSchedule::Timer6Timer() {
  const DateTime now = services_.clock.Now();
  const std::int64_t minute = WallMinute(now);
  // A tick after a gap (a suspend, a clock set forward, the change to summer time) first goes
  // through the minutes no tick saw.
  if (seen_minute_ && minute > *seen_minute_ + 1) {
    CatchUp(std::max(*seen_minute_ + 1, minute - kMaxSkippedMinutes), minute);
  }
  seen_minute_ = minute;

  list_.ShowScannedProgram(current_program_);
  const ScheduleClockTexts texts = ScheduleClockTexts::At(now);
  if (!program_running_) {
    if (Begins(current_program_, texts, minute)) {
      began_minute_[Index(current_program_)] = minute;
      Begin(current_program_);
    } else {
      NextProgram();
    }
  }
  if (program_running_ && programs_.Program(current_program_).TimeEnd == texts.time) {
    End();
  }
}

bool ProgramSchedule::Begins(int k, const ScheduleClockTexts& texts, std::int64_t minute) const {
  const SchedRec& program = programs_.Program(k);
  // A radio that is off stays silent: tuning would switch the card's audio on where the mute
  // button, and so the program's end, cannot switch it off again. A program begins once in a
  // minute: one whose begin and end times are equal would otherwise begin and end again on each
  // examination of it, and the clock set back (or the end of summer time) would repeat it.
  return services_.power_on && program.TimeBegin == texts.time &&
         ScheduleDayMatches(program.DateDay, texts.long_text, texts.day) &&
         began_minute_[Index(k)] != minute;
}

void ProgramSchedule::CatchUp(std::int64_t from, std::int64_t to) {
  // The skipped minutes in order, as the ticks would have gone through them, without acting;
  // what is left of them is done at once: the program that was running ends if its end went
  // by, and one that began and has not ended yet begins now. A program that began and ended in
  // the gap is over and changes nothing.
  bool running = program_running_;
  int program = current_program_;
  bool first_run = program_running_;  // the run that was going on before the gap
  bool first_run_ended = false;
  for (std::int64_t minute = from; minute < to; ++minute) {
    const ScheduleClockTexts texts = ScheduleClockTexts::At(FromWallMinute(minute));
    // The minute's ticks, until none of them could change more: each program begins at most
    // once in it.
    for (int idle = 0; idle < kSchedProgramCount;) {
      if (!running) {
        if (!Begins(program, texts, minute)) {
          program = program % kSchedProgramCount + 1;
          ++idle;
          continue;
        }
        began_minute_[Index(program)] = minute;
        running = true;
      }
      if (programs_.Program(program).TimeEnd != texts.time) {
        break;
      }
      running = false;
      first_run_ended = first_run_ended || first_run;
      first_run = false;
      program = program % kSchedProgramCount + 1;
      idle = 0;
    }
  }

  if (first_run_ended) {
    End();
  }
  current_program_ = program;
  if (running && !first_run) {
    Begin(program);
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
