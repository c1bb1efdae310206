#include "core/controller/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::DecodedTransfersKHz;
using testing::ScriptedDialogs;
using testing::Seven;

using Parameters = std::vector<std::string>;

const ScriptedDialogs::Box kInvalidBox{"Invalid command-line parameter.\r\n", MessageKind::kError,
                                       MessageButtons::kOkHelp, 27};
const ScriptedDialogs::Box kStationBox{"Station ID not found.", MessageKind::kError,
                                       MessageButtons::kOk, 0};

class CommandLineTest : public ControllerTest {
 protected:
  CommandLineTest() {
    radio_.presets().StationName(1) = "Classic";
    radio_.presets().PresetFreq(1) = 90.0;
    radio_.presets().StationName(2) = "WXYZ Radio/Music";
    radio_.presets().PresetFreq(2) = 101.1;
    radio_.presets().StationName(3) = "Empty";
    radio_.presets().PresetFreq(3) = 0.0;
    radio_.presets().StationName(4) = "Radio 99.5X";
    radio_.presets().PresetFreq(4) = 95.0;
  }

  // As the program runs it at start-up: one event, whose handlers' errors are shown.
  CommandLineOutcome Process(const Parameters& parameters) {
    CommandLineOutcome outcome = CommandLineOutcome::kApplied;
    radio_.dispatcher().Run(
        [&] { outcome = radio_.command_line().ProcessCommandLine(parameters); });
    return outcome;
  }
  std::vector<std::int64_t> Tuned() const { return DecodedTransfersKHz(port_.writes); }
  std::vector<std::string> Captions() {
    return fake_.OnEveryPanel([](PanelSurface& p) { return p.FreqPanel.caption; });
  }
  bool Checked(const std::string& item) const { return radio_.menu().Item(item).checked; }
};

struct RejectCase {
  Parameters parameters;
  CommandLineOutcome outcome;
};

class CommandLineRejectTest : public CommandLineTest,
                              public ::testing::WithParamInterface<RejectCase> {};

TEST_P(CommandLineRejectTest, EndsAfterOneBoxBeforeAnySwitchIsApplied) {
  const RejectCase& c = GetParam();
  dialogs_.AnswerMessage(MessageResult::kOk);
  EXPECT_EQ(Process(c.parameters), c.outcome);
  EXPECT_EQ(dialogs_.beeps, 1);
  EXPECT_EQ(dialogs_.boxes,
            std::vector<ScriptedDialogs::Box>{
                c.outcome == CommandLineOutcome::kInvalidParameter ? kInvalidBox : kStationBox});
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_EQ(CommandLineExitStatus(c.outcome), 2);
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_FALSE(radio_.PowerOn());
  EXPECT_FALSE(radio_.panels().Main().minimized);
  EXPECT_FALSE(Checked("Activate1"));
  EXPECT_FALSE(std::filesystem::exists(PresetsPath()));
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, CommandLineRejectTest,
    ::testing::Values(
        RejectCase{{"/X"}, CommandLineOutcome::kInvalidParameter},
        // Checked first, applied after: the valid switches before a bad one do nothing.
        RejectCase{{"/O", "/A", "/F:90", "/X"}, CommandLineOutcome::kInvalidParameter},
        RejectCase{{""}, CommandLineOutcome::kInvalidParameter},
        RejectCase{{"/P "}, CommandLineOutcome::kInvalidParameter},
        RejectCase{{"/o /x"}, CommandLineOutcome::kInvalidParameter},
        RejectCase{{"/O/H"}, CommandLineOutcome::kInvalidParameter},
        RejectCase{{"--help"}, CommandLineOutcome::kInvalidParameter},
        RejectCase{{"/F:nowhere"}, CommandLineOutcome::kStationNotFound},
        RejectCase{{"/F:"}, CommandLineOutcome::kStationNotFound},
        // The station box ends the program at once, whatever came before.
        RejectCase{{"/X", "/O", "/F:99.5y"}, CommandLineOutcome::kStationNotFound},
        RejectCase{{"/F:nowhere", "/X"}, CommandLineOutcome::kStationNotFound}));

