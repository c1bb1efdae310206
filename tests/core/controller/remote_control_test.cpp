#include "core/controller/remote_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller_fixture.h"

namespace orvaltic::testing {
namespace {

// A remote and a user with their twin radios: whatever the remote does must write the same
// bytes and leave the same panels as the user's clicks.
class RemoteControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (FakeRadio* fake : {&remote_radio_, &clicked_radio_}) {
      for (int n = 1; n <= kPresetCount; ++n) {
        fake->radio.presets().PresetFreq(n) = 0.0;  // empty
      }
      fake->radio.presets().PresetFreq(3) = 90.5;
      fake->radio.presets().StationName(3) = "Jazz";
      fake->radio.presets().PresetFreq(27) = 101.0;
      fake->radio.presets().PresetFreq(95) = 150.0;  // out of band: skipped
      fake->radio.presets().PresetFreq(98) = 104.2;
      fake->SwitchOn();
    }
  }
  void Click(const std::vector<std::string>& controls) {
    for (const std::string& control : controls) {
      clicked_radio_.events().Click(1, control);
    }
  }
  void ExpectTwins() {
    EXPECT_EQ(remote_radio_.port.Values(), clicked_radio_.port.Values());
    EXPECT_EQ(remote_radio_.panels().Main().FreqPanel.caption,
              clicked_radio_.panels().Main().FreqPanel.caption);
    EXPECT_EQ(remote_radio_.panels().Main().PresetDisplay.caption,
              clicked_radio_.panels().Main().PresetDisplay.caption);
    EXPECT_EQ(remote_radio_.radio.preset_buttons().PresetOffset(),
              clicked_radio_.radio.preset_buttons().PresetOffset());
  }

  TempFolder remote_folder_, clicked_folder_;
  FakeRadio remote_radio_{remote_folder_.path()};
  FakeRadio clicked_radio_{clicked_folder_.path()};
  RemoteControl remote_{remote_radio_.radio};
};

TEST_F(RemoteControlTest, NextAndPreviousRecallStoredPresetsAsClicksWould) {
  remote_.Next();  // 3 on page 1
  Click({"Preset3"});
  ExpectTwins();
  remote_.Next();  // 27: two pages forward
  Click({"Next10Btn", "Next10Btn", "Preset7"});
  ExpectTwins();
  remote_.Next();  // 98, skipping the out-of-band 95: the short way back over page 1
  Click({"Prev10Btn", "Prev10Btn", "Prev10Btn", "Preset8"});
  ExpectTwins();
  remote_.Next();  // wraps to 3
  Click({"Next10Btn", "Preset3"});
  ExpectTwins();
  remote_.Previous();  // wraps back to 98
  Click({"Prev10Btn", "Preset8"});
  ExpectTwins();
  EXPECT_EQ(remote_.Playing(), (NowPlaying{"104.200", "104.200", 98}));
}

TEST_F(RemoteControlTest, PlayPauseMutesAndUnmutesAndTheStatusFollows) {
  EXPECT_EQ(remote_.Status(), PlaybackStatus::kPlaying);
  remote_.PlayPause();
  Click({"MuteBtn"});
  EXPECT_EQ(remote_.Status(), PlaybackStatus::kPaused);
  remote_.Pause();  // already paused: nothing
  remote_.Play();
  Click({"MuteBtn"});
  EXPECT_EQ(remote_.Status(), PlaybackStatus::kPlaying);
  ExpectTwins();
}

TEST_F(RemoteControlTest, TitleIsTheStationNameOnlyWhileItsPresetPlays) {
  remote_.RecallPreset(3);
  EXPECT_EQ(remote_.Playing(), (NowPlaying{"90.500", "Jazz", 3}));
  remote_radio_.events().Click(1, "TuneUpBtn");
  EXPECT_EQ(remote_.Playing().title, remote_.Playing().frequency);
  EXPECT_EQ(remote_.Playing().preset, 0);
}

TEST_F(RemoteControlTest, CardCommandsPressTheButtonsOrAreRefused) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    int volume_steps;
  };
  const std::vector<Case> cases = {
      {{"station", "jazz"}, kCardExitOk, 0},
      {{"preset", "95"}, kCardExitUsage, 0},
      {{"station", "rock"}, kCardExitUsage, 0},
      {{"volume", "up", "3"}, kCardExitOk, 3},
      {{"--port", "0x20C", "mute"}, RemoteControl::kOtherCard, 0},
      {{"bogus"}, kCardExitUsage, 0},
      {{"mute"}, kCardExitOk, 0},
      {{"mute"}, kCardExitOk, 0},  // muted already: nothing pressed
      {{"volume", "down"}, kCardExitUsage, 0},
  };
  for (const Case& c : cases) {
    int steps = -1;
    PanelAction button = PanelAction::kNone;
    EXPECT_EQ(remote_.RunCardCommand(c.args, steps, button).exit_code, c.exit_code) << c.args[0];
    EXPECT_EQ(steps, c.volume_steps) << c.args[0];
  }
  Click({"Preset3", "MuteBtn"});
  ExpectTwins();

  // The refusal repeats a sane length of the user's text, which orvaltic-card escapes.
  int none = 0;
  PanelAction no_button = PanelAction::kNone;
  const std::string unknown = "\x1B[2J" + std::string(5000, 'x');
  const std::string refusal = remote_.RunCardCommand({"station", unknown}, none, no_button).message;
  EXPECT_EQ(refusal,
            "no station name of the running radio contains '" + unknown.substr(0, 60) + "...'");

  remote_radio_.radio.power().SwitchOff(false);
  int steps = 0;
  PanelAction button = PanelAction::kNone;
  const RemoteControl::Reply reply = remote_.RunCardCommand({"tune", "99.5"}, steps, button);
  EXPECT_EQ(reply.exit_code, kCardExitUsage);
  EXPECT_EQ(reply.message, "the radio is switched off");
  EXPECT_EQ(remote_.Status(), PlaybackStatus::kStopped);
}

}  // namespace
}  // namespace orvaltic::testing
