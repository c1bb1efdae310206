// The main panel on a controller with the fake platform: the whole path from a click on the
// window through the controller to the card and back onto the window.
#include <gtest/gtest.h>

#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "core/radio/card_decoder.h"
#include "radio_window_fixture.h"
#include "support/recording_port.h"

namespace orvaltic::gui {
namespace {

using namespace orvaltic::testing;

class MainPanelRadioTest : public testing::RadioWindowTest {
 protected:
  MainPanelRadioTest() {
    StartRadio();
    port_.Clear();
  }

  QColor LightColor(const char* name) { return Named<BevelPanel>(name).FillColor(); }
};

TEST_F(MainPanelRadioTest, ThePowerButtonSwitchesTheRadioOnAndTheWindowShowsIt) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  // The first paint puts the frequency read at start-up into the still dark display.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !radio_.life_cycle().FirstPaintPending(); }, 5000));
  auto& display = dynamic_cast<BevelPanel&>(Named("FreqPanel"));
  EXPECT_EQ(display.Caption(), "107.900");
  EXPECT_EQ(display.CaptionColor(), QColor(0, 0, 0));
  EXPECT_EQ(LightColor("PwrBtnLight"), QColor(128, 0, 0));
  Click("PwrBtn");

  EXPECT_TRUE(radio_.PowerOn());
  // Audio on, then the frequency last saved tuned (107.900 reaches the card as 107.875).
  ASSERT_GE(port_.writes.size(), 2u);
  EXPECT_EQ(port_.writes[0], (PortWrite{0x30C, 0x00}));
  EXPECT_EQ(port_.writes[1], (PortWrite{0x30C, 0xC8}));
  CardDecoder card;
  for (const PortWrite& write : port_.writes) {
    EXPECT_FALSE(card.Feed(write.value).has_value());
  }
  EXPECT_EQ(card.GoodTransfers(), 1);
  EXPECT_EQ(CardDecoder::FrequencyKHz(card.State().tuning_word.value_or(0)), 107875);
  EXPECT_EQ(LightColor("PwrBtnLight"), QColor(255, 0, 0));
  EXPECT_EQ(Named("PwrBtnLight").accessibleDescription(), "on");
  // The display lights up in the stored colours.
  EXPECT_EQ(display.CaptionColor(), QColor(0, 255, 0));

  Click("MuteBtn");
  EXPECT_EQ(LightColor("MuteBtnLight"), QColor(0, 255, 0));
  port_.Clear();
  Click("IncVolumeBtn");  // muted: refused
  EXPECT_TRUE(port_.writes.empty());
}

TEST_F(MainPanelRadioTest, ClosingTheWindowOfARadioThatIsOnSavesAndAsks) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  Click("PwrBtn");
  dialogs_.AnswerMessage(MessageResult::kCancel);
  EXPECT_FALSE(window_.close());
  EXPECT_TRUE(window_.isVisible());
  EXPECT_TRUE(std::filesystem::exists(folder_.File("Orvaltic.CFG")));
  ASSERT_EQ(dialogs_.boxes.size(), 3U);
  EXPECT_EQ(dialogs_.boxes.back().text, "Keep radio on in background?");
  EXPECT_EQ(app_.terminations, 0);

  dialogs_.AnswerMessage(MessageResult::kNo);
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_EQ(LightColor("PwrBtnLight"), QColor(128, 0, 0));
}

TEST_F(MainPanelRadioTest, ClosingTheWindowOfARadioThatIsOffEndsWithoutSaving) {
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("Orvaltic.CFG")));
}

}  // namespace
}  // namespace orvaltic::gui
