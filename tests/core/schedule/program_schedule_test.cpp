#include "core/schedule/program_schedule.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::DecodedTransfersKHz;
using testing::ManualTimerHost;
using testing::RecordingPort;
using testing::Seven;

// Thursday, 10 December 2026.
constexpr DateTime kThursday{2026, 12, 10, 0, 0, 0, 0};

DateTime At(DateTime day, int hour, int minute, int second) {
  day.hour = hour;
  day.minute = minute;
  day.second = second;
  return day;
}

// What the card decodes of one tuning of `mhz`, on its own grid.
std::vector<std::int64_t> TunedKHz(double mhz) {
  RecordingPort port;
  ManualTimerHost timers;
  const std::int32_t card_port = 0x30C;
  RadioCard(port, timers, card_port).SetFrequency(mhz);
  return DecodedTransfersKHz(port.writes);
}

class ProgramScheduleTest : public ControllerTest {
 protected:
  void SetClock(const DateTime& now) {
    now_ = now;
    fake_.clock.Set(now_);
  }
  // Moves the clock and the timers on together in 100 ms steps.
  void Run(int ms) {
    for (int t = 0; t < ms; t += 100) {
      now_.millisecond += 100;
      if (now_.millisecond == 1000) {
        now_.millisecond = 0;
        if (++now_.second == 60) {
          now_.second = 0;
          if (++now_.minute == 60) {
            now_.minute = 0;
            ++now_.hour;
          }
        }
      }
      fake_.clock.Set(now_);
      fake_.timers.Advance(100);
    }
  }
  void SetProgram(int k, SchedRec program) { radio_.schedule().Program(k) = std::move(program); }
  std::vector<std::string> Indicators() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.ProgLabel.caption; });
  }
  static std::vector<std::string> Shown(const std::string& main, const std::string& style7) {
    std::vector<std::string> shown = Seven(main);
    shown.back() = style7;
    return shown;
  }
  bool Muted() { return fake_.panels().Main().MuteBtnLight == kLime; }
  ProgramSchedule& schedule() { return radio_.program_schedule(); }

  DateTime now_;
};

TEST_F(ProgramScheduleTest, AThursdayProgramUnmutesTunesAndMutesAgainAtItsEnd) {
  SetProgram(3, {"97.300", "Thursday", "09:30 AM", "10:30 AM"});
  SetClock(At(kThursday, 9, 29, 59));
  fake_.SwitchOn();
  fake_.events().Click(1, "MuteBtn");
  fake_.events().MenuClick("Activate3");
  EXPECT_EQ(Indicators(), Shown("P", "Prog: "));
  port_.Clear();

  // Each program is examined on every fifth tick.
  Run(1500);
  EXPECT_FALSE(Muted());
  EXPECT_EQ(DecodedTransfersKHz(port_.writes), TunedKHz(97.3));
  EXPECT_EQ(fake_.panels().Main().FreqPanel.caption, "97.300");
  EXPECT_EQ(Indicators(), Shown("P3", "Prog: 3"));
  EXPECT_TRUE(schedule().ProgramRunning());
  EXPECT_EQ(schedule().CurrentProgram(), 3);

  SetClock(At(kThursday, 10, 29, 59));
  Run(1500);
  EXPECT_TRUE(Muted());
  EXPECT_EQ(Indicators(), Shown("P", "Prog:"));
  EXPECT_FALSE(schedule().ProgramRunning());
  EXPECT_EQ(schedule().CurrentProgram(), 4);
  // The rest of the end minute changes nothing.
  Run(30000);
  EXPECT_TRUE(Muted());
}

