#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::DecodedTransfersKHz;
using testing::Seven;

// The card's word lies on the 25 kHz grid point at or below the frequency, and the factor
// 39.999999 puts exact grid frequencies one point lower: 108.000 MHz is sent as 107.975.
constexpr std::int64_t kKHz88 = 88000;
constexpr std::int64_t kKHz108 = 107975;

class TuningTest : public ControllerTest {
 protected:
  void SetUp() override { fake_.SwitchOn(); }

  void Click(const std::string& control, int style = 1) { fake_.events().Click(style, control); }
  void Show(const std::string& caption) { fake_.panels().SetFreqCaption(caption); }
  std::vector<std::string> Captions() {
    return fake_.OnEveryPanel([](PanelSurface& p) { return p.FreqPanel.caption; });
  }
  std::vector<std::int64_t> Sent() { return DecodedTransfersKHz(port_.writes); }
  void Tick(int count = 1) {
    fake_.timers.Advance(static_cast<std::int64_t>(count) * radio_.TimerN(3).Interval());
  }
};

// --- Tuning ---------------------------------------------------------------------------------

struct TuneCase {
  const char* shown;
  const char* control;
  int style;
  const char* expected;
  std::int64_t sent_khz;
};

class TuneStepTest : public TuningTest, public ::testing::WithParamInterface<TuneCase> {};

TEST_P(TuneStepTest, StepsFromTheShownTextWithoutABandLimit) {
  const TuneCase& c = GetParam();
  Show(c.shown);
  fake_.panels().ForEach([](PanelSurface& p) { p.PresetDisplay.caption = "12"; });

  Click(c.control, c.style);

  EXPECT_EQ(Captions(), Seven(std::string(c.expected)));
  EXPECT_EQ(Sent(), std::vector<std::int64_t>{c.sent_khz});
  // Tuning leaves what the last recall showed.
  EXPECT_EQ(fake_.OnEveryPanel([](PanelSurface& p) { return p.PresetDisplay.caption; }),
            Seven(std::string("12")));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TuneStepTest,
    ::testing::Values(TuneCase{"107.900", "TuneUpBtn", 1, "108.000", kKHz108},
                      TuneCase{"108.000", "TuneUpBtn", 1, "108.100", 108075},
                      TuneCase{"88.000", "TuneDownBtn", 1, "87.900", 87925},
                      TuneCase{"88.000", "FineTuneDownBtn", 1, "87.990", kKHz88},
                      TuneCase{"99.500", "FineTuneUpBtn", 1, "99.510", 99500},
                      // Styles whose buttons carry other names.
                      TuneCase{"99.500", "Label2", 2, "99.490", 99475},
                      TuneCase{"99.500", "Label3", 2, "99.510", 99500},
                      TuneCase{"99.500", "SpeedButton20", 7, "99.400", 99375},
                      TuneCase{"99.500", "SpeedButton12", 7, "99.600", 99575},
                      TuneCase{"99.500", "SpeedButton21", 7, "99.490", 99475},
                      TuneCase{"99.500", "SpeedButton22", 7, "99.510", 99500}));

TEST_F(TuningTest, RoundingDoesNotAccumulateOverManyFineSteps) {
  Show("88.000");
  for (int i = 0; i < 1000; ++i) {
    Click("FineTuneUpBtn");
  }
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "98.000");
}

TEST_F(TuningTest, ACaptionThatIsNoNumberFailsWithTheConversionErrorAndTunesNothing) {
  Show("abc");
  dialogs_.AnswerMessage(MessageResult::kOk);
  Click("TuneUpBtn");
  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text, "'abc' is not a valid floating point value");
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_EQ(Captions(), Seven(std::string("abc")));
}

// --- Refused with the radio off ---------------------------------------------------------------

class RadioOffTest : public ControllerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RadioOffTest, DoesNothing) {
  fake_.panels().SetFreqCaption("99.500");
  fake_.events().Click(1, GetParam());
  fake_.timers.Advance(5000);
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_FALSE(radio_.TimerN(3).Enabled());
  EXPECT_TRUE(radio_.tuner().ScanUpToggle());
  EXPECT_TRUE(radio_.tuner().ScanDownToggle());
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "99.500");
  EXPECT_TRUE(dialogs_.queries.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryControl, RadioOffTest,
                         ::testing::Values("TuneUpBtn", "TuneDownBtn", "FineTuneUpBtn",
                                           "FineTuneDownBtn", "ScanUpBtn", "ScanDownBtn",
                                           "DirectAccessBtn"));

