#include "gui/platform/tuner_loopback.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/radio/radio_card.h"
#include "core/radio/v4l2_tuner.h"
#include "support/fake_v4l2_system.h"
#include "support/manual_timer_host.h"

namespace orvaltic::gui {
namespace {

class TunerLoopbackTest : public ::testing::Test {
 protected:
  V4l2Tuner& Tuner() { return *opened_.tuner; }
  void Mute(bool muted) {
    RadioCard card(*opened_.card, timers_, port_);
    muted ? card.Mute() : card.UnMute();
  }

  testing::FakeV4l2System system_;
  std::ostringstream report_;
  OpenedCard opened_ = OpenV4l2Tuner("orvaltic", "", system_, report_);

 private:
  testing::ManualTimerHost timers_;
  const std::int32_t port_ = 0x30C;
};

TEST_F(TunerLoopbackTest, NoLoopWhenTurnedOffOrTheTunerHasNoSoundCard) {
  ASSERT_NE(opened_.tuner, nullptr);
  EXPECT_EQ(AttachTunerLoopback(Tuner(), "off", report_), nullptr);
  EXPECT_EQ(AttachTunerLoopback(Tuner(), nullptr, report_), nullptr);
  EXPECT_EQ(report_.str(), "");

  // An input the user named that is not there is said, not guessed.
  EXPECT_EQ(AttachTunerLoopback(Tuner(), "no-such-input\n", report_), nullptr);
  EXPECT_EQ(report_.str(),
            "orvaltic: ORVALTIC_LOOPBACK=no-such-input\\n names no sound input; the tuner's sound "
            "is not played (ORVALTIC_LOOPBACK=off turns this off)\n");
}

TEST_F(TunerLoopbackTest, FollowsTheAudioAndLetsGoOfTheTunerWhenItGoes) {
  ASSERT_NE(opened_.tuner, nullptr);
  {
    // Without a device to play it reports that once and stays stopped.
    TunerLoopback loop(&Tuner(), QAudioDevice(), report_);
    Mute(false);
    Mute(true);
    Mute(false);
    EXPECT_FALSE(loop.Running());
    EXPECT_EQ(report_.str(),
              "orvaltic: the tuner's sound cannot be played: there is no sound "
              "input\n");
  }
  // The tuner no longer reaches the loop that is gone (the sanitizer build would catch it).
  Mute(true);
  EXPECT_EQ(system_.Sets().back(), "S_CTRL mute 1");
}

}  // namespace
}  // namespace orvaltic::gui