TEST_F(ProgramScheduleTest, ARunningProgramBlocksTheOthersUntilItEnds) {
  SetProgram(1, {"", "WEEK", "09:00 AM", "10:00 AM"});
  SetProgram(2, {"", "week", "09:30 AM", "11:00 AM"});
  // Program 3 is for another day and never begins.
  SetProgram(3, {"", "12/11/26", "10:00 AM", "11:00 AM"});
  SetClock(At(kThursday, 8, 59, 59));
  fake_.SwitchOn();
  schedule().Activate3Click();
  Run(2000);
  EXPECT_EQ(Indicators()[0], "P1");
  SetClock(At(kThursday, 9, 30, 0));
  Run(60000);
  EXPECT_EQ(Indicators()[0], "P1");
  EXPECT_EQ(schedule().CurrentProgram(), 1);
  SetClock(At(kThursday, 10, 0, 0));
  Run(100);
  EXPECT_EQ(schedule().CurrentProgram(), 2);
  Run(60000);
  EXPECT_EQ(Indicators()[0], "P");
  EXPECT_TRUE(Muted());
}

TEST_F(ProgramScheduleTest, EqualBeginAndEndActOnceInTheirMinuteAndLeaveTheAudioMuted) {
  SetProgram(2, {"99.100", "WEEK", "09:30 AM", "09:30 AM"});
  SetClock(At(kThursday, 9, 29, 59));
  fake_.SwitchOn();
  schedule().Activate3Click();
  int changes = 0;
  for (int t = 0; t < 61000; t += 100) {
    const bool before = Muted();
    Run(100);
    changes += Muted() != before ? 1 : 0;
  }
  EXPECT_EQ(changes, 1);  // on and off within one tick, then muted
  EXPECT_TRUE(Muted());
  EXPECT_EQ(DecodedTransfersKHz(port_.writes), TunedKHz(99.1));
  EXPECT_EQ(Indicators()[0], "P");
}

TEST_F(ProgramScheduleTest, AStationThatNoLongerMatchesSaysSoWhileTheScheduleGoesOn) {
  radio_.presets().StationName(4) = "Jazz FM";
  SetProgram(1, {"jazz", "WEEK", "09:30 AM", "09:31 AM"});
  SetClock(At(kThursday, 9, 29, 59));
  fake_.SwitchOn();
  schedule().Activate3Click();
  radio_.presets().StationName(4) = "Rock FM";
  const std::string shown = fake_.panels().Main().FreqPanel.caption;
  bool ended_while_open = false;
  dialogs_.AnswerMessage(MessageResult::kOk, [&] {
    EXPECT_TRUE(schedule().ProgramRunning());
    EXPECT_EQ(Indicators()[0], "P1");
    // The box stays open past the program's end, which the schedule does not miss.
    SetClock(At(kThursday, 9, 30, 59));
    Run(1500);
    ended_while_open = !schedule().ProgramRunning() && Indicators()[0] == "P";
  });
  Run(1500);
  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text, "Station ID was not found.");
  EXPECT_EQ(dialogs_.beeps, 1);
  EXPECT_TRUE(ended_while_open);
  EXPECT_TRUE(DecodedTransfersKHz(port_.writes).empty());  // nothing tuned
  EXPECT_EQ(fake_.panels().Main().FreqPanel.caption, shown);
  EXPECT_TRUE(Muted());
}

// The local time of a zone, for the length of a test.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) {
      old_ = old;
    }
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    old_ ? ::setenv("TZ", old_->c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  // The wall clock at `utc_ms` milliseconds since 1970.
  static DateTime At(std::int64_t utc_ms) {
    const std::time_t seconds = static_cast<std::time_t>(utc_ms / 1000);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(utc_ms % 1000)};
  }

 private:
  std::optional<std::string> old_;
};

