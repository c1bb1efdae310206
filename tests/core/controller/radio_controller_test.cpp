#include "core/controller/radio_controller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "controller_fixture.h"
#include "core/options/options_file.h"
#include "core/presets/preset_fields.h"
#include "support/child_process.h"

namespace orvaltic {
namespace {

using testing::ChangedState;
using testing::ControllerTest;
using testing::CrLfLines;
using testing::FakeRadio;
using testing::PortWrite;
using testing::PresetFileState;
using testing::ReadFileBytes;
using testing::RunUnprivileged;
using testing::ScriptedDialogs;
using testing::Seven;
using testing::TempFolder;
using testing::WriteFileBytes;

constexpr std::uint16_t kPort30C = 0x30C;
constexpr char kCfgNotFound[] = "File 'Orvaltic.CFG' not found.\r\nUsing default values.";
constexpr char kOptNotFound[] = "File 'Orvaltic.OPT' not found.\r\nUsing default values.";

const ScriptedDialogs::Box kKeepOnBox{"Keep radio on in background?", MessageKind::kConfirmation,
                                      MessageButtons::kYesNoCancel, 0};

ScriptedDialogs::Box ErrorBox(const std::string& text) {
  return {text, MessageKind::kError, MessageButtons::kOk, 0};
}

// Lines 201 (frequency), 207 and 208 (panel top and left) of a presets file.
struct SavedState {
  std::string freq_text;
  std::string top;
  std::string left;
  friend bool operator==(const SavedState&, const SavedState&) = default;
};

SavedState SavedStateOf(const std::string& path) {
  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(path));
  if (lines.size() != static_cast<std::size_t>(kPresetFileLineCount)) {
    return {};
  }
  return {lines[200], lines[206], lines[207]};
}

std::vector<std::uint8_t> Values(const std::vector<PortWrite>& writes) {
  std::vector<std::uint8_t> values;
  for (const PortWrite& w : writes) {
    values.push_back(w.value);
  }
  return values;
}

// --- Creation and timers ------------------------------------------------------------------

struct TimerCase {
  int n;
  int interval;
  bool enabled;
};

class TimerDesignTest : public ControllerTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(TimerDesignTest, StartsAsDesigned) {
  const TimerCase& c = GetParam();
  const Timer& timer = radio_.TimerN(c.n);
  EXPECT_EQ(timer.Name(), "Timer" + std::to_string(c.n));
  EXPECT_EQ(timer.Interval(), c.interval);
  EXPECT_EQ(timer.Enabled(), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(SevenTimers, TimerDesignTest,
                         ::testing::Values(TimerCase{1, 3000, true}, TimerCase{2, 500, false},
                                           TimerCase{3, 1000, false}, TimerCase{4, 100, false},
                                           TimerCase{5, 100, false}, TimerCase{6, 100, false},
                                           TimerCase{7, 100, false}));

TEST_F(ControllerTest, CreationSetsTheHelpFileAndDarkensTheDisplays) {
  EXPECT_EQ(radio_.help_files().ApplicationHelpFile(), "C:\\Orvaltic\\Orvaltic.HLP");
  for (int style = 1; style <= kPanelCount; ++style) {
    fake_.panels().Style(style).FreqPanel.font.color = kLime;
  }
  radio_.life_cycle().FormCreate();
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.font.color; }),
            (std::vector<Color>{kBlack, kBlack, kBlack, kBlack, kBlack, kLime, kLime}));
}

TEST_F(ControllerTest, Timer1EndsTheMemoryWindowOnEveryPanelAndStops) {
  fake_.panels().ForEach([](PanelSurface& p) { p.PresetMemoryLight = kLime; });
  fake_.timers.Advance(2999);
  EXPECT_EQ(fake_.panels().Style(7).PresetMemoryLight, kLime);
  fake_.timers.Advance(1);
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.PresetMemoryLight; }),
            Seven(kGreen));
  EXPECT_FALSE(radio_.TimerN(1).Enabled());
  EXPECT_FALSE(radio_.TimerN(1).Running());
}

// --- Start-up -----------------------------------------------------------------------------

