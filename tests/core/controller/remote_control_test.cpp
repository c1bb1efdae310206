#include "core/controller/remote_control.h"

#include <gtest/gtest.h>

#include <cstdint>
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
  // A reply and the virtual time it came at.
  struct Answered {
    RemoteControl::Reply reply;
    std::int64_t at;
    friend bool operator==(const Answered&, const Answered&) = default;
  };
  void Run(const std::vector<std::string>& args) {
    remote_.RunCardCommand(args, [this](const RemoteControl::Reply& reply) {
      answers_.push_back({reply, remote_radio_.timers.Now()});
    });
  }

  bool accepting_ = true;
  RemoteControl remote_{remote_radio_.radio, [this] { return accepting_; }};
  std::vector<Answered> answers_;
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

TEST_F(RemoteControlTest, RecallsNeverStoreWhileTheMemoryIsArmed) {
  remote_radio_.events().Click(1, "TuneUpBtn");  // shows a frequency no preset holds
  Click({"TuneUpBtn"});
  remote_radio_.events().Click(1, "MemoryBtn");
  remote_radio_.port.Clear();
  clicked_radio_.port.Clear();
  remote_.Next();  // 3
  Run({"preset", "27"});
  Run({"station", "jazz"});
  EXPECT_EQ(answers_, (std::vector<Answered>{{{}, 0}, {{}, 0}}));
  remote_.Previous();  // 98
  // The same recalls as a user's clicks without the memory.
  Click({"Preset3", "Next10Btn", "Next10Btn", "Preset7", "Prev10Btn", "Prev10Btn", "Preset3",
         "Prev10Btn", "Preset8"});
  ExpectTwins();
  EXPECT_EQ(remote_radio_.radio.presets().PresetFreq(3), 90.5);
  EXPECT_EQ(remote_radio_.radio.presets().StationName(3), "Jazz");
  EXPECT_EQ(remote_radio_.radio.presets().PresetFreq(27), 101.0);
  EXPECT_EQ(remote_radio_.radio.presets().StationName(98), "");
  EXPECT_EQ(remote_radio_.panels().Main().PresetMemoryLight, kLime) << "still armed for the user";
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
  };
  const std::vector<Case> cases = {
      {{"station", "jazz"}, kCardExitOk},
      {{"preset", "95"}, kCardExitUsage},
      {{"station", "rock"}, kCardExitUsage},
      {{"--port", "0x20C", "mute"}, RemoteControl::kOtherCard},
      {{"--port=780", "mute"}, kCardExitOk},
      {{"bogus"}, kCardExitUsage},
      {{"mute"}, kCardExitOk},  // muted already: nothing pressed
      {{"volume", "down"}, kCardExitUsage},
  };
  for (const Case& c : cases) {
    answers_.clear();
    Run(c.args);
    ASSERT_EQ(answers_.size(), 1u) << c.args[0];
    EXPECT_EQ(answers_[0].reply.exit_code, c.exit_code) << c.args[0];
  }
  Click({"Preset3", "MuteBtn"});
  ExpectTwins();

  // The refusal repeats a sane length of the user's text, which orvaltic-card escapes.
  const std::string unknown = "\x1B[2J" + std::string(5000, 'x');
  answers_.clear();
  Run({"station", unknown});
  ASSERT_EQ(answers_.size(), 1u);
  EXPECT_EQ(answers_[0].reply.message,
            "no station name of the running radio contains '" + unknown.substr(0, 60) + "...'");

  remote_radio_.radio.power().SwitchOff(false);
  answers_.clear();
  Run({"tune", "99.5"});
  EXPECT_EQ(answers_, (std::vector<Answered>{{{kCardExitUsage, "the radio is switched off"}, 0}}));
  EXPECT_EQ(remote_.Status(), PlaybackStatus::kStopped);
}

// The card's pulses as (down byte, time it went down), and whether each ended before the next.
TEST_F(RemoteControlTest, VolumeCommandsAnswerWhenTheirStepsAreDoneOneAfterAnother) {
  remote_radio_.port.Clear();
  Run({"volume", "up", "3"});
  Run({"volume", "down", "2"});  // handed over while the first is under way: it waits
  EXPECT_TRUE(answers_.empty());
  remote_radio_.timers.Advance(2000);
  // Each answers a spacing after its last press; the second starts right then.
  EXPECT_EQ(answers_, (std::vector<Answered>{{{}, 600}, {{}, 1000}}));
  Click({"IncVolumeBtn"});
  clicked_radio_.timers.Advance(100);
  Click({"IncVolumeBtn"});
  clicked_radio_.timers.Advance(100);
  Click({"IncVolumeBtn"});
  clicked_radio_.timers.Advance(100);
  Click({"DecVolumeBtn"});
  clicked_radio_.timers.Advance(100);
  Click({"DecVolumeBtn"});
  clicked_radio_.timers.Advance(100);
  ExpectTwins();  // five whole pulses, none lost in another
}

TEST_F(RemoteControlTest, NothingQueuedRunsWhileAModalWindowIsOpen) {
  Run({"volume", "up", "5"});
  Run({"mute"});
  remote_radio_.timers.Advance(250);  // two presses made
  accepting_ = false;                 // the close question opens
  remote_radio_.port.Clear();
  remote_radio_.timers.Advance(3000);
  EXPECT_EQ(answers_,
            (std::vector<Answered>{
                {{kCardExitUnreachable,
                  "stopped after 2 of 5 volume steps: the radio has a window open that waits "
                  "for an answer"},
                 400},
                {{kCardExitUsage, "the radio has a window open that waits for an answer"}, 400}}));
  EXPECT_EQ(remote_radio_.port.Values(), (std::vector<std::uint8_t>{0xC8})) << "the pulse ends";
  EXPECT_EQ(remote_.Status(), PlaybackStatus::kPlaying);

  accepting_ = true;
  remote_radio_.events().Click(1, "MuteBtn");
  answers_.clear();
  Run({"volume", "up"});
  EXPECT_EQ(answers_, (std::vector<Answered>{{{kCardExitUsage, "the radio is muted"}, 3250}}));
}

}  // namespace
}  // namespace orvaltic::testing
