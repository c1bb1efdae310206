#include "core/radio/radio_card.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "support/manual_timer_host.h"
#include "support/recording_port.h"

namespace orvaltic {
namespace {

using Bytes = std::vector<std::uint8_t>;

class RadioCardTest : public ::testing::Test {
 protected:
  testing::RecordingPort port;
  testing::ManualTimerHost timers;
  std::int32_t card_port = 0x30C;
  RadioCard card{port, timers, card_port};
};

TEST_F(RadioCardTest, MuteAndUnMuteWriteTheirPairs) {
  card.Mute();
  EXPECT_EQ(port.Values(), (Bytes{0x00, 0xC0}));
  port.Clear();
  card.UnMute();
  EXPECT_EQ(port.Values(), (Bytes{0x00, 0xC8}));
}

// 90.000 MHz: word 4027 = 0x0FBB, sent LSB first, then control word 0x85 MSB first.
TEST_F(RadioCardTest, SetFrequencySendsTheTwentyFourBitTransfer) {
  card.SetFrequency(90.0);
  const Bytes values = port.Values();
  ASSERT_EQ(values.size(), 97u);
  EXPECT_EQ(values.back(), 0xC8);

  const std::uint32_t word = 4027;
  const std::uint32_t control = 0x85;
  for (int bit = 0; bit < 24; ++bit) {
    const bool one = bit < 16 ? ((word >> bit) & 1u) != 0 : ((control >> (23 - bit)) & 1u) != 0;
    const Bytes expected = one ? Bytes{0xCD, 0xCD, 0xCF, 0xCF} : Bytes{0xC9, 0xC9, 0xCB, 0xCB};
    const Bytes got(values.begin() + bit * 4, values.begin() + bit * 4 + 4);
    EXPECT_EQ(got, expected) << "bit " << bit;
  }
}

TEST_F(RadioCardTest, EveryWriteGoesToTheLow16BitsOfCardPortReadAtEachWrite) {
  card_port = 0x20C;
  card.SetFrequency(100.0);
  card.Mute();
  card_port = 0x7FFF030C;  // only the low 16 bits are an address
  card.UnMute();
  card_port = -1;
  card.VolumeUpPulse();

  ASSERT_EQ(port.writes.size(), 97u + 2u + 2u + 1u);
  for (std::size_t i = 0; i < 99; ++i) {
    EXPECT_EQ(port.writes[i].port, 0x20C) << i;
  }
  EXPECT_EQ(port.writes[99].port, 0x30C);
  EXPECT_EQ(port.writes[100].port, 0x30C);
  EXPECT_EQ(port.writes[101].port, 0xFFFF);
}

TEST_F(RadioCardTest, VolumePulsesEndAHundredMillisecondsLater) {
  struct Case {
    void (RadioCard::*press)();
    std::uint8_t pulse;
  };
  for (const Case& c :
       {Case{&RadioCard::VolumeUpPulse, 0x88}, Case{&RadioCard::VolumeDownPulse, 0x48}}) {
    port.Clear();
    (card.*c.press)();
    EXPECT_EQ(port.Values(), Bytes{c.pulse});
    timers.Advance(99);
    EXPECT_EQ(port.Values(), Bytes{c.pulse});
    timers.Advance(1);
    EXPECT_EQ(port.Values(), (Bytes{c.pulse, 0xC8}));
    EXPECT_FALSE(card.Timer2().Enabled());
    timers.Advance(1000);
    EXPECT_EQ(port.writes.size(), 2u) << "the pulse ends once";
  }
}

TEST_F(RadioCardTest, ASecondPressDoesNotLengthenThePulse) {
  card.VolumeUpPulse();
  timers.Advance(50);
  card.VolumeUpPulse();
  EXPECT_EQ(port.Values(), (Bytes{0x88, 0x88}));
  timers.Advance(50);
  EXPECT_EQ(port.Values(), (Bytes{0x88, 0x88, 0xC8}));
  timers.Advance(100);
  EXPECT_EQ(port.writes.size(), 3u);
}

TEST_F(RadioCardTest, TuningDuringAPulseIsFollowedByThePulseEnd) {
  card.VolumeDownPulse();
  timers.Advance(30);
  card.SetFrequency(99.5);
  EXPECT_EQ(port.writes.size(), 98u);
  timers.Advance(70);
  ASSERT_EQ(port.writes.size(), 99u);
  EXPECT_EQ(port.writes.back().value, 0xC8);
}

TEST(RadioCardTimer, Timer2StartsDisabledAndAForeignTimerIsReleased) {
  testing::RecordingPort port;
  testing::ManualTimerHost timers;
  const std::int32_t card_port = 0x30C;
  auto timer2 = timers.CreateTimer("Timer2");
  {
    RadioCard card(port, *timer2, card_port);
    EXPECT_FALSE(timer2->Enabled());
    EXPECT_EQ(timer2->Interval(), 500);
    card.VolumeUpPulse();
    EXPECT_EQ(timers.DueIn("Timer2"), 100);
    timers.Advance(100);
    EXPECT_EQ(port.Values(), (Bytes{0x88, 0xC8}));
    card.VolumeUpPulse();
  }
  // The handler pointed at the destroyed card; it must be gone, not called.
  EXPECT_FALSE(timer2->Running());
  timers.Advance(200);
  EXPECT_EQ(port.Values(), (Bytes{0x88, 0xC8, 0x88}));
}

struct TuningRow {
  double mhz;
  std::uint16_t word;
};

class TuningWordTest : public ::testing::TestWithParam<TuningRow> {};

TEST_P(TuningWordTest, MatchesTheCardTable) {
  EXPECT_EQ(TuningWord(GetParam().mhz), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(Table, TuningWordTest,
                         ::testing::Values(TuningRow{88.000, 3948}, TuningRow{88.025, 3948},
                                           TuningRow{88.050, 3949}, TuningRow{88.100, 3951},
                                           TuningRow{90.000, 4027}, TuningRow{100.000, 4427},
                                           TuningRow{107.900, 4743}, TuningRow{108.000, 4747},
                                           TuningRow{87.900, 3945}, TuningRow{88.010, 3948},
                                           TuningRow{99.512, 4408}, TuningRow{87.975, 3948}));

TEST(TuningWord, GridPointsGiveTheWordOfThePointBelow) {
  for (int step = 1; step <= 800; ++step) {
    const double mhz = 88.0 + step * 0.025;
    ASSERT_EQ(TuningWord(mhz), 3948 + step - 1) << mhz;
  }
}

TEST(TuningWord, OnlyTheLow16BitsOfTheTruncatedValueAreKept) {
  // 2088 MHz: 79999 + 3948 = 83947 wraps to 18411; -1912 MHz: -79999 + 3948 wraps to 55021.
  EXPECT_EQ(TuningWord(2088.0), 18411);
  EXPECT_EQ(TuningWord(-1912.0), 55021);
  // Beyond 2^53 every double is a multiple of 65536: the low bits are those of 3948 alone.
  EXPECT_EQ(TuningWord(1e300), 3948);
  EXPECT_EQ(TuningWord(-1e300), 3948);
  EXPECT_EQ(TuningWord(std::numeric_limits<double>::infinity()), 3948);
  EXPECT_EQ(TuningWord(std::numeric_limits<double>::quiet_NaN()), 3948);
}

}  // namespace
}  // namespace orvaltic
