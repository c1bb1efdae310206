#include "core/sdr/sdr_receiver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/radio/radio_card.h"
#include "support/fm_broadcast.h"
#include "support/manual_timer_host.h"
#include "support/rds_groups.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using testing::FmBroadcast;
using testing::FmStation;
using testing::TempFolder;
using testing::WriteFileBytes;

struct SettingCase {
  const char* value;
  std::string error;  // empty: parsed
  std::string target;
  double rate_hz = 0;
  double centre_hz = 0;
  bool loop = false;
  double deemphasis_us = 50;
};

TEST(SdrSettingTest, ParsesTheReceiverAndItsOptions) {
  const std::vector<SettingCase> cases = {
      {"iq:morning.cu8,rate=2.4,centre=99.9,loop", "", "morning.cu8", 2.4e6, 99.9e6, true},
      {"iq:a,b.cs16,deemph=75", "", "a,b.cs16", 0, 0, false, 75},
      {"rtlsdr", "", ""},
      {"rtlsdr:1,ppm=-12", "", "1"},
      {"rtlsdr,gain=30", "", ""},
      {"iq:", "ORVALTIC_CARD=iq: needs a file, as in iq:morning.cu8,rate=2.4,centre=99.5", ""},
      {"iq:x.cu8,rate=fast",
       "ORVALTIC_CARD: rate=fast is not a sample rate in MS/s from 0.2 to "
       "20, as in rate=2.4",
       ""},
      {"iq:x.cu8,deemph=60", "ORVALTIC_CARD: deemph=60 is not 50 or 75 (microseconds)", ""},
      {"iq:x.cu8,centre=\x1B",
       "ORVALTIC_CARD: centre=\\x1B is not a centre frequency in MHz, as "
       "in centre=99.5",
       ""},
  };
  for (const SettingCase& c : cases) {
    const std::variant<SdrSetting, std::string> parsed = ParseSdrSetting(c.value);
    if (!c.error.empty()) {
      ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.value;
      EXPECT_EQ(std::get<std::string>(parsed), c.error);
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<SdrSetting>(parsed)) << std::get<std::string>(parsed);
    const SdrSetting& setting = std::get<SdrSetting>(parsed);
    EXPECT_EQ(setting.target, c.target) << c.value;
    EXPECT_EQ(setting.rate_hz.value_or(0), c.rate_hz) << c.value;
    EXPECT_EQ(setting.centre_hz.value_or(0), c.centre_hz) << c.value;
    EXPECT_EQ(setting.loop, c.loop) << c.value;
    EXPECT_EQ(setting.deemphasis_us, c.deemphasis_us) << c.value;
  }
  EXPECT_TRUE(IsSdrSetting("iq:x"));
  EXPECT_FALSE(IsSdrSetting("v4l2"));
}

// Every way a recording can be unusable is said in one line; none is opened.
TEST(IqFileTest, SaysWhatIsWrongWithARecording) {
  TempFolder folder;
  const std::vector<std::complex<float>> iq(1000, {0.5F, -0.5F});
  std::string mono = testing::IqFileBytes(iq, "wav", 2.4e6);
  mono[22] = 1;  // one channel
  WriteFileBytes(folder.File("empty.cu8"), "");
  WriteFileBytes(folder.File("mono.wav"), mono);
  WriteFileBytes(folder.File("text.wav"), "Shopping list\r\n");
  WriteFileBytes(folder.File("plain.raw"), "abcd");
  WriteFileBytes(folder.File("good.wav"), testing::IqFileBytes(iq, "wav", 2.4e6));
  const auto error = [&](const std::string& value) {
    SdrSetting setting = std::get<SdrSetting>(ParseSdrSetting("iq:" + folder.File("") + value));
    auto opened = OpenIqFile(setting, false);
    return std::holds_alternative<std::string>(opened) ? std::get<std::string>(opened)
                                                       : std::string();
  };
  const std::string at = "\"" + folder.File("");
  EXPECT_EQ(error("empty.cu8,rate=2.4,centre=99"), at + "empty.cu8\" holds no samples");
  EXPECT_EQ(error("mono.wav,centre=99"),
            at + "mono.wav\" is not IQ: it has 1 channels, not the two of I and Q");
  EXPECT_EQ(error("text.wav,centre=99"), at + "text.wav\" is not a WAV file");
  EXPECT_EQ(error("plain.raw,rate=2.4,centre=99"),
            "cannot tell the format of " + at +
                "plain.raw\": name it .cu8, .cs16, .cf32 or .wav, or add format=cu8 (cs16, cf32, "
                "wav)");
  EXPECT_EQ(error("plain.raw,format=cu8,centre=99"),
            "the sample rate of " + at + "plain.raw\" is not known: add rate=, as in rate=2.4");
  EXPECT_EQ(error("good.wav"), "the centre frequency of " + at +
                                   "good.wav\" is not known: add centre=, as in centre=99.5");
  EXPECT_EQ(error("gone.cu8"), "cannot open the recording " + at +
                                   "gone.cu8\": No such file or "
                                   "directory");
  // The WAV header gives the rate; the samples come back as they were written.
  SdrSetting setting =
      std::get<SdrSetting>(ParseSdrSetting("iq:" + folder.File("good.wav") + ",centre=99"));
  auto opened = OpenIqFile(setting, false);
  ASSERT_TRUE(std::holds_alternative<std::unique_ptr<IqSource>>(opened));
  IqSource& source = *std::get<std::unique_ptr<IqSource>>(opened);
  EXPECT_EQ(source.Rate(), 2.4e6);
  std::vector<IqSample> samples(2000);
  std::string read_error;
  EXPECT_EQ(source.Read(samples.data(), samples.size(), read_error), 1000U);
  EXPECT_NEAR(samples[999].real(), 0.5F, 1e-4);
  EXPECT_NEAR(samples[999].imag(), -0.5F, 1e-4);
  EXPECT_EQ(source.Read(samples.data(), samples.size(), read_error), 0U);
  EXPECT_EQ(read_error, "the recording has ended");
}