TEST_F(ControllerTest, StartUpWithoutFilesReportsBothAndPlacesThePanelsAtTheCorner) {
  fake_.panels().ForEach([](PanelSurface& p) {
    p.top = 300;
    p.left = 400;
  });
  dialogs_.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);
  radio_.life_cycle().ReadSettingsFiles();

  const ScriptedDialogs::Box cfg{kCfgNotFound, MessageKind::kInformation, MessageButtons::kOk, 0};
  const ScriptedDialogs::Box opt{kOptNotFound, MessageKind::kInformation, MessageButtons::kOk, 0};
  EXPECT_EQ(dialogs_.boxes, (std::vector<ScriptedDialogs::Box>{cfg, opt}));
  EXPECT_EQ(dialogs_.beeps, 2);
  EXPECT_EQ(radio_.CurrentFreqText(), "107.900");
  EXPECT_EQ(radio_.options(), Options{});
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.top * 10000 + p.left; }),
            Seven(0));
}

TEST_F(ControllerTest, StartUpReadsBothFilesAndPlacesThePanels) {
  PresetFileState saved = ChangedState();
  saved.display.PanelTop = 120;
  saved.display.PanelLeft = 340;
  PanelSurface shown = DesignedSurface(1);
  shown.FreqPanel.caption = "99.900";
  SaveOrvalticCFGFile(PresetsPath(), saved.Fields(), shown);
  Options options;
  options.CardPort = 0x20C;
  options.StartupStyle = "Style 3";
  SaveOrvalticOptionsFile(options, folder_.File(kOptionsFileName));

  radio_.life_cycle().ReadSettingsFiles();

  EXPECT_TRUE(dialogs_.boxes.empty());
  EXPECT_EQ(radio_.CurrentFreqText(), "99.900");
  EXPECT_EQ(radio_.presets().StationName(7), "Old 7");
  EXPECT_EQ(radio_.options().StartupStyle, "Style 3");
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.top; }), Seven(120));
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.left; }), Seven(340));

  fake_.events().Click(1, "PwrBtn");
  ASSERT_FALSE(port_.writes.empty());
  EXPECT_EQ(port_.writes[0], (PortWrite{0x20C, 0x00}));
}

TEST_F(ControllerTest, ABadPresetsFileIsShownAndTheOptionsAreStillRead) {
  WriteFileBytes(PresetsPath(), "88.000\r\n\r\nnot a number\r\n");
  Options options;
  options.CardPort = 0x20C;
  SaveOrvalticOptionsFile(options, folder_.File(kOptionsFileName));
  dialogs_.AnswerMessage(MessageResult::kOk);

  radio_.life_cycle().ReadSettingsFiles();

  EXPECT_EQ(dialogs_.boxes, std::vector<ScriptedDialogs::Box>{ErrorBox("Invalid numeric input")});
  EXPECT_EQ(radio_.options().CardPort, 0x20C);
}

TEST_F(ControllerTest, FirstPaintShowsTheFrequencyOnEveryPanelOnce) {
  radio_.CurrentFreqText() = "95.250";
  fake_.events().Painted(2);  // a style panel's paint is not the start-up work
  EXPECT_TRUE(radio_.life_cycle().FirstPaintPending());
  fake_.events().Painted(1);
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.caption; }),
            Seven(std::string("95.250")));
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 1);

  radio_.CurrentFreqText() = "101.100";
  fake_.events().Painted(1);
  EXPECT_EQ(fake_.panels().Style(4).FreqPanel.caption, "95.250");
}

struct FirstPaintCase {
  std::string startup_style;
  std::string border_text;
  BorderStyle border;
  std::vector<std::string> checked;
};

class FirstPaintTest : public ControllerTest,
                       public ::testing::WithParamInterface<FirstPaintCase> {};

TEST_P(FirstPaintTest, AppliesTheStoredBorderAndChecksTheStartUpStyle) {
  const FirstPaintCase& c = GetParam();
  radio_.options().StartupStyle = c.startup_style;
  radio_.display().BorderStyleText = c.border_text;
  fake_.events().Painted(1);

  const PanelSurface& main = fake_.panels().Main();
  EXPECT_EQ(main.border, c.border);
  EXPECT_EQ(main.client_width, 443);
  EXPECT_EQ(main.client_height, 139);
  std::vector<std::string> checked;
  for (const MenuItem& item : radio_.menu().Item("FormStyle1").items) {
    if (item.checked) {
      checked.push_back(item.name);
    }
  }
  EXPECT_EQ(checked, c.checked);
}

