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

const ScriptedDialogs::Box kRangeBox{"Valid frequency range is 88-108.", MessageKind::kError,
                                     MessageButtons::kOk, 0};

class DirectAccessTest : public ControllerTest {
 protected:
  void SetUp() override {
    fake_.SwitchOn();
    fake_.panels().SetFreqCaption("99.500");
  }

  void Open(int style = 1, const std::string& control = "DirectAccessBtn") {
    fake_.events().Click(style, control);
  }
  std::vector<std::string> Captions() {
    return fake_.OnEveryPanel([](PanelSurface& p) { return p.FreqPanel.caption; });
  }
  std::vector<std::string> PresetDisplays() {
    return fake_.OnEveryPanel([](PanelSurface& p) { return p.PresetDisplay.caption; });
  }
  std::vector<std::string> QueryTexts() const {
    std::vector<std::string> texts;
    for (const auto& q : dialogs_.queries) {
      EXPECT_EQ(q.caption, "Direct Frequency Access");
      EXPECT_EQ(q.prompt, "Enter frequency:");
      texts.push_back(q.text);
    }
    return texts;
  }
  std::vector<std::int64_t> Sent() { return DecodedTransfersKHz(port_.writes); }
};

struct AcceptCase {
  const char* entry;
  const char* shown;
  std::int64_t sent_khz;
};

class DirectAcceptTest : public DirectAccessTest,
                         public ::testing::WithParamInterface<AcceptCase> {};

TEST_P(DirectAcceptTest, ShowsTheEntryAsThreeDecimalsAndTunesIt) {
  const AcceptCase& c = GetParam();
  dialogs_.AnswerInput(c.entry);
  Open();
  EXPECT_EQ(QueryTexts(), std::vector<std::string>{"99.500"});
  EXPECT_EQ(Captions(), Seven(std::string(c.shown)));
  EXPECT_EQ(radio_.tuner().DirectFreqText(), c.shown);
  EXPECT_EQ(PresetDisplays(), Seven(std::string("D")));
  EXPECT_EQ(Sent(), std::vector<std::int64_t>{c.sent_khz});
  EXPECT_TRUE(dialogs_.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Entries, DirectAcceptTest,
                         ::testing::Values(AcceptCase{"88", "88.000", 88000},
                                           AcceptCase{"108", "108.000", 107975},
                                           AcceptCase{" 99.5", "99.500", 99475},
                                           AcceptCase{"+101.7", "101.700", 101675},
                                           AcceptCase{"107.9996", "108.000", 107975}));

class DirectRejectTest : public DirectAccessTest,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(DirectRejectTest, BeepsShowsTheRangeAndAsksAgainFromTheDisplay) {
  dialogs_.AnswerInput(GetParam()).AnswerMessage(MessageResult::kOk).AnswerInput("100");
  Open();
  EXPECT_EQ(dialogs_.beeps, 1);
  EXPECT_EQ(dialogs_.boxes, std::vector<ScriptedDialogs::Box>{kRangeBox});
  // The rejected entry is not offered again.
  EXPECT_EQ(QueryTexts(), (std::vector<std::string>{"99.500", "99.500"}));
  EXPECT_EQ(Captions(), Seven(std::string("100.000")));
  EXPECT_EQ(Sent(), std::vector<std::int64_t>{99975});
}

INSTANTIATE_TEST_SUITE_P(Entries, DirectRejectTest,
                         ::testing::Values("108.0004", "87.9999", "99,5", "99.5 ", "abc", "", "inf",
                                           "nan", "0x60", "-99.5"));

TEST_F(DirectAccessTest, CancelAtAnyRoundChangesNothing) {
  fake_.panels().ForEach([](PanelSurface& p) { p.PresetDisplay.caption = "12"; });
  dialogs_.AnswerInput("1")
      .AnswerMessage(MessageResult::kOk)
      .AnswerInput("200")
      .AnswerMessage(MessageResult::kOk)
      .AnswerInput(std::nullopt);
  Open();
  EXPECT_EQ(dialogs_.beeps, 2);
  EXPECT_EQ(dialogs_.queries.size(), 3u);
  EXPECT_EQ(Captions(), Seven(std::string("99.500")));
  EXPECT_EQ(PresetDisplays(), Seven(std::string("12")));
  EXPECT_TRUE(port_.writes.empty());
}

TEST_F(DirectAccessTest, AfterARecallEveryPanelShowsDNoLightAndNoStationName) {
  radio_.presets().StationName(12) = "Radio Twelve";
  fake_.events().Click(1, "Next10Btn");
  fake_.events().Click(1, "Preset2");
  ASSERT_EQ(radio_.preset_buttons().CurrentPreset(), 12);
  ASSERT_EQ(radio_.panels().Main().Presets[1].light, kLime);

  dialogs_.AnswerInput("99.9");
  Open(7, "SpeedButton26");

  EXPECT_EQ(PresetDisplays(), Seven(std::string("D")));
  for (int style = 1; style <= kPanelCount; ++style) {
    for (const PresetButtonModel& button : radio_.panels().Style(style).Presets) {
      EXPECT_EQ(button.light, kGreen) << "style " << style;
    }
  }
  EXPECT_EQ(radio_.panels().Style(6).StationIDLabel->caption, " ");
  EXPECT_EQ(radio_.panels().Style(7).StationIDLabel->caption, " ");
  EXPECT_EQ(radio_.preset_buttons().CurrentPreset(), 12);
}

TEST_F(DirectAccessTest, TheCardPlaysAfterwardsEvenWithTheMuteLightLit) {
  fake_.events().Click(1, "MuteBtn");
  dialogs_.AnswerInput("95");
  Open(2, "SpeedButton3");

  CardDecoder decoder;
  for (const auto& w : port_.writes) {
    decoder.Feed(w.value);
  }
  EXPECT_TRUE(decoder.State().audio_on);
  EXPECT_EQ(radio_.panels().Main().MuteBtnLight, kLime);
}

// The box is modal but its event loop keeps the timers going.
TEST_F(DirectAccessTest, AScanKeepsSteppingWhileTheBoxIsOpen) {
  fake_.events().Click(1, "ScanUpBtn");
  dialogs_.AnswerInput("abc", [&] { fake_.timers.Advance(400); })
      .AnswerMessage(MessageResult::kOk, [&] { fake_.timers.Advance(400); })
      .AnswerInput("99.5", [&] { fake_.timers.Advance(400); });
  Open();

  // The second round is filled from the display as the scan left it.
  EXPECT_EQ(QueryTexts(), (std::vector<std::string>{"99.500", "88.200"}));
  EXPECT_EQ(Captions(), Seven(std::string("99.500")));
  EXPECT_EQ(Sent(), (std::vector<std::int64_t>{88075, 88175, 88275, 99475}));

  // The scan goes on from its own position, not from the frequency typed in.
  fake_.timers.Advance(400);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "88.400");
}

}  // namespace
}  // namespace orvaltic