struct ApplyCase {
  Parameters parameters;
  bool power_on;
  bool muted;
  bool minimized;
  bool alarm;
  bool snooze;
};

class CommandLineApplyTest : public CommandLineTest,
                             public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(CommandLineApplyTest, AppliesEverySwitchAParameterContainsInOrder) {
  const ApplyCase& c = GetParam();
  EXPECT_EQ(Process(c.parameters), CommandLineOutcome::kApplied);
  EXPECT_EQ(radio_.PowerOn(), c.power_on);
  EXPECT_EQ(radio_.panels().Main().MuteBtnLight == kLime, c.muted);
  EXPECT_EQ(radio_.panels().Main().minimized, c.minimized);
  // Only the main panel's window is minimised.
  EXPECT_FALSE(radio_.panels().Style(2).minimized);
  EXPECT_EQ(Checked("Activate1"), c.alarm);
  EXPECT_EQ(Checked("Activate2"), c.snooze);
  EXPECT_EQ(app_.terminations, 0);
  EXPECT_TRUE(dialogs_.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, CommandLineApplyTest,
    ::testing::Values(ApplyCase{{}, false, false, false, false, false},
                      ApplyCase{{"/o"}, true, false, false, false, false},
                      // Mute while the radio is still off does nothing.
                      ApplyCase{{"/M", "/O"}, true, false, false, false, false},
                      ApplyCase{{"/O", "/M"}, true, true, false, false, false},
                      ApplyCase{{"/o /h /f: /m"}, true, true, true, false, false},
                      ApplyCase{{"/O /H"}, true, false, true, false, false},
                      ApplyCase{{" /O /H /F: /M /A /S"}, true, true, true, true, true},
                      ApplyCase{{"/F", "/h", "/A", "/s"}, false, false, true, true, true},
                      // A /F: text holding "/M" mutes as well.
                      ApplyCase{{"/O", "/F:radio/m"}, true, true, false, false, false},
                      ApplyCase{{"/A", "/a"}, false, false, false, false, false}));

TEST_F(CommandLineTest, PSwitchesTheScheduleOn) {
  EXPECT_EQ(Process({"/p"}), CommandLineOutcome::kApplied);
  EXPECT_TRUE(Checked("Activate3"));
}

struct TuneCase {
  Parameters parameters;
  std::vector<std::int64_t> tuned_khz;
  std::string cmd_line_freq_text;
  int beeps;
};

class CommandLineTuneTest : public CommandLineTest,
                            public ::testing::WithParamInterface<TuneCase> {};

TEST_P(CommandLineTuneTest, TunesTheFrequencyOrStationAndShowsItOnTheFirstShowing) {
  const TuneCase& c = GetParam();
  EXPECT_EQ(Process(c.parameters), CommandLineOutcome::kApplied);
  EXPECT_EQ(Tuned(), c.tuned_khz);
  EXPECT_EQ(radio_.command_line().CmdLineFreqText(), c.cmd_line_freq_text);
  EXPECT_EQ(dialogs_.beeps, c.beeps);
  EXPECT_TRUE(dialogs_.boxes.empty());

  radio_.command_line().FormShow();
  EXPECT_EQ(Captions(), Seven(c.cmd_line_freq_text));
  fake_.events().Painted(1);
  EXPECT_EQ(Captions(), Seven(c.cmd_line_freq_text));
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, CommandLineTuneTest,
    ::testing::Values(
        // Power-on tunes CurrentFreqText first.
        TuneCase{{"/O", "/F:99.5"}, {107875, 99475}, "99.500", 0},
        TuneCase{{"/F: +99.5"}, {99475}, "99.500", 0},
        TuneCase{{"/F:1.005e2"}, {100475}, "100.500", 0},
        TuneCase{{"/F:wxyz"}, {101075}, "101.100", 0}, TuneCase{{"/F:99.5x"}, {94975}, "95.000", 0},
        // One value for all: the last /F: counts.
        TuneCase{{"/F:classic", "/F:96"}, {95975, 95975}, "96.000", 0},
        // Out of the band: only a beep, and the display keeps the frequency the card plays.
        TuneCase{{"/O", "/F:120"}, {107875}, "107.900", 1},
        // An empty preset's 0.000 tunes nothing at all.
        TuneCase{{"/F:empty"}, {}, "107.900", 0}));

TEST_F(CommandLineTest, WithoutParametersTheShowingLeavesTheDisplayToTheFirstPaint) {
  radio_.CurrentFreqText() = "91.000";
  const std::vector<std::string> before = Captions();
  Process({});
  radio_.command_line().FormShow();
  EXPECT_EQ(Captions(), before);
  fake_.events().Painted(1);
  EXPECT_EQ(Captions(), Seven(std::string("91.000")));
}

// A start with /O (or /F:) that recalled a preset on another page, and a tuning while the panel
// was still minimised (/H): the first paint keeps the page the buttons show and the frequency
// the card plays, so later recalls by text find their presets and tuning goes on from there.
TEST_F(CommandLineTest, TheFirstPaintKeepsThePageAndWhatWasTunedSinceTheStart) {
  radio_.CurrentFreqText() = "95.200";  // preset 37's default frequency, on page 4
  Process({"/O", "/H"});
  radio_.command_line().FormShow();
  ASSERT_EQ(radio_.preset_buttons().PresetPage(), 4);
  fake_.events().Click(1, "TuneUpBtn");
  const std::vector<std::string> tuned = Captions();
  ASSERT_NE(tuned, Seven(std::string("95.200")));

  fake_.events().Painted(1);
  EXPECT_EQ(Captions(), tuned);
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 4);
  radio_.dispatcher().Run([&] { radio_.preset_buttons().AccessPreset("96.000"); });
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 41);
  EXPECT_EQ(Captions(), Seven(std::string("96.000")));
}

