#include "core/sdr/rds_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/rds_groups.h"

namespace orvaltic {
namespace {

using Bits = testing::RdsBits;
using testing::AddRdsGroup;
using testing::AddRdsPs;
using testing::AddRdsText;
using testing::kRdsTestPi;
using testing::RdsChars;

RdsDecoder Decode(const Bits& bits) {
  RdsDecoder decoder;
  for (const bool bit : bits) {
    decoder.PushBit(bit);
  }
  return decoder;
}

TEST(RdsDecoderTest, DecodesTheStationsNameTextTypeAndClock) {
  Bits bits(13, true);  // whatever came before: the decoder finds the blocks itself
  AddRdsPs(bits, "RADIO 1 ", {2, 0, 3, 1}, true);  // segments out of order
  const RdsDecoder half = Decode(bits);
  EXPECT_EQ(half.Station().ps, "");  // once is not enough: a name shows when it came twice
  AddRdsPs(bits, "RADIO 1 ", {1, 3, 0, 2}, true);
  AddRdsText(bits, "Morning show\r", 0);
  // Clock: MJD 61000, 13:45 UTC, +2 hours.
  const std::uint32_t mjd = 61000;
  AddRdsGroup(bits, 4, false, static_cast<std::uint16_t>(mjd >> 15),
              static_cast<std::uint16_t>(((mjd & 0x7FFF) << 1) | (13 >> 4)),
              static_cast<std::uint16_t>(((13 & 0xF) << 12) | (45 << 6) | 4));
  RdsDecoder decoder = Decode(bits);
  const RdsStation& station = decoder.Station();
  EXPECT_TRUE(decoder.Synced());
  EXPECT_EQ(station.pi, kRdsTestPi);
  EXPECT_EQ(station.pty, 10);
  EXPECT_TRUE(station.tp);
  EXPECT_TRUE(station.ta);
  EXPECT_EQ(station.ps, "RADIO 1 ");
  EXPECT_EQ(station.radio_text, "Morning show");
  ASSERT_TRUE(station.clock.has_value());
  EXPECT_EQ(*station.clock, (RdsClockTime{61000, 13, 45, 4}));

  // The A/B flag flips: the old text goes before the new one comes; 2B carries two characters.
  AddRdsText(bits, "News", 1);
  decoder = Decode(bits);
  EXPECT_EQ(decoder.Station().radio_text, "News");
  AddRdsGroup(bits, 2, true, 0, 0, RdsChars("Hi"));
  AddRdsGroup(bits, 2, true, 1, 0, RdsChars("!\r"));
  decoder = Decode(bits);
  EXPECT_EQ(decoder.Station().radio_text, "Hi!");
}

// Wrong bits in a block: a burst of one or two is corrected, three are detected and the block
// dropped, never taken wrong; at every place in the block.
TEST(RdsDecoderTest, CorrectsShortBurstsAndDropsLongerOnes) {
  Bits clean;
  AddRdsPs(clean, "ABCDEFGH");
  AddRdsPs(clean, "ABCDEFGH");
  const std::size_t block_d_of_first_group = 3 * 26;
  for (const std::vector<int>& burst : {std::vector<int>{0}, {0, 1}, {0, 1, 2}, {0, 2}}) {
    for (std::size_t at = 0; at + 3 <= 26; ++at) {
      Bits bits = clean;
      // The second group's D block, after synchronisation was found on the first group.
      for (const int k : burst) {
        const std::size_t i = 4 * 26 + block_d_of_first_group + at + static_cast<std::size_t>(k);
        bits[i] = !bits[i];
      }
      const RdsDecoder decoder = Decode(bits);
      if (burst.size() < 3 && burst.back() - burst.front() < 2) {
        EXPECT_EQ(decoder.counts().corrected, 1) << burst.size() << " at " << at;
        EXPECT_EQ(decoder.counts().dropped, 0);
        EXPECT_EQ(decoder.Station().ps, "ABCDEFGH");
      } else {
        EXPECT_EQ(decoder.counts().corrected, 0) << burst.size() << " at " << at;
        EXPECT_EQ(decoder.counts().dropped, 1);
        EXPECT_EQ(decoder.Station().ps, "");  // the second name lacks a segment
      }
    }
  }
}

// Noise loses the synchronisation; the next good blocks find it again.
TEST(RdsDecoderTest, LosesSynchronisationInNoiseAndFindsItAgain) {
  Bits bits;
  AddRdsPs(bits, "FIRST   ");
  std::uint32_t noise = 12345;
  for (int i = 0; i < 26 * 20; ++i) {
    noise = noise * 1103515245U + 12345U;
    bits.push_back(((noise >> 16) & 1U) != 0);
  }
  RdsDecoder decoder = Decode(bits);
  EXPECT_FALSE(decoder.Synced());
  EXPECT_GE(decoder.counts().dropped, 10);
  bits.push_back(true);  // and off by a bit
  AddRdsPs(bits, "SECOND  ");
  AddRdsPs(bits, "SECOND  ");
  decoder = Decode(bits);
  EXPECT_TRUE(decoder.Synced());
  EXPECT_EQ(decoder.Station().ps, "SECOND  ");
}

}  // namespace
}  // namespace orvaltic
