#include "core/alarm/alarm_snooze.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::RecordingSound;
using testing::Seven;

// 8 December 2026, 15:29:59.000.
constexpr DateTime kJustBefore{2026, 12, 8, 15, 29, 59, 0};

DateTime Plus(DateTime t, int ms) {
  int of_day = ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond + ms;
  constexpr int kDay = 24 * 60 * 60 * 1000;
  t.day += of_day / kDay;
  of_day %= kDay;
  t.millisecond = of_day % 1000;
  t.second = of_day / 1000 % 60;
  t.minute = of_day / 60000 % 60;
  t.hour = of_day / 3600000;
  return t;
}

class AlarmSnoozeTest : public ControllerTest {
 protected:
  void SetUp() override {
    radio_.alarm().AlarmTime = "03:30:00 PM";
    radio_.alarm().SnoozeTime = "03:30:00 PM";
    SetClock(kJustBefore);
  }

  void SetClock(const DateTime& now) {
    now_ = now;
    fake_.clock.Set(now_);
  }

  // Moves the clock and the timers on together, in steps of `step` ms; returns how often the
  // mute light changed meanwhile.
  int Run(int ms, int step = 100) {
    int changes = 0;
    for (int t = 0; t < ms; t += step) {
      const Color before = fake_.panels().Main().MuteBtnLight;
      SetClock(Plus(now_, step));
      fake_.timers.Advance(step);
      changes += fake_.panels().Main().MuteBtnLight != before ? 1 : 0;
    }
    return changes;
  }

  std::vector<std::string> Indicators(bool alarm) {
    return fake_.OnEveryPanel([&](const PanelSurface& p) {
      return (alarm ? p.AlarmDisplayLabel : p.SnoozeDisplayLabel).caption;
    });
  }

  AlarmSnooze& alarm_snooze() { return radio_.alarm_snooze(); }
  std::vector<RecordingSound::Call>& sounds() { return fake_.sound.calls; }

  DateTime now_;
};

struct SwitchCase {
  bool alarm;
  const char* item;
  const char* button;
  int timer;
  std::vector<std::string> on;
};

