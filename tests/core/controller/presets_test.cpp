#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::DecodedTransfersKHz;
using testing::ScriptedDialogs;
using testing::Seven;

// Button n (1..10) lit, per panel: "0001000000" style strings read easily in a failure.
std::string LitButtons(const PanelSurface& panel) {
  std::string lit;
  for (const PresetButtonModel& button : panel.Presets) {
    lit.push_back(button.light == kLime ? '1' : '0');
  }
  return lit;
}

std::vector<std::string> Captions(const PanelSurface& panel) {
  std::vector<std::string> captions;
  for (const PresetButtonModel& button : panel.Presets) {
    captions.push_back(button.caption);
  }
  return captions;
}

class PresetsTest : public ControllerTest {
 protected:
  void Click(const char* control, int style = 1) { fake_.events().Click(style, control); }
  void Access(const std::string& text) {
    radio_.dispatcher().Run([&] { radio_.preset_buttons().AccessPreset(text); });
  }
  std::vector<std::string> Lit() { return fake_.OnEveryPanel(LitButtons); }
  std::vector<std::string> PresetDisplays() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.PresetDisplay.caption; });
  }
  std::vector<std::string> FreqCaptions() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.caption; });
  }
  std::vector<Color> MemoryLights() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.PresetMemoryLight; });
  }
  // What the card was tuned to, in kHz. The tuning word truncates: every grid frequency but
  // 88.000 reaches the card as the grid point 25 kHz below.
  std::vector<std::int64_t> Tuned() { return DecodedTransfersKHz(port_.writes); }
  // The start-up tick of Timer1 has passed, so a memory window starts with the next "M".
  void PastStartUpTick() { fake_.timers.Advance(3000); }
};

// --- Recall ----------------------------------------------------------------------------------

struct RecallRoute {
  int style;
  const char* control;
};

class PresetRecallTest : public PresetsTest, public ::testing::WithParamInterface<RecallRoute> {};

TEST_P(PresetRecallTest, Button3OnPage1TunesPreset3OnEveryPanel) {
  radio_.presets().StationName(3) = "Radio Three";
  fake_.SwitchOn();
  Click(GetParam().control, GetParam().style);

  EXPECT_EQ(Tuned(), std::vector<std::int64_t>{88375});
  EXPECT_EQ(FreqCaptions(), Seven(std::string("88.400")));
  EXPECT_EQ(PresetDisplays(), Seven(std::string("3")));
  EXPECT_EQ(Lit(), Seven(std::string("0010000000")));
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.hint; }),
            Seven(std::string("Radio Three")));
  EXPECT_EQ(fake_.panels().Style(6).StationIDLabel->caption, "Radio Three");
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 3);
}

INSTANTIATE_TEST_SUITE_P(FromSeveralStyles, PresetRecallTest,
                         ::testing::Values(RecallRoute{1, "Preset3"}, RecallRoute{4, "Preset3"},
                                           RecallRoute{7, "Preset3"}));

TEST_F(PresetsTest, RecallWhileMutedMutesTheCardAgainAfterTheTransfer) {
  fake_.SwitchOn();
  Click("MuteBtn");
  port_.Clear();
  Click("Preset2");
  std::vector<std::uint8_t> expected = testing::TransferBytes(88.2);
  expected.push_back(0x00);
  expected.push_back(0xC0);
  EXPECT_EQ(port_.Values(), expected);
  EXPECT_EQ(fake_.panels().Main().MuteBtnLight, kLime);
}

TEST_F(PresetsTest, AnEmptyOrOutOfBandPresetIsNotRecalled) {
  radio_.presets().PresetFreq(4) = 0.0;
  radio_.presets().PresetFreq(5) = 108.1;
  fake_.SwitchOn();
  Click("Preset1");
  port_.Clear();
  Click("Preset4");
  Click("Preset5");
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_EQ(PresetDisplays(), Seven(std::string("1")));
  EXPECT_EQ(Lit(), Seven(std::string("1000000000")));
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 1);
  EXPECT_EQ(dialogs_.beeps, 0);
}

TEST_F(PresetsTest, WithTheRadioOffPresetPageAndMemoryButtonsDoNothing) {
  for (const char* control : {"Preset1", "Next10Btn", "Prev10Btn", "MemoryBtn"}) {
    Click(control);
  }
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 1);
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 0);
  EXPECT_EQ(fake_.panels().Main(), DesignedSurface(1));
  EXPECT_EQ(fake_.panels().Style(7), DesignedSurface(7));
}