INSTANTIATE_TEST_SUITE_P(
    BorderAndStyle, FirstPaintTest,
    ::testing::Values(FirstPaintCase{"Style 1", "bsSingle", BorderStyle::kSingle, {"Style1"}},
                      FirstPaintCase{"Style 1", "bsNone", BorderStyle::kNone, {"Style1"}},
                      // No presets file: the empty text means no border.
                      FirstPaintCase{"Style 1", "", BorderStyle::kNone, {"Style1"}},
                      FirstPaintCase{"Style 1", "bssingle", BorderStyle::kNone, {"Style1"}},
                      FirstPaintCase{"Style 1", "bsSingle ", BorderStyle::kNone, {"Style1"}},
                      FirstPaintCase{"Style 3", "bsSingle", BorderStyle::kSingle, {"Style3"}},
                      // Names no style: the main panel stays, nothing is checked.
                      FirstPaintCase{"style 1", "", BorderStyle::kNone, {}},
                      FirstPaintCase{"", "", BorderStyle::kNone, {}}));

// The border line of the presets file survives a run with the radio switched on and off.
class BorderRoundTripTest
    : public ControllerTest,
      public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(BorderRoundTripTest, TheSavedBorderIsTheOneShown) {
  PanelSurface shown = DesignedSurface(1);
  shown.FreqPanel.caption = "99.900";
  SaveOrvalticCFGFile(PresetsPath(), ChangedState().Fields(), shown);
  std::vector<std::string> lines = CrLfLines(ReadFileBytes(PresetsPath()));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kPresetFileLineCount));
  lines[208] = GetParam().first;
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line + "\r\n";
  }
  WriteFileBytes(PresetsPath(), bytes);
  dialogs_.AnswerMessage(MessageResult::kOk);  // no options file
  radio_.life_cycle().ReadSettingsFiles();
  fake_.events().Painted(1);
  fake_.SwitchOn();
  dialogs_.AnswerMessage(MessageResult::kNo);
  EXPECT_TRUE(fake_.events().CloseQuery(1));

  EXPECT_EQ(CrLfLines(ReadFileBytes(PresetsPath())).at(208), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(StoredBorders, BorderRoundTripTest,
                         ::testing::Values(std::pair{"bsNone", "bsNone"}, std::pair{"", "bsNone"},
                                           std::pair{"bsSingle", "bsSingle"},
                                           std::pair{"BSSINGLE", "bsNone"}));

TEST_F(ControllerTest, ThePositionIsStoredFromThePanelWhoseStyleItemIsChecked) {
  // Where the user has put each window.
  const auto spread = [](PanelSurface& p) {
    p.top = 10 * p.style;
    p.left = 100 * p.style;
  };
  fake_.panels().ForEach(spread);
  radio_.display().PanelTop = 5;
  radio_.display().PanelLeft = 6;
  // Shown, but not checked (an unknown start-up style): the position is not taken.
  fake_.panels().Main().visible = true;
  fake_.events().Activated(1);
  EXPECT_EQ(radio_.display().PanelTop, 5);
  EXPECT_EQ(radio_.display().PanelLeft, 6);

  fake_.events().Painted(1);  // switches to style 1, which places every panel
  fake_.panels().ForEach(spread);
  fake_.events().Activated(1);
  EXPECT_EQ(radio_.display().PanelTop, 10);
  EXPECT_EQ(radio_.display().PanelLeft, 100);

  // The check mark decides, not which surface claims to be visible.
  radio_.style_switcher().UncheckStyles();
  radio_.menu().Item("Style4").checked = true;
  fake_.events().Activated(4);  // style panels do nothing on activation
  EXPECT_EQ(radio_.display().PanelTop, 10);
  fake_.events().Activated(1);
  EXPECT_EQ(radio_.display().PanelTop, 40);
  EXPECT_EQ(radio_.display().PanelLeft, 400);
}

// --- Power, mute and volume ---------------------------------------------------------------

TEST_F(ControllerTest, PowerOnUnmutesFirstLightsEveryPanelAndOpensTheMenu) {
  for (const std::string& item : PopupMenuModel::PowerOnItems()) {
    EXPECT_FALSE(radio_.menu().Item(item).enabled) << item;
  }
  fake_.events().Click(1, "PwrBtn");

  ASSERT_GE(port_.writes.size(), 2u);
  EXPECT_EQ(port_.writes[0], (PortWrite{kPort30C, 0x00}));
  EXPECT_EQ(port_.writes[1], (PortWrite{kPort30C, 0xC8}));
  EXPECT_TRUE(radio_.PowerOn());
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.PwrBtnLight; }), Seven(kRed));
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.MuteBtnLight; }),
            Seven(kGreen));
  for (const std::string& item : PopupMenuModel::PowerOnItems()) {
    EXPECT_TRUE(radio_.menu().Item(item).enabled) << item;
  }
  EXPECT_TRUE(radio_.menu().Item("PresetFile1").enabled);
  EXPECT_TRUE(radio_.menu().Item("FormStyle1").enabled);
}