class SwitchTest : public AlarmSnoozeTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchTest, MenuAndButtonToggleTheCheckTimerAndIndicatorsOfAllSevenPanels) {
  const SwitchCase& c = GetParam();
  fake_.SwitchOn();
  const std::string caption = fake_.panels().Main().caption;
  for (const bool from_menu : {true, false}) {
    from_menu ? fake_.events().MenuClick(c.item) : fake_.events().Click(1, c.button);
    EXPECT_TRUE(radio_.menu().Item(c.item).checked);
    EXPECT_TRUE(radio_.TimerN(c.timer).Enabled());
    EXPECT_EQ(radio_.TimerN(c.timer).Interval(), 100);
    EXPECT_EQ(Indicators(c.alarm), c.on);

    from_menu ? fake_.events().Click(3, c.button) : fake_.events().MenuClick(c.item);
    EXPECT_FALSE(radio_.menu().Item(c.item).checked);
    EXPECT_FALSE(radio_.TimerN(c.timer).Enabled());
    EXPECT_EQ(Indicators(c.alarm), Seven<std::string>(" "));
    // Switching off leaves the window's caption alone.
    EXPECT_EQ(fake_.panels().Main().caption, caption);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Subjects, SwitchTest,
    ::testing::Values(SwitchCase{true,
                                 "Activate1",
                                 "AlarmBtn",
                                 4,
                                 {"A", "A", "A", "A", "A", "Alarm", "Alarm: 03:30:00 PM"}},
                      SwitchCase{false,
                                 "Activate2",
                                 "SnoozeBtn",
                                 5,
                                 {"S", "S", "S", "S", "S", "Snooze", "Snooze: 03:30:00 PM"}}));

TEST_F(AlarmSnoozeTest, ActsOncePerMatchingMinuteAndAgainTheNextDayWithoutADate) {
  radio_.options().AlarmTypeRadio = true;
  fake_.SwitchOn();
  alarm_snooze().Activate1Click();
  EXPECT_EQ(Run(1000), 1);  // into 15:30:00
  EXPECT_TRUE(alarm_snooze().AlarmFired());
  EXPECT_EQ(Run(60000), 0);  // the rest of the minute and beyond
  EXPECT_FALSE(alarm_snooze().AlarmFired());
  // The clock set back (or summer time ending) brings the minute again, not the alarm.
  SetClock(kJustBefore);
  EXPECT_EQ(Run(2000), 0);

  SetClock(Plus(kJustBefore, 24 * 3600 * 1000));
  EXPECT_EQ(Run(2000), 1);
  EXPECT_EQ(fake_.panels().Style(4).AlarmPanel.current.caption, "12/09/2026 03:30:01 PM");
}

TEST_F(AlarmSnoozeTest, ADateFiresOnThatDateOnly) {
  radio_.options().AlarmTypeRadio = true;
  radio_.alarm().AlarmTime = "12/09/2026 03:30:00 PM";
  radio_.alarm().AlarmIncludesDate = true;
  fake_.SwitchOn();
  alarm_snooze().Activate1Click();
  EXPECT_EQ(Run(2000), 0);
  SetClock(Plus(kJustBefore, 24 * 3600 * 1000));
  EXPECT_EQ(Run(2000), 1);
  SetClock(Plus(kJustBefore, 2 * 24 * 3600 * 1000));
  EXPECT_EQ(Run(2000), 0);
}

TEST_F(AlarmSnoozeTest, ATickLateInTheMinuteStillActs) {
  fake_.SwitchOn();
  alarm_snooze().Activate2Click();
  SetClock(Plus(kJustBefore, 900));
  // The one tick of the minute comes at second 1.5.
  EXPECT_EQ(Run(1600, 1600), 1);
  EXPECT_TRUE(alarm_snooze().SnoozeFired());
}

// The machine sleeps from 06:00 until 10:00, `days` later: the first tick after it finds the
// times that passed meanwhile and acts once, late; not for a time more than a day ago.
struct GapCase {
  bool alarm;
  const char* time;  // with the date when it has 22 characters
  int days;
  int acts;
};

void PrintTo(const GapCase& c, std::ostream* out) {
  *out << (c.alarm ? "alarm " : "snooze ") << c.time << " +" << c.days << "d";
}

class GapTest : public AlarmSnoozeTest, public ::testing::WithParamInterface<GapCase> {};

TEST_P(GapTest, ATimeThatPassedInAGapActsOnceAtTheNextTick) {
  const GapCase& c = GetParam();
  radio_.options().AlarmTypeRadio = true;
  std::string& time = c.alarm ? radio_.alarm().AlarmTime : radio_.alarm().SnoozeTime;
  time = c.time;
  (c.alarm ? radio_.alarm().AlarmIncludesDate : radio_.alarm().SnoozeIncludesDate) =
      time.size() == 22;
  fake_.SwitchOn();
  SetClock({2026, 12, 8, 6, 0, 0, 0});
  c.alarm ? alarm_snooze().Activate1Click() : alarm_snooze().Activate2Click();
  EXPECT_EQ(Run(1000), 0);
  SetClock({2026, 12, 8 + c.days, 10, 0, 0, 0});
  EXPECT_EQ(Run(120000), c.acts);
}

INSTANTIATE_TEST_SUITE_P(Times, GapTest,
                         ::testing::Values(GapCase{true, "07:00:00 AM", 0, 1},
                                           GapCase{false, "07:00:00 AM", 0, 1},
                                           GapCase{true, "11:00:00 AM", 0, 0},
                                           // Two mornings went by: one wake-up.
                                           GapCase{false, "07:00:00 AM", 2, 1},
                                           GapCase{true, "12/10/2026 07:00:00 AM", 2, 1},
                                           GapCase{false, "12/08/2026 07:00:00 AM", 2, 0}));

TEST_F(AlarmSnoozeTest, RegionalSettingsChangeTheShownClockButNotTheComparison) {
  DateLocale german;
  german.date_separator = ".";
  german.am = "vorm.";
  german.pm = "nachm.";
  fake_.clock.SetLocale(german);
  radio_.options().AlarmTypeRadio = true;
  radio_.alarm().AlarmTime = "12/08/2026 03:30:00 PM";
  radio_.alarm().AlarmIncludesDate = true;
  fake_.SwitchOn();
  alarm_snooze().Activate1Click();
  EXPECT_EQ(Run(1000), 1);
  EXPECT_EQ(fake_.panels().Main().AlarmPanel.current.caption, "12.08.2026 03:30:00 nachm.");

  // The dialog is filled from the fixed form, so that OK stores a time that can match.
  AlarmSnoozeDialog& dialog = alarm_snooze().dialog();
  dialog.FormActivate();
  dialog.OKBtnClick();
  EXPECT_EQ(radio_.alarm().AlarmTime, "03:30:00 PM");
}

// The mute button toggles: a muted radio starts playing, a playing one is muted.
class RadioModeTest : public AlarmSnoozeTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RadioModeTest, TheAlarmPressesTheMuteButtonOnce) {
  const bool muted = GetParam();
  radio_.options().AlarmTypeRadio = true;
  fake_.SwitchOn();
  if (muted) {
    fake_.events().Click(1, "MuteBtn");
  }
  alarm_snooze().Activate1Click();
  Run(3000);
  EXPECT_EQ(fake_.panels().Main().MuteBtnLight, muted ? kGreen : kLime);
  EXPECT_TRUE(sounds().empty());
  alarm_snooze().Activate1Click();
  EXPECT_TRUE(sounds().empty());
}

