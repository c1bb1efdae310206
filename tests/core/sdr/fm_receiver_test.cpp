#include "core/sdr/fm_receiver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/sdr/drift_control.h"
#include "support/fm_broadcast.h"

namespace orvaltic {
namespace {

using testing::FmBroadcast;
using testing::FmStation;
using testing::GenerateFmIq;
using testing::ToneAmplitude;

constexpr double kRate = 1.2e6;
constexpr double kAudioRate = 48'000;
// The PLL locks and stereo fades in within this; what comes before is not measured.
constexpr double kSettleSeconds = 0.35;

struct Heard {
  std::vector<float> audio;  // the settled part, interleaved L R
  bool stereo = false;
  double Level(int channel, double hz) const {
    return ToneAmplitude(audio, static_cast<std::size_t>(channel), 2, kAudioRate, hz);
  }
};

// Plays `stations` through a receiver tuned to `offset_hz`, in blocks as a source delivers them.
// `clock_ratio` is how much faster the source's clock runs than it says.
Heard Receive(const std::vector<FmStation>& stations, double offset_hz, double seconds = 0.8,
              double deemphasis_us = 50, double clock_ratio = 1) {
  FmBroadcast broadcast;
  broadcast.rate = kRate * clock_ratio;
  broadcast.seconds = seconds;
  broadcast.stations = stations;
  const std::vector<IqSample> iq = GenerateFmIq(broadcast);
  FmReceiver receiver({kRate, kAudioRate, deemphasis_us});
  receiver.SetOffset(offset_hz);
  std::vector<float> audio;
  constexpr std::size_t kBlock = 16'384;
  for (std::size_t at = 0; at < iq.size(); at += kBlock) {
    receiver.Process(iq.data() + at, std::min(kBlock, iq.size() - at), audio);
  }
  Heard heard;
  const auto skip = static_cast<std::size_t>(kSettleSeconds * kAudioRate) * 2;
  heard.audio.assign(audio.begin() + static_cast<std::ptrdiff_t>(std::min(skip, audio.size())),
                     audio.end());
  heard.stereo = receiver.Stereo();
  return heard;
}

double Db(double ratio) {
  return 20 * std::log10(ratio);
}

// The level a tone of `level` comes out at after de-emphasis of `tau_us`.
double Deemphasised(double level, double hz, double tau_us) {
  const double x = 2 * std::numbers::pi * hz * tau_us * 1e-6;
  return level / std::sqrt(1 + x * x);
}

// Also from a source whose clock runs 100 ppm fast, which moves the pilot by 2 Hz.
TEST(FmReceiverTest, PlaysAStereoToneAtItsFrequencyAndLevelWithTheChannelsApart) {
  for (const double clock_ratio : {1.0, 1.0001}) {
    FmStation station;
    station.left_hz = 1000;
    station.right_hz = 0;  // left only
    station.left_level = 0.8;
    const Heard heard = Receive({station}, 0, 0.8, 50, clock_ratio);
    ASSERT_GT(heard.audio.size(), 0.4 * kAudioRate * 2);
    EXPECT_TRUE(heard.stereo) << clock_ratio;
    const double left = heard.Level(0, 1000);
    EXPECT_NEAR(Db(left / Deemphasised(0.8, 1000, 50)), 0, 0.5) << clock_ratio;
    // The tone is where it should be: its neighbours 50 Hz away hold little of it.
    EXPECT_LT(heard.Level(0, 1050), left / 10);
    EXPECT_LT(heard.Level(0, 950), left / 10);
    EXPECT_LT(Db(heard.Level(1, 1000) / left), -30) << "stereo separation at " << clock_ratio;
  }
}

TEST(FmReceiverTest, DeemphasisFollowsItsCurve) {
  for (const double tau : {50.0, 75.0}) {
    for (const double hz : {1000.0, 5000.0, 10000.0}) {
      FmStation station;
      station.left_hz = station.right_hz = hz;
      station.left_level = station.right_level = 0.5;
      const Heard heard = Receive({station}, 0, 0.5, tau);
      for (const int channel : {0, 1}) {
        EXPECT_NEAR(Db(heard.Level(channel, hz) / Deemphasised(0.5, hz, tau)), 0, 1.0)
            << hz << " Hz, " << tau << " us, channel " << channel;
      }
    }
  }
}

TEST(FmReceiverTest, WithoutAPilotOrWithANoisySignalTheSoundIsMono) {
  FmStation station;
  station.pilot = false;
  station.left_hz = 1000;
  station.right_hz = 0;
  station.left_level = 0.8;
  Heard heard = Receive({station}, 0);
  EXPECT_FALSE(heard.stereo);
  // Both channels carry the mono sum at the same level.
  EXPECT_GT(heard.Level(0, 1000), 0.3);
  EXPECT_NEAR(Db(heard.Level(1, 1000) / heard.Level(0, 1000)), 0, 0.2);
}

TEST(FmReceiverTest, TheTunedChannelIsHeardAmongItsNeighbours) {
  std::vector<FmStation> stations(3);
  stations[0].offset_hz = 300'000;
  stations[0].left_hz = stations[0].right_hz = 1000;
  stations[1].offset_hz = 0;
  stations[1].left_hz = stations[1].right_hz = 3000;
  stations[2].offset_hz = -300'000;
  stations[2].left_hz = stations[2].right_hz = 2000;
  for (const double offset : {300'000.0, 0.0, -300'000.0}) {
    const Heard heard = Receive(stations, offset, 0.6);
    const double wanted = offset > 0 ? 1000 : offset < 0 ? 2000 : 3000;
    const double level = heard.Level(0, wanted);
    EXPECT_GT(level, 0.3) << offset;
    for (const double other : {1000.0, 2000.0, 3000.0}) {
      if (other != wanted) {
        EXPECT_LT(Db(heard.Level(0, other) / level), -40) << offset << " hears " << other;
      }
    }
  }
}

// An hour of a source whose clock runs 100 ppm fast (and one as slow) against the sound card:
// the trimmed resampler keeps the sound buffer near its target all the way, without an over- or
// under-run. Blocks of 10 ms, as a source delivers them.
TEST(DriftControlTest, AnHourOfClockOffsetNeitherOverNorUnderRuns) {
  for (const double ppm : {100.0, -100.0}) {
    constexpr double kTarget = 4800;  // 100 ms
    DriftControl drift(kTarget, kAudioRate);
    double buffered = kTarget;
    double made = 0;  // fractions of frames carried over
    double lowest = buffered;
    double highest = buffered;
    for (int block = 0; block < 360'000; ++block) {
      made += 480 * (1 + ppm * 1e-6) / 1 * drift.Ratio();
      const double whole = std::floor(made);
      made -= whole;
      buffered += whole;
      buffered -= 480;  // the sound card takes 10 ms
      lowest = std::min(lowest, buffered);
      highest = std::max(highest, buffered);
      drift.Update(buffered, 0.01);
    }
    EXPECT_GT(lowest, kTarget / 2) << ppm;
    EXPECT_LT(highest, kTarget * 1.5) << ppm;
    EXPECT_NEAR(buffered, kTarget, 480) << ppm;
  }
}

}  // namespace
}  // namespace orvaltic