// --- Scan buttons -----------------------------------------------------------------------------

struct ToggleCase {
  std::vector<const char*> presses;
  bool running;
  bool up;
  bool up_toggle;
  bool down_toggle;
};

class ScanToggleTest : public TuningTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ScanToggleTest, EachButtonFlipsOnlyItsOwnToggle) {
  const ToggleCase& c = GetParam();
  for (const char* press : c.presses) {
    Click(press);
  }
  EXPECT_EQ(radio_.TimerN(3).Enabled(), c.running);
  EXPECT_EQ(radio_.tuner().ScanUp(), c.up);
  EXPECT_EQ(radio_.tuner().ScanUpToggle(), c.up_toggle);
  EXPECT_EQ(radio_.tuner().ScanDownToggle(), c.down_toggle);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ScanToggleTest,
    ::testing::Values(
        ToggleCase{{"ScanUpBtn"}, true, true, false, true},
        ToggleCase{{"ScanUpBtn", "ScanUpBtn"}, false, true, true, true},
        // The other button turns a running scan round ...
        ToggleCase{{"ScanUpBtn", "ScanDownBtn"}, true, false, false, false},
        // ... and stops it at its second press.
        ToggleCase{{"ScanUpBtn", "ScanDownBtn", "ScanDownBtn"}, false, false, false, true},
        // The up toggle left false makes the next up press stop, not start.
        ToggleCase{
            {"ScanUpBtn", "ScanDownBtn", "ScanDownBtn", "ScanUpBtn"}, false, true, true, true},
        ToggleCase{{"ScanDownBtn"}, true, false, true, false}));

TEST_F(TuningTest, TheFirstTickComesOneScanRateAfterTheStartAndTheRateKeepsUntilTheNextStart) {
  radio_.options().ScanRate = 250;
  Click("ScanUpBtn");
  fake_.timers.Advance(249);
  EXPECT_TRUE(port_.writes.empty());
  fake_.timers.Advance(1);
  EXPECT_EQ(Sent(), std::vector<std::int64_t>{88075});

  radio_.options().ScanRate = 700;
  fake_.timers.Advance(250);
  EXPECT_EQ(Sent().size(), 2u);

  Click("ScanUpBtn");
  Click("ScanUpBtn");
  EXPECT_EQ(radio_.TimerN(3).Interval(), 700);
  EXPECT_EQ(fake_.timers.DueIn("Timer3"), 700);
}

TEST_F(TuningTest, TheDirectionCanTurnDuringAScan) {
  Click("ScanUpBtn");
  Tick(3);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "88.300");
  Click("ScanDownBtn");
  Tick(2);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "88.100");
  Click("ScanDownBtn");
  Tick(5);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "88.100");
}

// --- Band scan ------------------------------------------------------------------------------

TEST_F(TuningTest, ABandScanGoesOnFromScanFreqWhateverWasTunedInBetween) {
  Show("99.900");
  Click("TuneUpBtn");
  fake_.panels().ForEach([](PanelSurface& p) { p.PresetDisplay.caption = "7"; });
  port_.Clear();

  Click("ScanUpBtn");
  Tick();
  EXPECT_EQ(Captions(), Seven(std::string("88.100")));
  EXPECT_EQ(Sent(), std::vector<std::int64_t>{88075});
  EXPECT_EQ(radio_.panels().Main().PresetDisplay.caption, "7");

  // Stopped and started again, from where the last scan stood.
  Click("ScanUpBtn");
  Show("105.000");
  Click("ScanUpBtn");
  Tick();
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "88.200");
}

TEST_F(TuningTest, AnUpwardScanSendsTheStepBeyondTheTopAndThenShowsTheBottom) {
  Click("ScanUpBtn");
  Tick(200);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "108.000");
  // The sum of 200 steps of 0.1 stays just below 108, so this tick does not wrap yet.
  EXPECT_LT(radio_.tuner().ScanFreq(), 108.0);
  Tick();
  EXPECT_EQ(Captions(), Seven(std::string("88.000")));
  Tick();
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "88.100");

  const std::vector<std::int64_t> sent = Sent();
  ASSERT_EQ(sent.size(), 202u);
  EXPECT_EQ(sent[199], kKHz108);
  EXPECT_EQ(sent[200], 108075);  // about 108.1 MHz
  EXPECT_EQ(sent[201], 88075);   // 88.000 was shown, never sent
}