INSTANTIATE_TEST_SUITE_P(MutedOrPlaying, RadioModeTest, ::testing::Bool());

TEST_F(AlarmSnoozeTest, AWaveFileLoopsUntilTheAlarmIsSwitchedOff) {
  struct Case {
    std::string file;
    std::string played;
  };
  int day = 0;
  for (const Case& c : {Case{"wake.wav", "wake.wav"}, Case{"", kDefaultAlarmSound}}) {
    sounds().clear();
    // A day later each time: an alarm acts once in a minute, also when the clock goes back.
    SetClock(Plus(kJustBefore, day++ * 24 * 3600 * 1000));
    radio_.options().WaveFileName = c.file;
    radio_.options().AlarmTypeRadio = false;
    alarm_snooze().Activate1Click();
    Run(5000);
    EXPECT_EQ(sounds(), (std::vector<RecordingSound::Call>{{c.played, kSndAsync | kSndLoop}}));
    // Even with the type changed to "Radio" meanwhile, switching off ends the loop.
    radio_.options().AlarmTypeRadio = true;
    alarm_snooze().Activate1Click();
    EXPECT_EQ(sounds().back(), (RecordingSound::Call{"", kSndAsync}));
    EXPECT_EQ(sounds().size(), 2u);
  }
}

TEST_F(AlarmSnoozeTest, TheSnoozeAlwaysPressesTheMuteButton) {
  radio_.options().AlarmTypeRadio = false;
  fake_.SwitchOn();
  alarm_snooze().Activate2Click();
  EXPECT_EQ(Run(2000), 1);
  EXPECT_TRUE(sounds().empty());
}

TEST_F(AlarmSnoozeTest, SetOpensTheDialogOnlyWithTheRadioOn) {
  alarm_snooze().Set1Click();  // an unexpected form would fail the test
  fake_.SwitchOn();
  AlarmSnoozeDialog& dialog = alarm_snooze().dialog();
  fake_.forms.Expect(ModalForm::kAlarmSnoozeFrm, [&] {
    EXPECT_EQ(dialog.controls().Caption, "Snooze");
    EXPECT_EQ(dialog.controls().AlarmSnoozeGroupBox, "Adjust date/time for snooze");
  });
  fake_.events().MenuClick("Set2");
  EXPECT_TRUE(fake_.forms.AllShown());
}

