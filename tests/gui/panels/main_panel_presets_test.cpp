// Preset recall, paging and direct access clicked on the main window, on the real controller
// with the fake platform: what the user sees after each click.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/radio/card_decoder.h"
#include "gui/platform/text_codec.h"
#include "radio_window_fixture.h"
#include "support/recording_port.h"

namespace orvaltic::gui {
namespace {

using namespace orvaltic::testing;

const QColor kLit(0, 255, 0);

class MainPanelPresetsTest : public testing::RadioWindowTest {
 protected:
  void SetUp() override {
    StartRadio();
    radio_.presets().PresetFreq(3) = 101.1;
    radio_.presets().StationName(3) = "City FM 101";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !radio_.life_cycle().FirstPaintPending(); }, 5000));
    Click("PwrBtn");
    ASSERT_TRUE(radio_.PowerOn());
    port_.Clear();
  }

  // The numbers (1..10) of the preset lights that are lit.
  std::string LitLights() {
    std::string lit;
    for (int n = 1; n <= 10; ++n) {
      if (Named<BevelPanel>("Preset" + std::to_string(n) + "Light").FillColor() == kLit) {
        lit += std::to_string(n) + " ";
      }
    }
    return lit;
  }
  // The kHz the card was last programmed with, from the bytes written since the last Clear().
  std::int64_t TunedKHz() {
    CardDecoder card;
    for (const PortWrite& write : port_.writes) {
      EXPECT_FALSE(card.Feed(write.value).has_value());
    }
    EXPECT_EQ(card.GoodTransfers(), 1);
    return CardDecoder::FrequencyKHz(card.State().tuning_word.value_or(0));
  }
};

TEST_F(MainPanelPresetsTest, ARecalledPresetLightsItsButtonAndShowsItsStation) {
  Click("Preset3");

  // The synthesiser gets the grid point below what is shown.
  EXPECT_EQ(TunedKHz(), 101075);
  EXPECT_EQ(LitLights(), "3 ");
  EXPECT_EQ(Named<QLabel>("PresetDisplay").text(), "3");
  auto& display = Named<BevelPanel>("FreqPanel");
  EXPECT_EQ(display.Caption(), "101.100");
  EXPECT_EQ(display.toolTip(), PlainToolTip(QStringLiteral("City FM 101")));

  // The next page: its captions, and no light, since preset 3 is not on it.
  Click("Next10Btn");
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(Named<QAbstractButton>("Preset" + std::to_string(n)).text(),
              QString::fromStdString("  " + std::to_string(n + 10)))
        << n;
  }
  EXPECT_EQ(LitLights(), "");
  EXPECT_EQ(Named<QLabel>("PresetDisplay").text(), "3");

  // Back on the first page the recalled preset's light is lit again.
  Click("Prev10Btn");
  EXPECT_EQ(Named<QAbstractButton>("Preset1").text(), "  1");
  EXPECT_EQ(LitLights(), "3 ");
}

TEST_F(MainPanelPresetsTest, ADirectTuningShowsTheMarkAndPutsThePresetLightsOut) {
  Click("Preset3");
  port_.Clear();
  // Out of the band first: the range box, then the question again.
  dialogs_.AnswerInput("120").AnswerMessage(MessageResult::kOk).AnswerInput("99.5");
  Click("DirectAccessBtn");

  ASSERT_EQ(dialogs_.queries.size(), 2U);
  EXPECT_EQ(dialogs_.queries[0].caption, "Direct Frequency Access");
  EXPECT_EQ(dialogs_.queries[0].prompt, "Enter frequency:");
  ASSERT_EQ(dialogs_.boxes.size(), 3U);  // the two start-up boxes and the range error
  EXPECT_EQ(dialogs_.boxes.back().text, "Valid frequency range is 88-108.");
  EXPECT_EQ(TunedKHz(), 99475);
  EXPECT_EQ(Named<QLabel>("PresetDisplay").text(), "D");
  EXPECT_EQ(Named<BevelPanel>("FreqPanel").Caption(), "99.500");
  EXPECT_EQ(LitLights(), "");
}

}  // namespace
}  // namespace orvaltic::gui