TEST_F(ProgramScheduleTest, TheHourSkippedForSummerTimeStillEndsItsProgramsAndWakesItsAlarms) {
  const ScopedTimeZone berlin("Europe/Berlin");
  // Sunday 28 March 2027: at 01:00 UTC the clocks go from 02:00 CET to 03:00 CEST.
  std::int64_t utc_ms = WallMinute({2027, 3, 28, 0, 58, 0, 0}) * 60000 + 59000;
  ASSERT_EQ(ScopedTimeZone::At(utc_ms), (DateTime{2027, 3, 28, 1, 58, 59, 0}))
      << "the zone data of Europe/Berlin is missing";
  const auto run = [&](int ms) {
    for (int t = 0; t < ms; t += 100) {
      utc_ms += 100;
      fake_.clock.Set(ScopedTimeZone::At(utc_ms));
      fake_.timers.Advance(100);
    }
  };
  SetProgram(1, {"99.100", "WEEK", "01:59 AM", "02:30 AM"});
  radio_.alarm().AlarmTime = "02:15:00 AM";
  radio_.options().AlarmTypeRadio = false;
  radio_.options().WaveFileName = "wake.wav";
  fake_.clock.Set(ScopedTimeZone::At(utc_ms));
  fake_.SwitchOn();
  fake_.events().Click(1, "MuteBtn");
  schedule().Activate3Click();
  radio_.alarm_snooze().Activate1Click();
  run(2000);
  EXPECT_EQ(Indicators()[0], "P1");
  EXPECT_FALSE(Muted());

  run(60000);
  EXPECT_EQ(fake_.clock.Now(), (DateTime{2027, 3, 28, 3, 0, 1, 0}));
  EXPECT_FALSE(schedule().ProgramRunning());
  EXPECT_EQ(Indicators()[0], "P");
  EXPECT_TRUE(Muted());
  const std::vector<testing::RecordingSound::Call> wake = {{"wake.wav", kSndAsync | kSndLoop}};
  EXPECT_EQ(fake_.sound.calls, wake);
  // Nothing acts twice.
  run(60000);
  EXPECT_EQ(fake_.sound.calls, wake);
  EXPECT_TRUE(Muted());
}

TEST_F(ProgramScheduleTest, AfterHoursAsleepTheMissedEndEndsAndTheProgramOnNowBegins) {
  SetProgram(1, {"99.100", "WEEK", "06:00 AM", "07:30 AM"});
  // Over before the machine wakes: never tuned.
  SetProgram(2, {"88.500", "Thursday", "08:00 AM", "09:00 AM"});
  SetProgram(3, {"97.300", "WEEKDAY", "09:30 AM", "11:00 AM"});
  SetClock(At(kThursday, 5, 59, 59));
  fake_.SwitchOn();
  fake_.events().Click(1, "MuteBtn");
  schedule().Activate3Click();
  Run(2000);
  EXPECT_EQ(Indicators()[0], "P1");
  port_.Clear();

  // Asleep from 06:00 to 10:00: no tick in between.
  SetClock(At(kThursday, 10, 0, 0));
  Run(1000);
  EXPECT_EQ(DecodedTransfersKHz(port_.writes), TunedKHz(97.3));
  EXPECT_EQ(Indicators(), Shown("P3", "Prog: 3"));
  EXPECT_TRUE(schedule().ProgramRunning());
  EXPECT_EQ(schedule().CurrentProgram(), 3);
  EXPECT_FALSE(Muted());
  Run(60000);
  EXPECT_EQ(DecodedTransfersKHz(port_.writes), TunedKHz(97.3));
  EXPECT_FALSE(Muted());
}

TEST_F(ProgramScheduleTest, RegionalSettingsDoNotStopTheScheduleButShowInItsClock) {
  DateLocale german;
  german.date_separator = ".";
  german.long_day_names = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                           "Donnerstag", "Freitag", "Samstag"};
  german.am = "vorm.";
  german.pm = "nachm.";
  fake_.clock.SetLocale(german);
  SetProgram(5, {"", "12/10/26", "09:30 AM", "10:30 AM"});
  SetProgram(1, {"", "THURSDAY", "09:31 AM", ""});
  SetClock(At(kThursday, 9, 29, 59));
  fake_.SwitchOn();
  schedule().Activate3Click();
  Run(1500);
  EXPECT_EQ(Indicators()[0], "P5");
  schedule().list().FormActivate();
  EXPECT_EQ(schedule().list().controls().CurrentDateTimeLabel,
            "Current date/time:  12.10.26 Donnerstag 09:30:00 vorm.");
}