TEST_F(AlarmSnoozeTest, OKStoresTheFieldsWithOrWithoutTheDate) {
  AlarmSnoozeDialog& dialog = alarm_snooze().dialog();
  AlarmSnoozeDialogControls& c = dialog.controls();
  dialog.SetSubject(WakeUp::kAlarm);
  dialog.FormActivate();
  EXPECT_EQ((std::vector<std::string>{c.MonthSpinEdit, c.DaySpinEdit, c.YearSpinEdit,
                                      c.HoursSpinEdit, c.MinutesSpinEdit, c.AMPMComboBox}),
            (std::vector<std::string>{"12", "08", "2026", "03", "29", "PM"}));
  c.HoursSpinEdit = "7";
  dialog.HoursSpinEditExit();
  EXPECT_EQ(c.HoursSpinEdit, "07");
  // Enter while the caret is still in a field.
  c.MinutesSpinEdit = "5";
  c.AMPMComboBox = "AM";
  dialog.OKBtnClick();
  EXPECT_TRUE(dialog.closed());
  EXPECT_EQ(radio_.alarm().AlarmTime, "07:05:00 AM");
  EXPECT_FALSE(radio_.alarm().AlarmIncludesDate);

  // Armed, the alarm's style 7 indicator follows the new time.
  alarm_snooze().Activate1Click();
  dialog.FormActivate();
  c.IncludeDateCheckBox = true;
  dialog.IncludeDateCheckBoxClick();
  EXPECT_TRUE(c.DateSpinEditsEnabled);
  c.DaySpinEdit = "25";
  c.HoursSpinEdit = "07";
  c.MinutesSpinEdit = "30";
  c.AMPMComboBox = "AM";
  dialog.OKBtnClick();
  EXPECT_EQ(radio_.alarm().AlarmTime, "12/25/2026 07:30:00 AM");
  EXPECT_TRUE(radio_.alarm().AlarmIncludesDate);
  EXPECT_EQ(fake_.panels().Style(7).AlarmDisplayLabel.caption, "Alarm: 12/25/2026 07:30:00 AM");
  EXPECT_EQ(radio_.alarm().SnoozeTime, "03:30:00 PM");
}

TEST_F(AlarmSnoozeTest, OKTakesTheMarkerInAnyCaseAndRefusesWhatTheClockNeverShows) {
  struct Case {
    std::vector<std::string> date;  // month, day, year; none without the date
    std::vector<std::string> time;  // hours, minutes, AM/PM
    std::string stored;             // or the field refused
    std::string message;
  };
  const std::string time_message = "Format of time is incorrect.";
  const std::string date_message = "Format of date is incorrect.";
  const Case cases[] = {
      {{}, {"07", "30", "pm"}, "07:30:00 PM", ""},
      {{}, {"7", "5", " Am "}, "07:05:00 AM", ""},
      {{}, {"12", "59", "AM"}, "12:59:00 AM", ""},
      {{"11", "25", "2027"}, {"07", "45", "PM"}, "11/25/2027 07:45:00 PM", ""},
      {{"2", "29", "2028"}, {"01", "00", "AM"}, "02/29/2028 01:00:00 AM", ""},
      {{}, {"00", "30", "AM"}, "HoursSpinEdit", time_message},
      {{}, {"13", "30", "AM"}, "HoursSpinEdit", time_message},
      {{}, {"07", "60", "AM"}, "MinutesSpinEdit", time_message},
      {{}, {"07", "", "AM"}, "MinutesSpinEdit", time_message},
      {{}, {"07", "30", "A.M."}, "AMPMComboBox", time_message},
      {{"11", "25", "202"}, {"07", "45", "PM"}, "YearSpinEdit", date_message},
      {{"11", "25", "7"}, {"07", "45", "PM"}, "YearSpinEdit", date_message},
      {{"00", "25", "2027"}, {"07", "45", "PM"}, "MonthSpinEdit", date_message},
      {{"02", "29", "2027"}, {"07", "45", "PM"}, "DaySpinEdit", date_message},
      {{"04", "31", "2027"}, {"07", "45", "PM"}, "DaySpinEdit", date_message},
  };
  AlarmSnoozeDialog& dialog = alarm_snooze().dialog();
  AlarmSnoozeDialogControls& c = dialog.controls();
  for (const Case& k : cases) {
    SCOPED_TRACE(k.stored);
    radio_.alarm().AlarmTime = "03:30:00 PM";
    radio_.alarm().AlarmIncludesDate = false;
    dialogs_.boxes.clear();
    dialog.SetSubject(WakeUp::kAlarm);
    dialog.FormActivate();
    c.IncludeDateCheckBox = !k.date.empty();
    dialog.IncludeDateCheckBoxClick();
    if (!k.date.empty()) {
      c.MonthSpinEdit = k.date[0];
      c.DaySpinEdit = k.date[1];
      c.YearSpinEdit = k.date[2];
    }
    c.HoursSpinEdit = k.time[0];
    c.MinutesSpinEdit = k.time[1];
    c.AMPMComboBox = k.time[2];
    if (!k.message.empty()) {
      dialogs_.AnswerMessage(MessageResult::kOk);
    }
    dialog.OKBtnClick();
    if (k.message.empty()) {
      EXPECT_TRUE(dialog.closed());
      EXPECT_EQ(radio_.alarm().AlarmTime, k.stored);
      EXPECT_EQ(radio_.alarm().AlarmIncludesDate, !k.date.empty());
      EXPECT_TRUE(dialogs_.boxes.empty());
    } else {
      EXPECT_FALSE(dialog.closed());
      EXPECT_EQ(radio_.alarm().AlarmTime, "03:30:00 PM");
      EXPECT_FALSE(radio_.alarm().AlarmIncludesDate);
      ASSERT_EQ(dialogs_.boxes.size(), 1u);
      EXPECT_EQ(dialogs_.boxes[0].text, k.message);
      EXPECT_EQ(dialogs_.boxes[0].kind, MessageKind::kError);
      EXPECT_EQ(c.focus, k.stored);
      c.focus.clear();
    }
  }
  EXPECT_EQ(dialogs_.beeps, 10);
}