TEST_F(PresetsTest, StationIdIsCutTo40And55CharactersWhileTheHintKeepsAll) {
  const std::string long_name(70, 'x');
  const std::string utf8_name = std::string(39, 'a') + "\xC3\xA9" + "zzz";  // e-acute at 40
  radio_.presets().StationName(1) = long_name;
  radio_.presets().StationName(2) = "";
  radio_.presets().StationName(3) = utf8_name;
  fake_.SwitchOn();

  Click("Preset1");
  EXPECT_EQ(fake_.panels().Style(6).StationIDLabel->caption, std::string(40, 'x'));
  EXPECT_EQ(fake_.panels().Style(7).StationIDLabel->caption, std::string(55, 'x'));
  EXPECT_EQ(fake_.panels().Style(7).FreqPanel.hint, long_name);

  Click("Preset2");
  EXPECT_EQ(fake_.panels().Style(6).StationIDLabel->caption, " ");
  EXPECT_EQ(fake_.panels().Style(7).StationIDLabel->caption, " ");

  // A typed name is never cut inside a character.
  Click("Preset3");
  EXPECT_EQ(fake_.panels().Style(6).StationIDLabel->caption, std::string(39, 'a') + "\xC3\xA9");
  EXPECT_EQ(fake_.panels().Style(7).StationIDLabel->caption, utf8_name);
}

TEST_F(PresetsTest, MouseMoveSetsTheHintOfThePageShownEvenWithTheRadioOff) {
  radio_.presets().StationName(4) = "Four";
  radio_.presets().StationName(14) = "";
  fake_.events().MouseMove(3, "Preset4");
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.Presets[3].hint; }),
            Seven(std::string("Four")));

  fake_.SwitchOn();
  Click("Next10Btn");
  fake_.events().MouseMove(6, "Preset4");
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.Presets[3].hint; }),
            Seven(std::string()));
}

// --- Pages -----------------------------------------------------------------------------------

struct PageCase {
  const char* name;
  std::vector<const char*> clicks;
  int page;
  std::vector<std::string> main_to_6;
  std::vector<std::string> style7;
};

std::ostream& operator<<(std::ostream& out, const PageCase& c) {
  return out << c.name;
}

