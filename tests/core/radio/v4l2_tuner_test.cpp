#include "core/radio/v4l2_tuner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/radio/radio_card.h"
#include "support/fake_v4l2_system.h"
#include "support/manual_timer_host.h"

namespace orvaltic {
namespace {

using Calls = std::vector<std::string>;

// The frequency a word on the card's 25 kHz grid tunes, in each unit size.
struct UnitCase {
  std::int64_t khz;
  bool low_units;
  std::uint32_t units;
};

class FrequencyUnitsTest : public ::testing::TestWithParam<UnitCase> {};

TEST_P(FrequencyUnitsTest, RoundsToTheNearestUnit) {
  EXPECT_EQ(V4l2Tuner::FrequencyUnits(GetParam().khz, GetParam().low_units), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, FrequencyUnitsTest,
    ::testing::Values(UnitCase{88'000, false, 1408},      // exact
                      UnitCase{88'025, false, 1408},      // 1408.4 rounds down
                      UnitCase{88'050, false, 1409},      // 1408.8 rounds up
                      UnitCase{88'075, false, 1409},      // 1409.2
                      UnitCase{99'475, false, 1592},      // 1591.6: truncation would say 1591
                      UnitCase{108'000, false, 1728},     //
                      UnitCase{88'025, true, 1'408'400},  // 62.5 Hz units are exact
                      UnitCase{99'475, true, 1'591'600},  //
                      UnitCase{-1'000, false, 0}));       // below zero: no frequency at all

class V4l2TunerTest : public ::testing::Test {
 protected:
  RadioCard& Radio() {
    if (!opened_.card) {
      opened_ = OpenV4l2Tuner("orvaltic", "", system, report);
      EXPECT_NE(opened_.card, nullptr) << opened_.error;
      radio_ = std::make_unique<RadioCard>(*opened_.card, timers, card_port_);
    }
    return *radio_;
  }
  void Pulse(bool up, int times = 1) {
    for (int i = 0; i < times; ++i) {
      up ? Radio().VolumeUpPulse() : Radio().VolumeDownPulse();
      Radio().Timer2Timer();
    }
  }
  std::vector<std::string> ReportLines() const {
    std::vector<std::string> lines;
    std::istringstream in(report.str());
    for (std::string line; std::getline(in, line);) {
      lines.push_back(line);
    }
    return lines;
  }
  bool Failed() const { return opened_.card->WriteFailed(); }

  testing::FakeV4l2System system;
  std::ostringstream report;
  testing::ManualTimerHost timers;
  OpenedCard opened_;

 private:
  const std::int32_t card_port_ = 0x30C;
  std::unique_ptr<RadioCard> radio_;
};

struct TuneCase {
  bool low_units;
  std::uint32_t range_low;
  std::uint32_t range_high;
  double mhz;  // shown on the display
  std::string expected;
};

class V4l2TuneTest : public V4l2TunerTest, public ::testing::WithParamInterface<TuneCase> {};

// The tuner plays the frequency the display shows, not the card's grid point below it (the word
// of 99.500 and of 99.480 is that of 99.475 MHz).
TEST_P(V4l2TuneTest, TunesTheShownFrequencyInTheTunersUnits) {
  system.low_units = GetParam().low_units;
  system.range_low = GetParam().range_low;
  system.range_high = GetParam().range_high;
  Radio().SetFrequency(GetParam().mhz);
  EXPECT_EQ(system.Sets(), (Calls{GetParam().expected, "S_CTRL mute 0"}));
  EXPECT_TRUE(report.str().empty()) << report.str();
}

INSTANTIATE_TEST_SUITE_P(
    Units, V4l2TuneTest,
    ::testing::Values(TuneCase{false, 1400, 1728, 99.5, "S_FREQUENCY 1592"},
                      TuneCase{true, 1'400'000, 1'728'000, 99.5, "S_FREQUENCY 1592000"},
                      // Off the card's grid, to the tuner's own resolution.
                      TuneCase{true, 1'400'000, 1'728'000, 99.48, "S_FREQUENCY 1591680"},
                      TuneCase{false, 1400, 1728, 99.48, "S_FREQUENCY 1592"},
                      TuneCase{true, 1'400'000, 1'728'000, 88.0, "S_FREQUENCY 1408000"},
                      // The range's edges are in it.
                      TuneCase{false, 1592, 1592, 99.5, "S_FREQUENCY 1592"},
                      TuneCase{true, 1'592'000, 1'592'000, 99.5, "S_FREQUENCY 1592000"}));

TEST_F(V4l2TunerTest, AFrequencyOutsideTheTunersRangeIsRefusedOncePerRun) {
  system.range_high = 1440;  // 90 MHz
  Radio().SetFrequency(89.0);
  Radio().SetFrequency(99.5);
  Radio().SetFrequency(100.0);  // a scan running on: no second line
  Radio().SetFrequency(89.5);
  Radio().SetFrequency(89.5);  // tuned again, as the card would latch it again
  Radio().SetFrequency(107.0);
  EXPECT_EQ(system.Sets(),
            (Calls{"S_FREQUENCY 1424", "S_CTRL mute 0", "S_FREQUENCY 1432", "S_FREQUENCY 1432"}));
  const std::string line =
      "is outside the tuner's range, 87.500 MHz to 90.000 MHz; it stays where it was";
  EXPECT_EQ(ReportLines(), (Calls{"orvaltic: /dev/radio0: 99.500 MHz " + line,
                                  "orvaltic: /dev/radio0: 107.000 MHz " + line}));
  EXPECT_TRUE(Failed());
}

TEST_F(V4l2TunerTest, MuteAndUnmuteSetTheMuteControlAndTellTheListener) {
  struct Listener : TunerAudio {
    void SetTunerAudio(bool on) override { heard.push_back(on); }
    std::vector<bool> heard;
  } listener;
  Radio().UnMute();
  V4l2Tuner* tuner = opened_.tuner;
  ASSERT_NE(tuner, nullptr);
  tuner->SetAudioListener(&listener);  // told the state it joins at
  Radio().Mute();
  Radio().Mute();  // no change: no call
  Radio().UnMute();
  tuner->SetAudioListener(nullptr);
  Radio().Mute();
  EXPECT_EQ(system.Sets(),
            (Calls{"S_CTRL mute 0", "S_CTRL mute 1", "S_CTRL mute 0", "S_CTRL mute 1"}));
  EXPECT_EQ(listener.heard, (std::vector<bool>{true, false, true}));
  EXPECT_FALSE(Failed());
}

TEST_F(V4l2TunerTest, VolumePulsesStepTheControlWithinItsRange) {
  system.controls[V4L2_CID_AUDIO_VOLUME] = {0, 10, 4, 6};
  Pulse(true, 2);                                    // 6 -> 10 (held at the top), then nothing
  Pulse(false, 4);                                   // 10 -> 6 -> 2 -> 0, then nothing
  system.controls[V4L2_CID_AUDIO_VOLUME].value = 5;  // another mixer moved it
  Pulse(true);
  EXPECT_EQ(system.Sets(), (Calls{"S_CTRL mute 0", "S_CTRL volume 10", "S_CTRL volume 6",
                                  "S_CTRL volume 2", "S_CTRL volume 0", "S_CTRL volume 9"}));
  EXPECT_FALSE(Failed());
}

TEST_F(V4l2TunerTest, ADeviceWithoutControlsIgnoresThoseActionsAndSaysSoOnce) {
  system.controls.clear();
  Radio().Mute();
  Radio().UnMute();
  Pulse(true, 2);
  Pulse(false);
  Radio().SetFrequency(99.5);
  EXPECT_EQ(system.Sets(), (Calls{"S_FREQUENCY 1592"}));
  EXPECT_EQ(ReportLines(),
            (Calls{"orvaltic: /dev/radio0: the tuner has no mute control; mute and unmute are "
                   "ignored",
                   "orvaltic: /dev/radio0: the tuner has no volume control; the volume buttons "
                   "do nothing"}));
  EXPECT_FALSE(Failed());
}

TEST_F(V4l2TunerTest, AFailingCallIsReportedOnceAndCountsAsAFailedWrite) {
  system.errors["S_FREQUENCY"] = EIO;
  Radio().SetFrequency(99.5);
  Radio().SetFrequency(100.0);
  EXPECT_EQ(ReportLines(), (Calls{"orvaltic: /dev/radio0: cannot tune to 99.500 MHz: error 5"}));
  EXPECT_TRUE(Failed());
}

struct OpenCase {
  const char* name;
  std::string device;
  std::function<void(testing::FakeV4l2System&)> setup;
  std::string error;
};

class V4l2OpenTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(V4l2OpenTest, SaysWhichFailureAndWhatToDo) {
  testing::FakeV4l2System system;
  GetParam().setup(system);
  std::ostringstream report;
  const OpenedCard opened = OpenV4l2Tuner("orvaltic", GetParam().device, system, report);
  EXPECT_EQ(opened.card, nullptr);
  EXPECT_EQ(opened.exit_code, 1);
  EXPECT_EQ(opened.error, GetParam().error);
  EXPECT_EQ(system.open_count, 0) << "a device opened is closed again";
}

const std::string kNameIt =
    "; name the tuner's device as in ORVALTIC_CARD=v4l2:/dev/radio0 (ls /dev/radio*)";

INSTANTIATE_TEST_SUITE_P(
    Failures, V4l2OpenTest,
    ::testing::Values(
        OpenCase{"NoDevice", "", [](auto& s) { s.radio_devices.clear(); },
                 "orvaltic: no radio tuner found: there is no /dev/radio* device; plug the tuner "
                 "in and check that its driver is loaded (ls /dev/radio*), or name the device as "
                 "in ORVALTIC_CARD=v4l2:/dev/radio0"},
        OpenCase{"Missing", "/dev/radio\x1B[2J",
                 [](auto& s) { s.open_errors["/dev/radio\x1B[2J"] = ENOENT; },
                 "orvaltic: there is no radio tuner at /dev/radio\\x1B[2J (No such file or "
                 "directory): plug the tuner in, or name its device as in "
                 "ORVALTIC_CARD=v4l2:/dev/radio0 (ls /dev/radio*)"},
        OpenCase{"NotInVideoGroup", "", [](auto& s) { s.open_errors["/dev/radio0"] = EACCES; },
                 "orvaltic: no permission to open /dev/radio0 (Permission denied): add your "
                 "user to the video group (sudo adduser $USER video), then log out and in again"},
        OpenCase{"NotVideo4Linux", "/dev/null", [](auto& s) { s.video4linux = false; },
                 "orvaltic: /dev/null is not a radio tuner: it is no Video4Linux device" + kNameIt},
        OpenCase{"Camera", "/dev/video0",
                 [](auto& s) {
                   s.device_caps = V4L2_CAP_VIDEO_CAPTURE;
                   s.card_name = "Camera\n";
                 },
                 "orvaltic: /dev/video0 is not a radio tuner (\"Camera\\n\" has no radio "
                 "tuner)" +
                     kNameIt},
        OpenCase{"TvTuner", "/dev/video1",
                 [](auto& s) { s.device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_TUNER; },
                 "orvaltic: /dev/video1 is not a radio tuner (\"FM Radio\" has no radio tuner)" +
                     kNameIt},
        OpenCase{"TunerUnreadable", "", [](auto& s) { s.errors["G_TUNER"] = EIO; },
                 "orvaltic: cannot read the tuner of /dev/radio0: error 5"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(V4l2Open, TakesTheFirstRadioDeviceAndLearnsItsControls) {
  testing::FakeV4l2System system;
  system.radio_devices = {"/dev/radio1", "/dev/radio2"};
  system.controls.erase(V4L2_CID_AUDIO_MUTE);
  system.sound_card = TunerSoundCard{2, "Radio", "1-2:1.1", "", "", "", "", "", true};
  std::ostringstream report;
  const OpenedCard opened = OpenV4l2Tuner("orvaltic", "", system, report);
  ASSERT_NE(opened.tuner, nullptr);
  EXPECT_EQ(opened.tuner->device(), "/dev/radio1");
  EXPECT_EQ(opened.tuner->info().card_name, "FM Radio");
  EXPECT_FALSE(opened.tuner->info().mute);
  ASSERT_TRUE(opened.tuner->info().volume);
  EXPECT_EQ(opened.tuner->info().volume->value, 8);
  ASSERT_TRUE(opened.tuner->info().sound_card);
  EXPECT_EQ(opened.tuner->info().sound_card->id, "Radio");
}

}  // namespace
}  // namespace orvaltic