// The sound device's reads: silence until the ring holds its target, then the sound; dry again,
// silence until it has gathered anew; a full ring drops its oldest frames.
TEST(AudioRingTest, StartsFullAndDropsTheOldestWhenOverrun) {
  AudioRing ring(8);
  std::vector<float> out(8, -1.0F);
  const std::vector<float> in = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10};
  ring.Write(in.data(), 3);
  EXPECT_EQ(ring.ReadPrimed(out.data(), 2, 4), 0U);  // 3 of 4 gathered: silence, kept
  EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 4), std::vector<float>(4, 0.0F));
  ring.Write(in.data() + 6, 1);
  EXPECT_EQ(ring.ReadPrimed(out.data(), 2, 4), 2U);
  EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 4), (std::vector<float>{1, 1, 2, 2}));
  EXPECT_EQ(ring.ReadPrimed(out.data(), 4, 4), 2U);  // runs dry: an underrun, primed again
  EXPECT_EQ(ring.Underruns(), 1U);
  ring.Write(in.data(), 2);
  EXPECT_EQ(ring.ReadPrimed(out.data(), 2, 4), 0U);
  ring.Write(in.data(), 10);  // more than it holds: the newest 8 stay
  EXPECT_EQ(ring.Buffered(), 8U);
  EXPECT_GE(ring.Overruns(), 1U);
  EXPECT_EQ(ring.Read(out.data(), 1), 1U);
  EXPECT_EQ(out[0], 3.0F);
}

class SdrReceiverTest : public ::testing::Test {
 protected:
  // Two stations 400 kHz apart around 99.7 MHz: 1 kHz in the left channel at 99.5, 3 kHz in
  // both at 99.9.
  std::unique_ptr<IqSource> Air(bool loop) {
    FmBroadcast broadcast;
    broadcast.rate = 1.2e6;
    broadcast.seconds = 1.0;  // whole cycles of every tone: a seamless loop
    broadcast.stations.resize(2);
    broadcast.stations[0].offset_hz = -200'000;
    broadcast.stations[0].right_hz = 0;
    broadcast.stations[1].offset_hz = 200'000;
    broadcast.stations[1].left_hz = broadcast.stations[1].right_hz = 3000;
    testing::AddRdsPs(broadcast.stations[0].rds_bits, "SOUTH   ");
    testing::AddRdsPs(broadcast.stations[1].rds_bits, "NORTH   ");
    const std::string path = folder_.File("air.cu8");
    WriteFileBytes(path,
                   testing::IqFileBytes(testing::GenerateFmIq(broadcast), "cu8", broadcast.rate));
    setting_ = std::get<SdrSetting>(
        ParseSdrSetting("iq:" + path + ",rate=1.2,centre=99.7" + (loop ? ",loop" : "")));
    return std::move(std::get<std::unique_ptr<IqSource>>(OpenIqFile(setting_, false)));
  }

  TempFolder folder_;
  SdrSetting setting_;
  std::ostringstream report_;
  testing::ManualTimerHost timers_;
  const std::int32_t port_ = 0x30C;
};