TEST_F(ControllerTest, MuteTwiceReturnsToPlayingOnEveryPanel) {
  fake_.SwitchOn();
  fake_.events().Click(1, "MuteBtn");
  EXPECT_EQ(Values(port_.writes), (std::vector<std::uint8_t>{0x00, 0xC0}));
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.MuteBtnLight; }), Seven(kLime));

  port_.Clear();
  fake_.events().Click(1, "MuteBtn");
  EXPECT_EQ(Values(port_.writes), (std::vector<std::uint8_t>{0x00, 0xC8}));
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.MuteBtnLight; }),
            Seven(kGreen));
}

TEST_F(ControllerTest, MuteBeforePowerOnDoesNothingSoTheAudioPlaysAfterSwitchingOn) {
  radio_.power().MuteBtnClick();
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_EQ(fake_.panels().Main().MuteBtnLight, kGreen);
  radio_.power().PwrBtnClick();
  EXPECT_EQ(port_.writes.back().value, 0xC8);
}

TEST_F(ControllerTest, TheCardPortIsReadAtEveryWrite) {
  fake_.SwitchOn();
  radio_.options().CardPort = 0x20C;
  radio_.power().MuteBtnClick();
  EXPECT_EQ(port_.writes, (std::vector<PortWrite>{{0x20C, 0x00}, {0x20C, 0xC0}}));
}

struct VolumeCase {
  const char* button;
  std::uint8_t pulse;
};

class VolumeTest : public ControllerTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(VolumeTest, APulseEndsWithTimer2) {
  fake_.SwitchOn();
  fake_.events().Click(1, GetParam().button);
  EXPECT_EQ(Values(port_.writes), std::vector<std::uint8_t>{GetParam().pulse});
  fake_.timers.Advance(99);
  EXPECT_EQ(port_.writes.size(), 1u);
  fake_.timers.Advance(1);
  EXPECT_EQ(Values(port_.writes), (std::vector<std::uint8_t>{GetParam().pulse, 0xC8}));
  EXPECT_FALSE(radio_.TimerN(2).Enabled());
}

TEST_P(VolumeTest, NothingWhileOffOrMuted) {
  fake_.events().Click(1, GetParam().button);
  EXPECT_TRUE(port_.writes.empty());

  fake_.SwitchOn();
  fake_.events().Click(1, "MuteBtn");
  port_.Clear();
  fake_.events().Click(1, GetParam().button);
  fake_.timers.Advance(1000);
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_FALSE(radio_.TimerN(2).Enabled());
}

INSTANTIATE_TEST_SUITE_P(BothButtons, VolumeTest,
                         ::testing::Values(VolumeCase{"IncVolumeBtn", 0x88},
                                           VolumeCase{"DecVolumeBtn", 0x48}));

// --- Display settings ---------------------------------------------------------------------

struct StyleWordCase {
  const char* word;
  bool bold;
  bool italic;
  bool underline;
};

class DisplaySettingsTest : public ControllerTest,
                            public ::testing::WithParamInterface<StyleWordCase> {};