TEST_F(AlarmSnoozeTest, CancelChangesNothingEvenAfterTheIncludeDateBox) {
  alarm_snooze().Activate2Click();
  const AlarmTimes times = radio_.alarm();
  const PanelSet panels = fake_.panels();
  AlarmSnoozeDialog& dialog = alarm_snooze().dialog();
  dialog.SetSubject(WakeUp::kSnooze);
  dialog.FormActivate();
  dialog.controls().IncludeDateCheckBox = true;
  dialog.IncludeDateCheckBoxClick();
  dialog.CancelBtnClick();
  EXPECT_TRUE(dialog.closed());
  EXPECT_EQ(radio_.alarm(), times);
  for (int style = 1; style <= kPanelCount; ++style) {
    EXPECT_EQ(fake_.panels().Style(style), panels.Style(style)) << style;
  }
}

TEST(TwoDigitTextTest, OnlyASingleDigitGetsALeadingZero) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0", "00"}, {"7", "07"}, {"9", "09"}, {"10", "10"}, {"", ""}, {"a", "a"}, {"007", "007"}};
  for (const auto& [typed, shown] : cases) {
    EXPECT_EQ(TwoDigitText(typed), shown) << typed;
  }
}

TEST_F(AlarmSnoozeTest, EachPanelsIndicatorOpensItsOwnStatusAndAClickClosesIt) {
  fake_.events().Click(4, "SnoozeDisplayLabel");
  fake_.events().Click(4, "AlarmDisplayLabel");
  const OverlayModel& alarm = fake_.panels().Style(4).AlarmPanel;
  EXPECT_TRUE(alarm.visible);
  EXPECT_EQ(alarm.value.caption, "03:30:00 PM");
  EXPECT_EQ(alarm.current.caption, "12/08/2026 03:29:59 PM");
  EXPECT_FALSE(fake_.panels().Style(4).SnoozePanel.visible);
  EXPECT_FALSE(fake_.panels().Main().AlarmPanel.visible);
  fake_.events().Click(4, "AlarmLabel");
  EXPECT_FALSE(alarm.visible);
}

}  // namespace
}  // namespace orvaltic