TEST_F(CommandLineTest, OnlyTheFirstShowingWritesTheCommandLineFrequency) {
  Process({"/O", "/F:99.5"});
  radio_.command_line().FormShow();
  fake_.events().Click(1, "TuneUpBtn");
  const std::vector<std::string> tuned = Captions();
  ASSERT_NE(tuned, Seven(std::string("99.500")));
  radio_.command_line().FormShow();
  EXPECT_EQ(Captions(), tuned);
}

TEST_F(CommandLineTest, SecondPowerSwitchClosesTheRadioAndStopsTheRest) {
  dialogs_.AnswerMessage(MessageResult::kNo);
  EXPECT_EQ(Process({"/O", "/O", "/F:99.5", "/A"}), CommandLineOutcome::kApplied);
  EXPECT_EQ(dialogs_.boxes.at(0).text, kKeepRadioOnQuestion);
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_TRUE(std::filesystem::exists(PresetsPath()));
  // Told to go silent, the card is not woken again by the switches after the close.
  EXPECT_EQ(Tuned(), std::vector<std::int64_t>{107875});
  EXPECT_FALSE(Checked("Activate1"));
}

TEST_F(CommandLineTest, CancelledCloseGoesOnWithTheRadioOn) {
  dialogs_.AnswerMessage(MessageResult::kCancel);
  EXPECT_EQ(Process({"/O", "/O", "/M"}), CommandLineOutcome::kApplied);
  EXPECT_EQ(app_.terminations, 0);
  EXPECT_TRUE(radio_.PowerOn());
  EXPECT_EQ(radio_.panels().Main().MuteBtnLight, kLime);
}

TEST(ProgramRequestTest, HelpAndVersionAreTheProgramsNotTheRadios) {
  struct Case {
    Parameters arguments;
    ProgramRequest request;
  };
  const std::vector<Case> cases = {
      {{}, ProgramRequest::kRunRadio},
      {{"/O", "/H"}, ProgramRequest::kRunRadio},
      {{"-H"}, ProgramRequest::kRunRadio},
      {{"--HELP"}, ProgramRequest::kRunRadio},
      {{"/F:--help"}, ProgramRequest::kRunRadio},
      {{"/O", "-h"}, ProgramRequest::kShowUsage},
      {{"--help", "--version"}, ProgramRequest::kShowUsage},
      {{"--version", "/X"}, ProgramRequest::kShowVersion},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindProgramRequest(c.arguments), c.request) << ::testing::PrintToString(c.arguments);
  }
}

}  // namespace
}  // namespace orvaltic