TEST_F(ProgramScheduleTest, TheSwitchWorksWithTheRadioOffWhichNoProgramWakes) {
  SetProgram(1, {"99.100", "WEEK", "09:30 AM", "10:30 AM"});
  SetClock(At(kThursday, 9, 29, 59));
  // As the start-up switch /P calls it, before any power-on.
  PanelRouter::MenuItems().at("Activate3")(radio_);
  EXPECT_TRUE(schedule().ScheduleOn());
  EXPECT_TRUE(radio_.TimerN(6).Enabled());
  EXPECT_TRUE(schedule().editor().controls().ActivateCheckBox);
  Run(2000);
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_FALSE(schedule().ProgramRunning());

  PanelRouter::MenuItems().at("Activate3")(radio_);
  EXPECT_FALSE(radio_.menu().Item("Activate3").checked);
  EXPECT_FALSE(radio_.TimerN(6).Enabled());
  EXPECT_FALSE(schedule().editor().controls().ActivateCheckBox);
  EXPECT_EQ(Indicators(), Seven(std::string()));
}

TEST_F(ProgramScheduleTest, TheStatusWindowFollowsTheExaminedProgramAndClosesOnAClick) {
  SetProgram(1, {"107.900", "12/12/98", "12:30 PM", "03:00 PM"});
  SetClock(At(kThursday, 9, 0, 0));
  schedule().Activate3Click();
  SchedList& list = schedule().list();
  fake_.forms.Expect(ModalForm::kSchedListForm, [&] {
    list.FormActivate();
    EXPECT_TRUE(radio_.TimerN(7).Enabled());
    EXPECT_EQ(list.controls().ProgListLabel[0], "  1  107.900   12/12/98   12:30 PM   03:00 PM");
    Run(100);
    EXPECT_EQ(list.controls().ScanProgLabel, "Scanning program: 1");
    EXPECT_EQ(list.controls().PrgLightLabel,
              (std::array<Color, 5>{kBlue, kIdleLight, kIdleLight, kIdleLight, kIdleLight}));
    EXPECT_EQ(list.controls().CurrentDateTimeLabel,
              "Current date/time:  12/10/26 Thursday 09:00:00 AM");
    Run(100);
    EXPECT_EQ(list.controls().ScanProgLabel, "Scanning program: 2");
    list.SchedListPanelClick();
    EXPECT_TRUE(list.closed());
    list.FormClose();
  });
  fake_.events().Click(6, "ProgLabel");
  EXPECT_FALSE(radio_.TimerN(7).Enabled());
  const SchedListControls shown = list.controls();
  list.MarkScannedProgram(6);
  EXPECT_EQ(list.controls(), shown);
}

TEST(ScheduleDayTest, KeywordsAndDatesAgainstAWeek) {
  struct Case {
    const char* key;
    std::set<int> days;  // 0 = Sunday 6 December 2026 .. 6 = Saturday 12 December
  };
  const Case cases[] = {
      {"thursday", {4}},
      {"SUNDAY", {0}},
      {"WEEKEND", {0, 6}},
      {"Weekday", {1, 2, 3, 4, 5}},
      {"week", {0, 1, 2, 3, 4, 5, 6}},
      {"12/08/26", {2}},
      {"12/08/25", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::set<int> matched;
    for (int d = 0; d < 7; ++d) {
      const DateTime day{2026, 12, 6 + d, 9, 30, 0, 0};
      const DateLocale english = DateLocale::English();
      if (ScheduleDayMatches(c.key, FormatDateTime(kScheduleLongPattern, day, english),
                             FormatDateTime(kScheduleDayPattern, day, english))) {
        matched.insert(d);
      }
    }
    EXPECT_EQ(matched, c.days) << c.key;
  }
}

TEST(ProgramListLineTest, ColumnsCountCharactersAndLongFieldsPushOn) {
  EXPECT_EQ(ProgramListLine(3, {"Jazz\xC3\xA9 FM 88", "WEDNESDAY!!!", "09:30 AM", ""}),
            "  3  Jazz\xC3\xA9 F   WEDNESDAY!!!09:30 AM   ");
  EXPECT_EQ(ProgramListLine(5, {}), "  5            " + std::string(22, ' '));
}

}  // namespace
}  // namespace orvaltic
