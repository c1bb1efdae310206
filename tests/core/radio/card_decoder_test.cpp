#include "core/radio/card_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/radio/radio_card.h"
#include "support/manual_timer_host.h"
#include "support/recording_port.h"

namespace orvaltic {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Frames written by hand, independently of the encoder: clock low with the data, twice, then
// clock high, twice.
void AddBit(Bytes& out, bool one) {
  const std::uint8_t low = one ? 0xCD : 0xC9;
  out.insert(out.end(), {low, low, static_cast<std::uint8_t>(low | 0x02),
                         static_cast<std::uint8_t>(low | 0x02)});
}

Bytes Frame(std::uint16_t word, std::uint8_t control, int bits = 24) {
  Bytes out;
  for (int i = 0; i < bits; ++i) {
    AddBit(out, i < 16   ? ((word >> i) & 1) != 0
                : i < 24 ? ((control >> (23 - i)) & 1) != 0
                         : false);
  }
  out.push_back(0xC8);
  return out;
}

std::vector<std::string> FeedAll(CardDecoder& decoder, const Bytes& bytes) {
  std::vector<std::string> faults;
  for (const std::uint8_t b : bytes) {
    if (auto fault = decoder.Feed(b)) {
      faults.push_back(*fault);
    }
  }
  return faults;
}

TEST(CardDecoder, EveryGridStepDecodesBackToItsTuningWord) {
  testing::RecordingPort port;
  testing::ManualTimerHost timers;
  const std::int32_t card_port = 0x30C;
  RadioCard card(port, timers, card_port);
  CardDecoder decoder;
  for (int step = 0; step <= 800; ++step) {
    const int khz = 88000 + 25 * step;
    const double mhz = khz / 1000.0;
    port.Clear();
    card.SetFrequency(mhz);
    ASSERT_TRUE(FeedAll(decoder, port.Values()).empty()) << mhz;
    ASSERT_EQ(decoder.GoodTransfers(), step + 1);
    ASSERT_EQ(decoder.State().tuning_word, TuningWord(mhz)) << mhz;
    // The card plays the grid point below the one asked for (88.000 itself excepted).
    EXPECT_EQ(CardDecoder::FrequencyKHz(*decoder.State().tuning_word),
              step == 0 ? 88000 : khz - 25);
    EXPECT_TRUE(decoder.State().audio_on);
    EXPECT_TRUE(decoder.Settled());
  }
}

TEST(CardDecoder, HandWrittenFrameDecodes) {
  CardDecoder decoder;
  EXPECT_TRUE(FeedAll(decoder, Frame(0x1234, 0x85)).empty());
  EXPECT_EQ(decoder.State().tuning_word, 0x1234);
}

struct Malformed {
  const char* name;
  Bytes bytes;
  std::string fault;
};

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class MalformedTransferTest : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedTransferTest, IsReportedOnceAndChangesNothing) {
  CardDecoder decoder;
  ASSERT_TRUE(FeedAll(decoder, Frame(4407, 0x85)).empty());

  const auto faults = FeedAll(decoder, GetParam().bytes);
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_EQ(faults[0], GetParam().fault);
  EXPECT_EQ(decoder.State().tuning_word, 4407);
  EXPECT_EQ(decoder.GoodTransfers(), 1);

  // The next clean transfer is taken again.
  EXPECT_TRUE(FeedAll(decoder, Frame(4027, 0x85)).empty());
  EXPECT_EQ(decoder.State().tuning_word, 4027);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, MalformedTransferTest,
    ::testing::Values(
        Malformed{"Short", Frame(4027, 0x85, 23), "malformed transfer: 23 bits instead of 24"},
        Malformed{"Empty", Bytes{0xC9, 0xC8}, "malformed transfer: 0 bits instead of 24"},
        Malformed{"Long", Frame(4027, 0x85, 26), "malformed transfer: more than 24 bits"},
        Malformed{"DataMovesWhileClockHigh",
                  Concat(Bytes{0xC9, 0xC9, 0xCB, 0xCF, 0xCD}, Frame(1, 0x85)),
                  "malformed transfer: data changed while the clock was high after 1 bit"},
        Malformed{"DataMovesOnTheEdge", Bytes{0xC9, 0xCF, 0xC8},
                  "malformed transfer: data changed on the rising clock edge after 0 bits"},
        Malformed{"ClockRisesWithTransferLine", Bytes{0xCB, 0xC9, 0xC8},
                  "malformed transfer: clock rose with the transfer line after 0 bits"},
        Malformed{"ClockRisesAsTransferEnds",
                  [] {
                    Bytes b = Frame(4027, 0x85);
                    b.back() = 0xC9;  // clock low, transfer still on
                    b.push_back(0xCA);
                    b.push_back(0xC8);
                    return b;
                  }(),
                  "malformed transfer: clock rose as the transfer line dropped after 24 bits"},
        Malformed{"WrongControlWord", Frame(4027, 0x84),
                  "malformed transfer: control word 84 instead of 85"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CardDecoder, AudioFollowsItsLineAndSettlesAfterThePair) {
  CardDecoder decoder;
  decoder.Feed(0x00);
  EXPECT_FALSE(decoder.State().audio_on);
  EXPECT_FALSE(decoder.Settled()) << "both volume lines low: half of a mute pair";
  decoder.Feed(0xC8);
  EXPECT_TRUE(decoder.State().audio_on);
  EXPECT_TRUE(decoder.Settled());
  decoder.Feed(0xC9);
  EXPECT_FALSE(decoder.Settled()) << "inside a transfer";
  decoder.Feed(0xC8);
  decoder.Feed(0x00);
  decoder.Feed(0xC0);
  EXPECT_FALSE(decoder.State().audio_on);
  EXPECT_TRUE(decoder.Settled());
}

TEST(CardDecoder, VolumeStepsComeFromFallingLinesNotFromHeldOrBothLow) {
  struct Step {
    std::uint8_t byte;
    int volume;
  };
  const std::vector<Step> steps = {
      {0xC8, 0}, {0x88, 1}, {0x88, 1},  // a second press inside a pulse is the same pulse
      {0xC8, 1}, {0x48, 0}, {0xC8, 0}, {0x48, -1}, {0x88, 0},  // down released, up pressed
      {0xC8, 0}, {0x00, 0}, {0xC8, 0},                         // mute pair: both lines at once
  };
  CardDecoder decoder;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    decoder.Feed(steps[i].byte);
    EXPECT_EQ(decoder.State().volume_steps, steps[i].volume) << "write " << i;
  }
  EXPECT_TRUE(decoder.State().volume_moved);
}

TEST(CardDecoder, FrequencyText) {
  EXPECT_EQ(CardDecoder::FormatMHz(CardDecoder::FrequencyKHz(4407)), "99.475 MHz");
  // A receiver plays what the display shows: the announced frequency when the word came from it,
  // else the top of the word's 25 kHz step (exact on the grid).
  EXPECT_EQ(CardDecoder::ReceiverFrequencyKHz(4407, 99.5), 99'500);
  EXPECT_EQ(CardDecoder::ReceiverFrequencyKHz(4407, 99.48), 99'480);
  EXPECT_EQ(CardDecoder::ReceiverFrequencyKHz(4407, 101.0), 99'500);
  EXPECT_EQ(CardDecoder::ReceiverFrequencyKHz(4407, std::nullopt), 99'500);
  EXPECT_EQ(CardDecoder::ReceiverFrequencyKHz(3948, std::nullopt), 88'000);
  EXPECT_EQ(CardDecoder::ReceiverFrequencyKHz(3948, 88.0), 88'000);
  EXPECT_EQ(CardDecoder::FormatMHz(CardDecoder::FrequencyKHz(3948)), "88.000 MHz");
  EXPECT_EQ(CardDecoder::FormatMHz(CardDecoder::FrequencyKHz(4748)), "108.000 MHz");
  EXPECT_EQ(CardDecoder::FormatMHz(CardDecoder::FrequencyKHz(0)), "-10.700 MHz");
  EXPECT_EQ(CardDecoder::FormatMHz(5), "0.005 MHz");
}

}  // namespace
}  // namespace orvaltic
