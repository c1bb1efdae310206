#include "core/schedule/sched_editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "../controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::RecordingHelp;

struct FieldCase {
  SchedField kind;
  std::string typed;
  std::string shown;                   // the text after the check
  std::optional<std::string> refused;  // the message
};

TEST(CheckScheduleFieldTest, AcceptsRewritesOrRefusesEachKind) {
  PresetStore presets;
  presets.StationName(9) = "Smooth Jazz FM";
  const std::string range = kFrequencyRangeMessage;
  const std::string date = kDateDayFormatMessage;
  const std::string time = kTimeFormatMessage;
  const FieldCase cases[] = {
      {SchedField::kFrequency, "97.3", "97.300", {}},
      {SchedField::kFrequency, "108", "108.000", {}},
      {SchedField::kFrequency, "108.1", "108.1", range},
      {SchedField::kFrequency, "87.9", "87.9", range},
      {SchedField::kFrequency, "jazz", "jazz", {}},
      {SchedField::kFrequency, "rock", "rock", kUnknownStationMessage},
      {SchedField::kFrequency, "", "", {}},
      {SchedField::kDateDay, "12/12/98", "12/12/98", {}},
      {SchedField::kDateDay, "02/31/99", "02/31/99", {}},
      {SchedField::kDateDay, "12/12/1998", "12/12/1998", date},
      {SchedField::kDateDay, "13/01/99", "13/01/99", date},
      {SchedField::kDateDay, "1/1/99", "1/1/99", date},
      {SchedField::kDateDay, "12-12-98", "12-12-98", date},
      {SchedField::kDateDay, " 1/01/99", " 1/01/99", date},  // could never match the clock
      {SchedField::kDateDay, "weekend", "weekend", {}},
      {SchedField::kDateDay, "Thursday", "Thursday", {}},
      {SchedField::kDateDay, "Weekends", "Weekends", date},
      {SchedField::kDateDay, "Thurs", "Thurs", date},
      {SchedField::kTimeBegin, "03:00 pm", "03:00 PM", {}},
      {SchedField::kTimeEnd, "12:59 AM", "12:59 AM", {}},
      {SchedField::kTimeBegin, "3:00 PM", "3:00 PM", time},
      {SchedField::kTimeEnd, "00:30 am", "00:30 AM", time},
      {SchedField::kTimeBegin, "12:60 pm", "12:60 PM", time},
      {SchedField::kTimeBegin, "+3:00 PM", "+3:00 PM", time},
      {SchedField::kTimeEnd, "03:00 PM ", "03:00 PM ", time},
      {SchedField::kTimeEnd, "03:00-PM", "03:00-PM", time},
  };
  for (const FieldCase& c : cases) {
    std::string text = c.typed;
    EXPECT_EQ(CheckScheduleField(text, c.kind, presets), c.refused) << c.typed;
    EXPECT_EQ(text, c.shown) << c.typed;
  }
}

class SchedEditorTest : public ControllerTest {
 protected:
  SchedEditor& editor() { return radio_.program_schedule().editor(); }
  SchedRowControls& Row(int k) {
    return editor().controls().Prg.at(static_cast<std::size_t>(k - 1));
  }
  bool ScheduleOn() { return radio_.program_schedule().ScheduleOn(); }
};

TEST_F(SchedEditorTest, ARefusedFieldBeepsSaysWhyAndTakesTheFocusBack) {
  editor().FormActivate();
  Row(4).BeginEdit = "3:00 pm";
  dialogs_.AnswerMessage(MessageResult::kOk);
  EXPECT_FALSE(editor().FieldExit(4, SchedField::kTimeBegin));
  EXPECT_EQ(dialogs_.boxes.at(0),
            (testing::ScriptedDialogs::Box{kTimeFormatMessage, MessageKind::kError,
                                           MessageButtons::kOk, 0}));
  EXPECT_EQ(dialogs_.beeps, 1);
  EXPECT_EQ(editor().controls().focus, "Prg4BeginEdit");
  EXPECT_EQ(Row(4).BeginEdit, "3:00 PM");

  // The date edit keeps what was typed.
  Row(2).DateEdit = "friday";
  EXPECT_TRUE(editor().FieldExit(2, SchedField::kDateDay));
  EXPECT_EQ(Row(2).DateEdit, "friday");
}

TEST_F(SchedEditorTest, OKStoresEveryEditAndSwitchesTheScheduleByTheBoxCancelNever) {
  for (const bool on : {true, false}) {
    editor().FormActivate();
    EXPECT_EQ(editor().controls().ActivateCheckBox, !on);
    Row(5) = {"99.100", "WEEK", "unchecked", ""};
    editor().controls().ActivateCheckBox = on;
    editor().OKBtnClick();
    EXPECT_TRUE(editor().closed());
    EXPECT_EQ(radio_.schedule().Program(5), (SchedRec{"99.100", "WEEK", "unchecked", ""}));
    EXPECT_EQ(ScheduleOn(), on);
    EXPECT_EQ(radio_.TimerN(6).Enabled(), on);
  }
  // A box ticked and cancelled changes nothing, and the next opening shows the schedule's state.
  editor().FormActivate();
  editor().controls().ActivateCheckBox = true;
  Row(1).FreqEdit = "88.000";
  editor().CancelBtnClick();
  EXPECT_FALSE(ScheduleOn());
  EXPECT_EQ(radio_.schedule().Program(1), SchedRec{});
  editor().FormActivate();
  EXPECT_FALSE(editor().controls().ActivateCheckBox);
}

TEST_F(SchedEditorTest, ClearAsksAndYesEmptiesEverythingForGood) {
  radio_.schedule().Program(3) = {"97.300", "MONDAY", "09:00 AM", "10:00 AM"};
  editor().FormActivate();
  dialogs_.AnswerMessage(MessageResult::kNo).AnswerMessage(MessageResult::kYes);
  editor().ClearBtnClick();
  EXPECT_EQ(Row(3).FreqEdit, "97.300");
  editor().ClearBtnClick();
  EXPECT_EQ(dialogs_.boxes.at(1).text, kClearSchedulesQuestion);
  EXPECT_EQ(dialogs_.boxes.at(1).kind, MessageKind::kWarning);
  EXPECT_EQ(dialogs_.boxes.at(1).buttons, MessageButtons::kYesNoCancel);
  EXPECT_EQ(dialogs_.beeps, 2);
  editor().CancelBtnClick();
  EXPECT_EQ(radio_.schedule(), SchedPrograms{});
  EXPECT_EQ(editor().controls().Prg, SchedEditorControls{}.Prg);
}

TEST_F(SchedEditorTest, HelpOpensContext26OfTheHelpFileByItsBareName) {
  editor().HelpBtnClick();
  EXPECT_EQ(fake_.help.calls,
            (std::vector<RecordingHelp::Call>{{"Orvaltic.HLP", kHelpContext, 26}}));
  EXPECT_EQ(radio_.help_files().ApplicationHelpFile(), "Orvaltic.HLP");
}

TEST_F(SchedEditorTest, SetOpensTheEditorFromTheMenuOnceTheRadioIsOn) {
  fake_.events().MenuClick("Set3");  // disabled: an unexpected form would fail the test
  fake_.SwitchOn();
  fake_.forms.Expect(ModalForm::kSchedForm);
  fake_.events().MenuClick("Set3");
}

}  // namespace
}  // namespace orvaltic
