#include "core/presets/preset_editor.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "../controller/controller_fixture.h"
#include "core/platform/errors.h"
#include "core/platform/numbers.h"
#include "support/scripted_dialogs.h"

namespace orvaltic {
namespace {

using testing::ScriptedDialogs;

ScriptedDialogs::Box RangeBox() {
  return {kPresetRangeMessage, MessageKind::kError, MessageButtons::kOk, 0};
}

class PresetEditorTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(dialogs_.AllAnswered()); }

  // The ten labels and frequency fields as one line each, for short failures.
  std::string Labels() const {
    std::string text;
    for (const std::string& label : c_.Label) {
      text += label;
    }
    return text;
  }
  std::string FirstAndLastFreq() const { return c_.PresetEdit[0] + " " + c_.PresetEdit[9]; }

  PresetStore presets_;
  PanelSet panels_;
  ScriptedDialogs dialogs_;
  int saves_ = 0;
  bool save_fails_ = false;
  std::vector<std::string> accessed_;
  PresetEditor editor_{presets_, panels_, dialogs_,
                       [this] {
                         ++saves_;
                         if (save_fails_) {
                           throw InOutError("Disk full", 112);
                         }
                       },
                       [this](const std::string& text) { accessed_.push_back(text); }};
  PresetEditorControls& c_ = editor_.controls();
};

TEST_F(PresetEditorTest, PagesCycleAndTheLastPageShownIsKeptForTheNextOpening) {
  editor_.FormActivate();
  EXPECT_EQ(Labels(), "1: 2:3:4:5:6:7:8:9:10:");
  EXPECT_EQ(FirstAndLastFreq(), "88.000 89.800");
  EXPECT_TRUE(c_.ReadOnly);
  EXPECT_EQ(c_.focus, "OKBtn");

  editor_.PrevBtnClick();
  EXPECT_EQ(Labels(), "91:92:93:94:95:96:97:98:99:100:");
  EXPECT_EQ(FirstAndLastFreq(), "106.000 107.800");
  editor_.NextBtnClick();
  EXPECT_EQ(Labels(), "1:2:3:4:5:6:7:8:9:10:");

  for (int i = 0; i < 3; ++i) {
    editor_.NextBtnClick();
  }
  editor_.OKBtnClick();
  EXPECT_TRUE(editor_.closed());
  EXPECT_EQ(saves_, 1);

  editor_.EditBtnClick();
  editor_.FormActivate();
  EXPECT_FALSE(editor_.closed());
  EXPECT_TRUE(c_.ReadOnly);
  EXPECT_EQ(Labels(), "31:32:33:34:35:36:37:38:39:40:");
  EXPECT_EQ(FirstAndLastFreq(), "94.000 95.800");
  editor_.CancelBtnClick();
}

TEST_F(PresetEditorTest, EditsOfOtherPagesAreKeptUntilOkAndDroppedByCancel) {
  editor_.FormActivate();
  editor_.EditBtnClick();
  c_.PresetEdit[2] = "99.500";
  c_.StationNameEdit[2] = "Jazz";
  editor_.NextBtnClick();
  EXPECT_EQ(editor_.EditPresetFreq(3), 99.5);
  EXPECT_FALSE(c_.ReadOnly);
  c_.StationNameEdit[9] = "Rock";  // preset 20, shown only in its fields
  editor_.PrevBtnClick();
  EXPECT_EQ(c_.PresetEdit[2], "99.500");
  EXPECT_EQ(c_.StationNameEdit[2], "Jazz");
  EXPECT_EQ(presets_.PresetFreq(3), 88.4);

  editor_.CancelBtnClick();
  EXPECT_EQ(presets_, PresetStore{});
  editor_.FormActivate();
  EXPECT_EQ(c_.PresetEdit[2], "88.400");

  c_.StationNameEdit[0] = "Pop";
  editor_.NextBtnClick();
  c_.PresetEdit[9] = "107.000";
  editor_.OKBtnClick();
  EXPECT_EQ(presets_.StationName(1), "Pop");
  EXPECT_EQ(presets_.PresetFreq(20), 107.0);
  EXPECT_EQ(presets_.StationName(20), "");
}