class PresetPageTest : public PresetsTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PresetPageTest, CaptionsOnAllSevenPanels) {
  const PageCase& c = GetParam();
  fake_.SwitchOn();
  for (const char* control : c.clicks) {
    Click(control, 5);
  }
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), c.page);
  for (int style = 1; style <= 6; ++style) {
    EXPECT_EQ(Captions(fake_.panels().Style(style)), c.main_to_6) << "style " << style;
  }
  EXPECT_EQ(Captions(fake_.panels().Style(7)), c.style7);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PresetPageTest,
    ::testing::Values(
        PageCase{"MinusFromPage1ShowsPage10",
                 {"Prev10Btn"},
                 10,
                 {"  91", "  92", "  93", "  94", "  95", "  96", "  97", "  98", "  99", " 100"},
                 {"91", "92", "93", "94", "95", "96", "97", "98", "99", "100"}},
        PageCase{"PlusFromPage10ShowsPage1",
                 {"Prev10Btn", "Next10Btn"},
                 1,
                 {"  1", "  2", "  3", "  4", "  5", "  6", "  7", "  8", "  9", "  10"},
                 {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        PageCase{"TwoPagesOn",
                 {"Next10Btn", "Next10Btn"},
                 3,
                 {"  21", "  22", "  23", "  24", "  25", "  26", "  27", "  28", "  29", "  30"},
                 {"21", "22", "23", "24", "25", "26", "27", "28", "29", "30"}}));

TEST_F(PresetsTest, APageChangeLightsTheShownPresetOnlyOnItsOwnPage) {
  fake_.SwitchOn();
  Click("Preset5");
  Click("Next10Btn");
  EXPECT_EQ(Lit(), Seven(std::string("0000000000")));
  Click("Prev10Btn");
  EXPECT_EQ(Lit(), Seven(std::string("0000100000")));

  // After a direct tuning the display shows "D", which is on no page.
  Access("101.300");
  Click("Next10Btn");
  Click("Prev10Btn");
  EXPECT_EQ(PresetDisplays(), Seven(std::string("D")));
  EXPECT_EQ(Lit(), Seven(std::string("0000000000")));
}

// --- Memory ----------------------------------------------------------------------------------

TEST_F(PresetsTest, MemoryStoresTheShownFrequencyIntoTheButtonPressed) {
  fake_.SwitchOn();
  PastStartUpTick();
  Access("101.300");
  Click("Next10Btn");
  Click("SpeedButton18", 7);  // style 7's "Mem"
  fake_.timers.Advance(2000);
  port_.Clear();
  Click("Preset7");

  EXPECT_DOUBLE_EQ(radio_.presets().PresetFreq(17), 101.3);
  EXPECT_EQ(radio_.presets().StationName(17), "101.300");
  EXPECT_EQ(PresetDisplays(), Seven(std::string("17")));
  EXPECT_EQ(Lit(), Seven(std::string("0000001000")));
  EXPECT_EQ(Tuned(), std::vector<std::int64_t>{101275});
  EXPECT_EQ(MemoryLights(), Seven(kLime));
  fake_.timers.Advance(1000);
  EXPECT_EQ(MemoryLights(), Seven(kGreen));
}

TEST_F(PresetsTest, MemoryCanStoreIntoAnEmptyPreset) {
  radio_.presets().PresetFreq(9) = 0.0;
  fake_.SwitchOn();
  PastStartUpTick();
  Click("SpeedButton11", 6);  // style 6's " Memory"
  Click("Preset9");
  EXPECT_DOUBLE_EQ(radio_.presets().PresetFreq(9), 107.9);
  EXPECT_EQ(PresetDisplays(), Seven(std::string("9")));
}

TEST_F(PresetsTest, ASecondPressDisarmsAndTheButtonThenOnlyRecalls) {
  fake_.SwitchOn();
  PastStartUpTick();
  Click("MemoryBtn");
  Click("MemoryBtn");
  EXPECT_EQ(MemoryLights(), Seven(kGreen));
  Click("Preset2");
  EXPECT_DOUBLE_EQ(radio_.presets().PresetFreq(2), 88.2);
  EXPECT_EQ(radio_.presets().StationName(2), "");
  EXPECT_EQ(FreqCaptions(), Seven(std::string("88.200")));
}

TEST_F(PresetsTest, TheMemoryWindowIsNotLengthenedByPressingAgain) {
  fake_.SwitchOn();
  PastStartUpTick();
  Click("MemoryBtn");  // window ends 3000 ms from here
  fake_.timers.Advance(2000);
  Click("MemoryBtn");
  Click("MemoryBtn");  // armed again, same window
  fake_.timers.Advance(999);
  EXPECT_EQ(MemoryLights(), Seven(kLime));
  fake_.timers.Advance(1);
  EXPECT_EQ(MemoryLights(), Seven(kGreen));
  EXPECT_FALSE(radio_.TimerN(1).Enabled());

  // The next press starts a fresh window.
  Click("MemoryBtn");
  fake_.timers.Advance(2999);
  EXPECT_EQ(MemoryLights(), Seven(kLime));
  fake_.timers.Advance(1);
  EXPECT_EQ(MemoryLights(), Seven(kGreen));
}

// --- Access by frequency text ---------------------------------------------------------------

TEST_F(PresetsTest, TheFirstPresetWithTheTextIsRecalled) {
  radio_.presets().PresetFreq(57) = 88.0;
  fake_.SwitchOn();
  Access("88.000");
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 1);
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 1);
  EXPECT_EQ(PresetDisplays(), Seven(std::string("1")));
  EXPECT_EQ(Lit(), Seven(std::string("1000000000")));
}

TEST_F(PresetsTest, Preset37FromPage1TurnsThreePagesOn) {
  fake_.SwitchOn();
  Access("95.200");  // preset 37's default frequency
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 4);
  EXPECT_EQ(Captions(fake_.panels().Main())[6], "  37");
  EXPECT_EQ(PresetDisplays(), Seven(std::string("37")));
  EXPECT_EQ(Lit(), Seven(std::string("0000001000")));
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 37);
  EXPECT_EQ(Tuned(), (std::vector<std::int64_t>{95175, 95175}));

  // And back to page 1 by "-" steps.
  Access("88.200");
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 1);
  EXPECT_EQ(Lit(), Seven(std::string("0100000000")));
}

TEST_F(PresetsTest, WithTheRadioOffAPresetIsTunedAndShownButNothingElseChanges) {
  Access("95.200");
  EXPECT_EQ(Tuned(), std::vector<std::int64_t>{95175});
  EXPECT_EQ(FreqCaptions(), Seven(std::string("95.200")));
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 1);
  EXPECT_EQ(Lit(), Seven(std::string("0000000000")));
  EXPECT_EQ(PresetDisplays(), Seven(std::string()));
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 0);
}

struct NoMatchCase {
  const char* text;
  bool radio_on;
  int beeps;
  std::vector<std::int64_t> tuned;
};

class DirectTextTest : public PresetsTest, public ::testing::WithParamInterface<NoMatchCase> {};