TEST_P(DisplaySettingsTest, EveryPanelGetsTheStoredLookWithTheMainPanelsStyle) {
  DisplaySettings& display = radio_.display();
  display.DisplayFontName = "Courier";
  display.DisplayFontColor = 0x0000FF;
  display.DisplayFontSize = 14;
  display.DisplayFontStyle = GetParam().word;
  display.DisplayColor = 0x404040;
  // A look that an unknown word keeps: italic and underlined on the main panel only.
  FontSpec& main_font = fake_.panels().Main().FreqPanel.font;
  main_font.italic = true;
  main_font.underline = true;

  radio_.power().PwrBtnClick();

  for (int style = 1; style <= kPanelCount; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    const PanelSurface& panel = fake_.panels().Style(style);
    const FontSpec& font = panel.FreqPanel.font;
    EXPECT_EQ(font.name, "Courier");
    EXPECT_EQ(font.size, 14);
    EXPECT_EQ(font.color, 0x0000FFu);
    EXPECT_EQ(panel.FreqPanel.color, 0x404040u);
    EXPECT_EQ(font.bold, GetParam().bold);
    EXPECT_EQ(font.italic, GetParam().italic);
    EXPECT_EQ(font.underline, GetParam().underline);
    for (const LabelModel* label : {&panel.AlarmDisplayLabel, &panel.SnoozeDisplayLabel,
                                    &panel.PresetDisplay, &panel.Label1, &panel.ProgLabel}) {
      EXPECT_EQ(label->font_color, 0x0000FFu);
    }
    EXPECT_EQ(panel.StationIDLabel.has_value(), style >= 6);
    if (panel.StationIDLabel) {
      EXPECT_EQ(panel.StationIDLabel->font_color, 0x0000FFu);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(StyleWords, DisplaySettingsTest,
                         ::testing::Values(StyleWordCase{"Bold+Italic", true, true, false},
                                           StyleWordCase{"Bold", true, false, false},
                                           StyleWordCase{"Italic", false, true, false},
                                           StyleWordCase{"Regular", false, false, false},
                                           StyleWordCase{"bold", false, true, true},
                                           StyleWordCase{"", false, true, true}));

// --- Close --------------------------------------------------------------------------------

struct CloseAnswerCase {
  MessageResult answer;
  std::vector<std::uint8_t> bytes;
};

class CloseAnswerTest : public ControllerTest,
                        public ::testing::WithParamInterface<CloseAnswerCase> {};

TEST_P(CloseAnswerTest, SavesAsksAndEnds) {
  fake_.events().Painted(1);
  fake_.SwitchOn();
  fake_.panels().Main().top = 70;
  fake_.panels().Main().left = 90;
  SavedState saved_while_asking;
  dialogs_.AnswerMessage(GetParam().answer,
                         [&] { saved_while_asking = SavedStateOf(PresetsPath()); });

  EXPECT_TRUE(fake_.events().CloseQuery(1));

  EXPECT_EQ(saved_while_asking, (SavedState{"107.900", "70", "90"}));
  EXPECT_EQ(dialogs_.boxes, std::vector<ScriptedDialogs::Box>{kKeepOnBox});
  EXPECT_EQ(Values(port_.writes), GetParam().bytes);
  EXPECT_FALSE(radio_.PowerOn());
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.PwrBtnLight; }),
            Seven(kMaroon));
  EXPECT_EQ(app_.terminations, 1);
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, CloseAnswerTest,
                         ::testing::Values(CloseAnswerCase{MessageResult::kYes, {0x00, 0xC8}},
                                           CloseAnswerCase{MessageResult::kNo, {0x00, 0xC0}}));

TEST_F(ControllerTest, CancelKeepsTheRadioOnWithTheFileAlreadyWritten) {
  fake_.SwitchOn();
  dialogs_.AnswerMessage(MessageResult::kCancel);

  EXPECT_FALSE(fake_.events().CloseQuery(6));

  EXPECT_EQ(dialogs_.boxes, std::vector<ScriptedDialogs::Box>{kKeepOnBox});
  EXPECT_EQ(CrLfLines(ReadFileBytes(PresetsPath())).size(), 231u);
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_TRUE(radio_.PowerOn());
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.PwrBtnLight; }), Seven(kRed));
  EXPECT_EQ(app_.terminations, 0);

  // Still running: the controls work.
  fake_.events().Click(1, "MuteBtn");
  EXPECT_EQ(Values(port_.writes), (std::vector<std::uint8_t>{0x00, 0xC0}));
}

