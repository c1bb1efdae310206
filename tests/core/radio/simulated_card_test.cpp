#include "core/radio/simulated_card.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>

#include "core/radio/radio_card.h"
#include "support/manual_timer_host.h"

namespace orvaltic {
namespace {

class SimulatedCardTest : public ::testing::Test {
 protected:
  // The lines reported since the last call.
  std::string Take() {
    std::string text = report.str();
    report.str({});
    return text;
  }

  std::ostringstream report;
  SimulatedCard sim{report};
  testing::ManualTimerHost timers;
  std::int32_t card_port = 0x30C;
  RadioCard card{sim, timers, card_port};
};

TEST_F(SimulatedCardTest, ReportsOneLinePerChangeOfWhatItPlays) {
  card.UnMute();
  EXPECT_EQ(Take(), "card 030C: not tuned, audio on\n");
  card.SetFrequency(99.5);
  EXPECT_EQ(Take(), "card 030C: 99.475 MHz, audio on\n");
  card.SetFrequency(99.5);
  EXPECT_EQ(Take(), "") << "same frequency again: nothing changed";
  card.Mute();
  EXPECT_EQ(Take(), "card 030C: 99.475 MHz, audio muted\n");
  card.SetFrequency(100.0);
  EXPECT_EQ(Take(), "card 030C: 99.975 MHz, audio on\n") << "a transfer leaves the audio on";
  card.UnMute();
  EXPECT_EQ(Take(), "") << "the brief mute inside the pair is not a change";
  card.VolumeUpPulse();
  EXPECT_EQ(Take(), "card 030C: 99.975 MHz, audio on, volume +1\n");
  timers.Advance(100);
  EXPECT_EQ(Take(), "");
  card.VolumeDownPulse();
  timers.Advance(100);
  card.VolumeDownPulse();
  timers.Advance(100);
  EXPECT_EQ(Take(),
            "card 030C: 99.975 MHz, audio on, volume 0\n"
            "card 030C: 99.975 MHz, audio on, volume -1\n");
}

TEST_F(SimulatedCardTest, EachPortIsItsOwnCardAndMalformedTransfersAreReported) {
  card.SetFrequency(88.0);
  card_port = 0x20C;
  sim.WritePort(0x20C, 0xC9);
  sim.WritePort(0x20C, 0xCB);
  sim.WritePort(0x20C, 0xC8);
  EXPECT_EQ(Take(),
            "card 030C: 88.000 MHz, audio on\n"
            "card 020C: malformed transfer: 1 bit instead of 24\n"
            "card 020C: not tuned, audio on\n");
  ASSERT_NE(sim.Card(0x30C), nullptr);
  EXPECT_EQ(sim.Card(0x30C)->State().tuning_word, 3948);
  EXPECT_EQ(sim.Card(0x2F8), nullptr);
}

TEST(SimulatedCardLog, LinesAreUpperCaseHex) {
  EXPECT_EQ(SimulatedCard::LogLine(0x30C, 0xC9), "030C C9");
  EXPECT_EQ(SimulatedCard::LogLine(0xABCD, 0x0F), "ABCD 0F");
  EXPECT_EQ(SimulatedCard::LogLine(0, 0), "0000 00");
}

// Takes `room` characters, then fails like a full disk.
class FullBuffer : public std::streambuf {
 public:
  explicit FullBuffer(int room) : room_(room) {}
  std::string text;

 protected:
  int_type overflow(int_type c) override {
    if (room_ <= 0 || traits_type::eq_int_type(c, traits_type::eof())) {
      return traits_type::eof();
    }
    --room_;
    text += traits_type::to_char_type(c);
    return c;
  }

 private:
  int room_;
};

TEST(SimulatedCardLog, AFailingLogIsReportedOnceAndTheCardGoesOn) {
  FullBuffer buffer(8);
  std::ostringstream report;
  SimulatedCard sim(report, std::make_unique<std::ostream>(&buffer), "/full/card.log");
  sim.WritePort(0x30C, 0x00);
  EXPECT_FALSE(sim.WriteFailed());
  sim.WritePort(0x30C, 0xC8);
  sim.WritePort(0x30C, 0x00);
  sim.WritePort(0x30C, 0xC0);
  EXPECT_TRUE(sim.WriteFailed());
  EXPECT_EQ(buffer.text.substr(0, 8), "030C 00\n");
  EXPECT_EQ(report.str(),
            "card log /full/card.log: writing failed; no further writes are logged\n"
            "card 030C: not tuned, audio on\n"
            "card 030C: not tuned, audio muted\n");
}

}  // namespace
}  // namespace orvaltic