TEST_F(TuningTest, ADownwardScanSendsTheStepBelowTheBottomAndThenShowsTheTop) {
  Click("ScanDownBtn");
  Tick();
  EXPECT_EQ(Captions(), Seven(std::string("108.000")));
  Tick();
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "107.900");
  EXPECT_EQ(Sent(), (std::vector<std::int64_t>{87925, 107875}));
}

TEST_F(TuningTest, FineScanAccumulatesInDoublePrecisionAndWrapsAtTheTwoThousandthTick) {
  radio_.options().ScanMethod = "Fine Tune";
  Click("SpeedButton6", 7);  // style 7's "Scan up"
  Tick(1999);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "107.990");
  // The sum is just above 108 by now: the card gets it and the display wraps.
  Tick();
  EXPECT_EQ(Captions(), Seven(std::string("88.000")));
  const std::vector<std::int64_t> sent = Sent();
  ASSERT_EQ(sent.size(), 2000u);
  EXPECT_EQ(sent.back(), kKHz108);
}

TEST_F(TuningTest, AnUnknownMethodTextIsNoBandScan) {
  // Only the exact texts pick a band scan; anything else steps through the presets.
  radio_.options().ScanMethod = "tune rate";
  Click("ScanUpBtn");
  Tick();
  EXPECT_DOUBLE_EQ(radio_.tuner().ScanFreq(), 88.0);
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 1);
}

// --- Preset scan ----------------------------------------------------------------------------

class PresetScanTest : public TuningTest {
 protected:
  void SetUp() override {
    TuningTest::SetUp();
    radio_.options().ScanMethod = "Presets";
  }
  void EmptyPresets(int first, int last) {
    for (int n = first; n <= last; ++n) {
      radio_.presets().PresetFreq(n) = 0.0;
    }
  }
  std::string PresetShown() { return radio_.panels().Main().PresetDisplay.caption; }
};

TEST_F(PresetScanTest, UpwardSkipsEmptyPresetsAndRecallsTheNextOne) {
  EmptyPresets(3, 9);
  radio_.preset_buttons().CurrentPreset() = 2;
  Click("ScanUpBtn");
  Tick();
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 10);
  EXPECT_EQ(PresetShown(), "10");
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "89.800");
  EXPECT_EQ(radio_.panels().Main().Presets[9].light, kLime);
  EXPECT_EQ(Sent().back(), 89775);
}

TEST_F(PresetScanTest, UpwardFromPresetHundredTakesPresetOneEvenWhenEmpty) {
  EmptyPresets(1, 1);
  radio_.preset_buttons().CurrentPreset() = 100;
  Click("ScanUpBtn");
  Tick();
  // The empty preset gives "0.000", which tunes nothing and beeps nothing.
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 1);
  EXPECT_TRUE(port_.writes.empty());
  EXPECT_EQ(dialogs_.beeps, 0);
  Tick();
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 2);
  EXPECT_EQ(PresetShown(), "2");
}

TEST_F(PresetScanTest, DownwardSearchStopsAtPresetOneThenWrapsToHundred) {
  EmptyPresets(1, 4);
  radio_.preset_buttons().CurrentPreset() = 5;
  Click("ScanDownBtn");
  Tick();
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 1);
  EXPECT_TRUE(port_.writes.empty());
  Tick();
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 100);
  EXPECT_EQ(PresetShown(), "100");
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "107.800");
}

TEST_F(PresetScanTest, UpwardSearchStopsAtPresetHundredWhenAllAboveAreEmpty) {
  EmptyPresets(51, 100);
  radio_.preset_buttons().CurrentPreset() = 50;
  Click("ScanUpBtn");
  Tick();
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 100);
  EXPECT_TRUE(port_.writes.empty());
  Tick();
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 1);
}

TEST_F(PresetScanTest, ASharedFrequencyRecallsTheFirstPresetSoTheScanCyclesBelowIt) {
  radio_.presets().PresetFreq(5) = 99.5;
  radio_.presets().PresetFreq(20) = 99.5;
  radio_.preset_buttons().CurrentPreset() = 18;
  Click("ScanUpBtn");
  Tick(2);
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 5);
  EXPECT_EQ(PresetShown(), "5");
  Tick(15);
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 5);
}

}  // namespace
}  // namespace orvaltic