// A window's close, the power button, a signal and a remote's Quit all run one close sequence:
// another request while its question is open saves nothing and asks nothing.
TEST_F(ControllerTest, ACloseRequestedWhileTheQuestionIsOpenIsLeftToThatQuestion) {
  fake_.SwitchOn();
  const auto close_again = [this] {
    std::filesystem::remove(PresetsPath());
    EXPECT_FALSE(fake_.events().CloseQuery(3));
    EXPECT_FALSE(radio_.life_cycle().CloseRadio());
    fake_.events().Click(1, "PwrBtn");
  };
  dialogs_.AnswerMessage(MessageResult::kCancel, close_again);
  EXPECT_FALSE(fake_.events().CloseQuery(1));
  // Cancel ended that close: the next one asks again.
  dialogs_.AnswerMessage(MessageResult::kNo, close_again);
  EXPECT_TRUE(fake_.events().CloseQuery(1));

  EXPECT_EQ(dialogs_.boxes, std::vector<ScriptedDialogs::Box>(2, kKeepOnBox));
  EXPECT_FALSE(std::filesystem::exists(PresetsPath())) << "saved again by a second close";
  EXPECT_EQ(app_.terminations, 1);
}

TEST_F(ControllerTest, ThePowerButtonOfARunningRadioCloses) {
  fake_.SwitchOn();
  dialogs_.AnswerMessage(MessageResult::kNo);
  fake_.events().Click(7, "SpeedButton15");
  EXPECT_EQ(dialogs_.boxes, std::vector<ScriptedDialogs::Box>{kKeepOnBox});
  EXPECT_EQ(Values(port_.writes), (std::vector<std::uint8_t>{0x00, 0xC0}));
  EXPECT_EQ(app_.terminations, 1);
}

TEST_F(ControllerTest, ClosingARadioThatIsOffEndsWithoutSavingOrAsking) {
  EXPECT_TRUE(fake_.events().CloseQuery(1));
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_TRUE(dialogs_.boxes.empty());
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_FALSE(std::filesystem::exists(PresetsPath()));
}

TEST_F(ControllerTest, TheCloseWritesTheCustomFileInUse) {
  fake_.SwitchOn();
  const std::string custom = folder_.File("Mine.CFG");
  radio_.presets().PresetFileName = custom;
  dialogs_.AnswerMessage(MessageResult::kYes);
  EXPECT_TRUE(fake_.events().CloseQuery(1));
  EXPECT_EQ(CrLfLines(ReadFileBytes(custom)).size(), 231u);
  EXPECT_FALSE(std::filesystem::exists(PresetsPath()));
}

// A save that fails stops the close: the error is shown, nothing is asked, the radio plays on.
TEST(ControllerCloseTest, AFailedSaveStopsTheCloseWithTheRadioOn) {
  TempFolder folder;
  FakeRadio fake(folder.File("missing"));
  fake.SwitchOn();
  fake.dialogs.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);

  EXPECT_FALSE(fake.events().CloseQuery(1));
  fake.events().Click(1, "PwrBtn");

  EXPECT_EQ(fake.dialogs.boxes, (std::vector<ScriptedDialogs::Box>{ErrorBox("Invalid filename"),
                                                                   ErrorBox("Invalid filename")}));
  EXPECT_EQ(fake.app.terminations, 0);
  EXPECT_TRUE(fake.radio.PowerOn());
  EXPECT_EQ(fake.panels().Style(5).PwrBtnLight, kRed);
  EXPECT_TRUE(fake.port.writes.empty());
}

TEST(ControllerCloseTest, AReadOnlyFolderStopsTheCloseAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string old_file = "old presets\r\n";
  WriteFileBytes(folder.File("Orvaltic.CFG"), old_file);
  const std::optional<std::string> result = RunUnprivileged(folder, [&]() -> std::string {
    if (::chmod(folder.path().c_str(), 0555) != 0) {
      return "chmod failed";
    }
    FakeRadio fake(folder.path());
    fake.SwitchOn();
    fake.dialogs.AnswerMessage(MessageResult::kOk);
    const bool closed = fake.events().CloseQuery(1);
    std::string boxes;
    for (const auto& box : fake.dialogs.boxes) {
      boxes += box.text + ";";
    }
    return "closed=" + std::to_string(closed) + " boxes=" + boxes +
           " terminations=" + std::to_string(fake.app.terminations) +
           " on=" + std::to_string(fake.radio.PowerOn());
  });
  if (!result) {
    GTEST_SKIP() << "cannot drop privileges";
  }
  EXPECT_EQ(*result, "closed=0 boxes=File access denied; terminations=0 on=1");
  EXPECT_EQ(ReadFileBytes(folder.File("Orvaltic.CFG")), old_file);
}

}  // namespace
}  // namespace orvaltic