TEST_P(DirectTextTest, TunesOrBeepsWhetherOnOrOff) {
  const NoMatchCase& c = GetParam();
  radio_.presets().PresetFreq(60) = 99.5;
  radio_.presets().PresetFreq(5) = 0.0;
  if (c.radio_on) {
    fake_.SwitchOn();
    Click("Preset1");
    port_.Clear();
  }
  const std::vector<std::string> display_before = PresetDisplays();
  const std::vector<std::string> caption_before = FreqCaptions();
  Access(c.text);
  EXPECT_EQ(dialogs_.beeps, c.beeps);
  EXPECT_EQ(Tuned(), c.tuned);
  if (c.tuned.empty()) {
    EXPECT_TRUE(port_.writes.empty());
    EXPECT_EQ(PresetDisplays(), display_before);
    EXPECT_EQ(FreqCaptions(), caption_before);
  } else {
    EXPECT_EQ(FreqCaptions(), Seven(std::string(c.text)));
    EXPECT_EQ(PresetDisplays(), Seven(std::string("D")));
    EXPECT_EQ(Lit(), Seven(std::string("0000000000")));
    EXPECT_EQ(fake_.panels().Style(6).StationIDLabel->caption, "");
    EXPECT_EQ(fake_.panels().Style(7).StationIDLabel->caption, "");
    EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), c.radio_on ? 1 : 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DirectTextTest,
    ::testing::Values(NoMatchCase{"99.5", true, 0, {99475}},  // 99.500 is not 99.5
                      NoMatchCase{"99.5", false, 0, {99475}}, NoMatchCase{"88", true, 0, {88000}},
                      NoMatchCase{"120.000", true, 1, {}}, NoMatchCase{"87.999", false, 1, {}},
                      NoMatchCase{"0.000", true, 0, {}}));  // matches the empty preset 5

TEST_F(PresetsTest, TextThatIsNoNumberShowsTheConversionErrorAndChangesNothing) {
  fake_.SwitchOn();
  for (const char* text : {"abc", "", "99,5"}) {
    dialogs_.AnswerMessage(MessageResult::kOk);
    Access(text);
    EXPECT_EQ(
        dialogs_.boxes.back(),
        (ScriptedDialogs::Box{"'" + std::string(text) + "' is not a valid floating point value",
                              MessageKind::kError, MessageButtons::kOk, 0}));
  }
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_EQ(FreqCaptions(), Seven(std::string("107.900")));
}

TEST_F(PresetsTest, AccessWithTheMemoryArmedRecallsWithoutRenamingThePreset) {
  radio_.presets().StationName(37) = "Jazz";
  fake_.SwitchOn();
  PastStartUpTick();
  Click("MemoryBtn");
  Access("95.200");
  EXPECT_EQ(radio_.presets().StationName(37), "Jazz");
  EXPECT_EQ(fake_.panels().Main().FreqPanel.hint, "Jazz");
  EXPECT_EQ(PresetDisplays(), Seven(std::string("37")));
}

// --- Switching on ---------------------------------------------------------------------------

TEST_F(PresetsTest, SwitchingOnTunesTheSavedTextAndLightsItsPreset) {
  radio_.CurrentFreqText() = "95.200";
  Click("PwrBtn");
  EXPECT_EQ(Tuned(), (std::vector<std::int64_t>{95175, 95175}));
  EXPECT_EQ(radio_.preset_buttons().PresetPage(), 4);
  EXPECT_EQ(Lit(), Seven(std::string("0000001000")));
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.PwrBtnLight; }), Seven(kRed));
}

TEST_F(PresetsTest, ASavedTextThatIsNoNumberStopsSwitchingOnWithTheLightOff) {
  radio_.CurrentFreqText() = "9x.500";
  dialogs_.AnswerMessage(MessageResult::kOk);
  Click("PwrBtn");
  EXPECT_EQ(dialogs_.boxes.back().text, "'9x.500' is not a valid floating point value");
  EXPECT_TRUE(radio_.PowerOn());
  EXPECT_TRUE(radio_.menu().Item("Presets1").enabled);
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.PwrBtnLight; }),
            Seven(kMaroon));
  EXPECT_EQ(port_.Values(), (std::vector<std::uint8_t>{0x00, 0xC8}));
}

TEST_F(PresetsTest, ASavedFrequencyOutsideTheBandOnlyBeepsAndSwitchesOn) {
  radio_.CurrentFreqText() = "120.000";
  Click("PwrBtn");
  EXPECT_EQ(dialogs_.beeps, 1);
  EXPECT_EQ(port_.Values(), (std::vector<std::uint8_t>{0x00, 0xC8}));
  EXPECT_EQ(fake_.panels().Main().PwrBtnLight, kRed);
}

}  // namespace
}  // namespace orvaltic