TEST_F(PresetEditorTest, AFieldThatIsNoNumberStopsPagingAndOkWithNothingChanged) {
  editor_.FormActivate();
  c_.PresetEdit[0] = "95.000";
  c_.PresetEdit[4] = "9x";
  const PresetEditorControls shown = c_;
  for (auto handler :
       {&PresetEditor::NextBtnClick, &PresetEditor::PrevBtnClick, &PresetEditor::OKBtnClick}) {
    try {
      (editor_.*handler)();
      ADD_FAILURE() << "no conversion error";
    } catch (const ConvertError& e) {
      EXPECT_STREQ(e.what(), "'9x' is not a valid floating point value");
    }
    EXPECT_EQ(c_, shown);
    EXPECT_EQ(editor_.EditPageLast(), 10);
    EXPECT_EQ(editor_.EditPresetFreq(1), 88.0);
  }
  EXPECT_FALSE(editor_.closed());
  EXPECT_EQ(saves_, 0);
  EXPECT_EQ(presets_, PresetStore{});
}

struct EntryCase {
  const char* typed;
  const char* shown;  // nullptr: refused
  friend void PrintTo(const EntryCase& entry, std::ostream* os) {
    *os << '"' << entry.typed << '"';
  }
};

class ValidatePresetEntryTest : public PresetEditorTest,
                                public ::testing::WithParamInterface<EntryCase> {};

TEST_P(ValidatePresetEntryTest, NormalisesOrRefusesWithTheBeepAndTheRangeBox) {
  const EntryCase& entry = GetParam();
  const bool refused = entry.shown == nullptr;
  if (refused) {
    dialogs_.AnswerMessage(MessageResult::kOk);
  }
  std::string text = entry.typed;
  EXPECT_EQ(editor_.ValidatePresetEntry(text), !refused);
  EXPECT_EQ(text, refused ? entry.typed : entry.shown);
  EXPECT_EQ(dialogs_.beeps, refused ? 1 : 0);
  EXPECT_EQ(dialogs_.boxes, refused ? std::vector<ScriptedDialogs::Box>{RangeBox()}
                                    : std::vector<ScriptedDialogs::Box>{});
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ValidatePresetEntryTest,
    ::testing::Values(EntryCase{"0", "0.000"}, EntryCase{"-0", "0.000"},
                      EntryCase{"88.05", "88.050"}, EntryCase{" 99.5", "99.500"},
                      EntryCase{"108", "108.000"}, EntryCase{"99.5 ", nullptr},
                      EntryCase{"101.1", "101.100"}, EntryCase{"110.1", nullptr},
                      EntryCase{"87.999", nullptr}, EntryCase{"108.0001", nullptr},
                      EntryCase{"", nullptr}, EntryCase{"0.001", nullptr}));

TEST_F(PresetEditorTest, LeavingAFieldFillsAnEmptyNameOnlyInEditModeAndNotForZero) {
  presets_.StationName(2) = "Kept";
  editor_.FormActivate();
  c_.PresetEdit[0] = "94.7";
  EXPECT_TRUE(editor_.PresetEditExit(1));
  EXPECT_EQ(c_.PresetEdit[0], "94.700");
  EXPECT_EQ(c_.StationNameEdit[0], "");  // view mode

  editor_.EditBtnClick();
  c_.focus.clear();
  struct Row {
    const char* typed;
    const char* name;
  };
  const Row rows[] = {{"94.7", "94.700"}, {"95", "Kept"}, {"0", ""}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    c_.PresetEdit[i] = rows[i].typed;
    EXPECT_TRUE(editor_.PresetEditExit(static_cast<int>(i) + 1));
    EXPECT_EQ(c_.StationNameEdit[i], rows[i].name) << rows[i].typed;
  }
  EXPECT_EQ(c_.focus, "");
}