// The card's bytes become the receiver's commands: the frequency shown, audio on and off, and a
// gain step per volume pulse held to its range.
TEST_F(SdrReceiverTest, TheCardsBytesTuneMuteAndStepTheGain) {
  SdrReceiver receiver("orvaltic", Air(false), setting_, report_, false);
  RadioCard card(receiver, timers_, port_);
  card.SetFrequency(99.5);
  EXPECT_EQ(receiver.TunedKHz(), 99'500);
  EXPECT_TRUE(receiver.AudioOn());  // a transfer leaves the audio on
  card.Mute();
  EXPECT_FALSE(receiver.AudioOn());
  card.UnMute();
  EXPECT_TRUE(receiver.AudioOn());
  EXPECT_EQ(receiver.GainDb(), kSdrGainStartDb);
  for (int i = 0; i < 3; ++i) {
    card.VolumeUpPulse();
    card.Timer2Timer();
  }
  EXPECT_EQ(receiver.GainDb(), kSdrGainStartDb + 3 * kSdrGainStepDb);
  for (int i = 0; i < 40; ++i) {
    card.VolumeUpPulse();
    card.Timer2Timer();
  }
  EXPECT_EQ(receiver.GainDb(), kSdrGainMaxDb);
  for (int i = 0; i < 40; ++i) {
    card.VolumeDownPulse();
    card.Timer2Timer();
  }
  EXPECT_EQ(receiver.GainDb(), kSdrGainMinDb);
  EXPECT_TRUE(report_.str().empty()) << report_.str();
}

// Waits for `condition` on another thread's work; the bound only stops a broken build.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// The receiver's thread plays the tuned station into the ring and stops while muted.
TEST_F(SdrReceiverTest, PlaysTheTunedStationAndStopsWhileMuted) {
  SdrReceiver receiver("orvaltic", Air(true), setting_, report_, true);
  RadioCard card(receiver, timers_, port_);
  card.SetFrequency(99.5);
  // Unpaced, the recording fills the ring of a second; then the newest second is in it.
  ASSERT_TRUE(Eventually([&] { return receiver.sound().Overruns() > 2; }));
  std::vector<float> sound(2 * 16'000);
  ASSERT_EQ(receiver.sound().Read(sound.data(), 16'000), 16'000U);
  const double left = testing::ToneAmplitude(sound, 0, 2, SdrReceiver::kAudioRate, 1000);
  EXPECT_GT(left, 0.5 * 0.9 * 0.2);  // half deviation, de-emphasis, the starting gain
  EXPECT_LT(testing::ToneAmplitude(sound, 1, 2, SdrReceiver::kAudioRate, 1000), left / 20);
  EXPECT_LT(testing::ToneAmplitude(sound, 0, 2, SdrReceiver::kAudioRate, 3000), left / 100);
  EXPECT_TRUE(receiver.Stereo());
  // The tuned station's name, from the loop of its second of air; then the other's.
  EXPECT_TRUE(Eventually([&] { return receiver.Rds().ps == "SOUTH   "; }));
  card.SetFrequency(99.9);
  EXPECT_TRUE(Eventually([&] { return receiver.Rds().ps == "NORTH   "; }));

  // Muted, the ring is emptied and stays silent.
  card.Mute();
  EXPECT_TRUE(Eventually([&] { return receiver.sound().Buffered() == 0; }));
}

// A recording without loop that ends is said once; the radio goes silent and stays usable: the
// power button (audio off and on) plays it again.
TEST_F(SdrReceiverTest, ARecordingThatEndsIsSaidOnceAndPlaysAgainAfterAnOffAndOn) {
  std::mutex mutex;
  std::vector<std::string> faults;
  SdrReceiver receiver("orvaltic", Air(false), setting_, report_, true);
  receiver.SetFaultListener([&](const std::string& message) {
    const std::lock_guard lock(mutex);
    faults.push_back(message);
  });
  const auto fault_count = [&] {
    const std::lock_guard lock(mutex);
    return faults.size();
  };
  RadioCard card(receiver, timers_, port_);
  card.SetFrequency(99.5);
  ASSERT_TRUE(Eventually([&] { return fault_count() == 1; }));
  card.SetFrequency(99.9);  // still silent: nothing more is said
  card.Mute();
  card.UnMute();
  ASSERT_TRUE(Eventually([&] { return fault_count() == 2; }));
  const std::lock_guard lock(mutex);
  EXPECT_EQ(faults,
            (std::vector<std::string>{"the recording has ended", "the recording has ended"}));
}

}  // namespace
}  // namespace orvaltic