TEST_F(PresetEditorTest, AStoredFrequencyOutOfTheBandHoldsTheFocusUntilCorrectedInEditMode) {
  presets_.PresetFreq(15) = 120.0;
  editor_.FormActivate();
  editor_.NextBtnClick();
  EXPECT_EQ(c_.PresetEdit[4], "120.000");
  c_.focus.clear();

  dialogs_.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_FALSE(editor_.PresetEditExit(5));
    EXPECT_EQ(c_.focus, "PresetEdit5");
    EXPECT_EQ(c_.PresetEdit[4], "120.000");
    c_.focus.clear();
  }
  EXPECT_EQ(dialogs_.boxes, (std::vector<ScriptedDialogs::Box>{RangeBox(), RangeBox()}));

  editor_.EditBtnClick();
  c_.PresetEdit[4] = "99.9";
  EXPECT_TRUE(editor_.PresetEditExit(5));
  editor_.OKBtnClick();
  EXPECT_EQ(presets_.PresetFreq(15), 99.9);
  EXPECT_EQ(presets_.StationName(15), "99.900");
}

TEST_F(PresetEditorTest, ClearEmptiesTheStoreAtOnceSoCancelDoesNotBringThePresetsBack) {
  editor_.FormActivate();
  for (MessageResult answer : {MessageResult::kNo, MessageResult::kCancel}) {
    dialogs_.AnswerMessage(answer);
    editor_.ClearBtnClick();
  }
  EXPECT_EQ(presets_, PresetStore{});

  presets_.StationName(50) = "News";
  dialogs_.AnswerMessage(MessageResult::kYes);
  editor_.ClearBtnClick();
  EXPECT_EQ(dialogs_.beeps, 3);
  EXPECT_EQ(dialogs_.boxes.back(),
            (ScriptedDialogs::Box{kClearPresetsQuestion, MessageKind::kWarning,
                                  MessageButtons::kYesNoCancel, 0}));
  EXPECT_EQ(FirstAndLastFreq(), "0.000 0.000");
  editor_.NextBtnClick();
  EXPECT_EQ(FirstAndLastFreq(), "0.000 0.000");
  EXPECT_EQ(c_.StationNameEdit, decltype(c_.StationNameEdit){});
  editor_.CancelBtnClick();

  for (int n = 1; n <= kPresetCount; ++n) {
    ASSERT_EQ(presets_.PresetFreq(n), 0) << n;
    ASSERT_EQ(presets_.StationName(n), "") << n;
  }
  EXPECT_EQ(saves_, 0);
}

TEST_F(PresetEditorTest, OkShowsTheRecalledPresetsNameUncutWithoutRetuning) {
  const std::string long_name(70, 'N');
  panels_.ForEach([](PanelSurface& panel) {
    panel.PresetDisplay.caption = "3";
    panel.FreqPanel.caption = "88.400";
  });
  editor_.FormActivate();
  c_.StationNameEdit[2] = long_name;
  c_.PresetEdit[2] = "90.000";
  editor_.OKBtnClick();
  for (int style = 1; style <= kPanelCount; ++style) {
    EXPECT_EQ(panels_.Style(style).FreqPanel.hint, long_name) << style;
    EXPECT_EQ(panels_.Style(style).FreqPanel.caption, "88.400") << style;
  }
  EXPECT_EQ(panels_.Style(6).StationIDLabel->caption, long_name);
  EXPECT_EQ(panels_.Style(7).StationIDLabel->caption, long_name);

  // After a direct tuning nothing on the panels names a preset.
  panels_.ForEach([](PanelSurface& panel) { panel.PresetDisplay.caption = kDirectMark; });
  editor_.FormActivate();
  c_.StationNameEdit[2] = "Other";
  editor_.OKBtnClick();
  EXPECT_EQ(panels_.Main().FreqPanel.hint, long_name);
}

// --- In the radio ------------------------------------------------------------------------------

class PresetEditorRadioTest : public testing::ControllerTest {
 protected:
  PresetEditor& editor_ = radio_.preset_form();
  PresetEditorControls& c_ = editor_.controls();
};

TEST_F(PresetEditorRadioTest, OpensFromTheMenuOnlyWithTheRadioOnAndTimersKeepRunning) {
  fake_.events().MenuClick("Presets1");  // disabled: no form is expected
  fake_.SwitchOn();
  fake_.timers.Advance(3000);
  fake_.events().Click(1, "MemoryBtn");
  fake_.forms.Expect(ModalForm::kPresetForm, [&] {
    editor_.FormActivate();
    EXPECT_EQ(radio_.panels().Main().PresetMemoryLight, kLime);
    fake_.timers.Advance(3000);
    EXPECT_EQ(radio_.panels().Main().PresetMemoryLight, kGreen);
    editor_.CancelBtnClick();
  });
  fake_.events().MenuClick("Presets1");
}

TEST_F(PresetEditorRadioTest, DoubleClickRecallsAStoredFrequencyAndTunesAnyOtherDirectly) {
  fake_.SwitchOn();
  editor_.FormActivate();
  editor_.PrevBtnClick();  // presets 91 to 100
  editor_.EditBtnClick();
  c_.PresetEdit[0] = "88.400";   // preset 3's, typed but not committed
  c_.PresetEdit[1] = "106.200";  // preset 92's in the store
  radio_.dispatcher().Run([&] { editor_.PresetEditDblClick(2); });
  EXPECT_EQ(radio_.panels().Style(4).PresetDisplay.caption, "92");
  EXPECT_EQ(radio_.panels().Style(4).Presets[1].light, kLime);
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 10);

  radio_.dispatcher().Run([&] { editor_.PresetEditDblClick(1); });
  EXPECT_EQ(radio_.panels().Style(4).PresetDisplay.caption, "3");

  c_.PresetEdit[2] = "99.950";
  radio_.dispatcher().Run([&] { editor_.PresetEditDblClick(3); });
  EXPECT_EQ(radio_.panels().Style(4).PresetDisplay.caption, kDirectMark);
  EXPECT_EQ(radio_.panels().Style(4).FreqPanel.caption, "99.950");
  EXPECT_EQ(radio_.panels().Style(4).Presets[2].light, kGreen);
  EXPECT_EQ(radio_.presets(), PresetStore{});
}

TEST_F(PresetEditorRadioTest, OkWritesThePresetsFileAndAFailedSaveKeepsTheDialogOpen) {
  editor_.FormActivate();
  c_.StationNameEdit[0] = "Jazz FM";
  radio_.dispatcher().Run([&] { editor_.OKBtnClick(); });
  EXPECT_TRUE(editor_.closed());
  EXPECT_EQ(testing::ReadFileBytes(PresetsPath()).substr(0, 17), "88.000\r\nJazz FM\r\n");

  radio_.presets().PresetFileName = folder_.File("missing/Mine.CFG");
  dialogs_.AnswerMessage(MessageResult::kOk);
  editor_.FormActivate();
  c_.PresetEdit[1] = "0.000";
  radio_.dispatcher().Run([&] { editor_.OKBtnClick(); });
  EXPECT_EQ(dialogs_.boxes,
            (std::vector<ScriptedDialogs::Box>{
                {"Invalid filename", MessageKind::kError, MessageButtons::kOk, 0}}));
  EXPECT_FALSE(editor_.closed());
  EXPECT_EQ(radio_.presets().PresetFreq(2), 0);
  EXPECT_EQ(radio_.presets().StationName(1), "Jazz FM");
}

}  // namespace
}  // namespace orvaltic
