#include "core/platform/timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/manual_timer_host.h"

namespace orvaltic {
namespace {

using testing::ManualTimerHost;

class TimerTest : public ::testing::Test {
 protected:
  std::unique_ptr<Timer> Make(const std::string& name, int interval, bool enabled) {
    auto t = host.CreateTimer(name);
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetOnTimer([this, name] { fired.push_back(name + "@" + std::to_string(host.Now())); });
    t->SetEnabled(enabled);
    return t;
  }

  ManualTimerHost host;
  std::vector<std::string> fired;
};

TEST_F(TimerTest, NewTimerLooksLikeAFreshComponent) {
  auto t = host.CreateTimer("T");
  EXPECT_TRUE(t->Enabled());
  EXPECT_EQ(t->Interval(), 1000);
  EXPECT_FALSE(t->Running()) << "no handler yet";
  t->SetOnTimer([] {});
  EXPECT_TRUE(t->Running());
}

TEST_F(TimerTest, FiresPeriodically) {
  auto t = Make("A", 100, true);
  host.Advance(350);
  EXPECT_EQ(fired, (std::vector<std::string>{"A@100", "A@200", "A@300"}));
}

TEST_F(TimerTest, EqualIntervalDoesNotRestart) {
  auto t = Make("A", 100, true);
  host.Advance(60);
  t->SetInterval(100);
  host.Advance(40);
  EXPECT_EQ(fired, (std::vector<std::string>{"A@100"}));
}

TEST_F(TimerTest, EqualEnabledDoesNotRestart) {
  auto t = Make("A", 100, true);
  host.Advance(60);
  t->SetEnabled(true);
  host.Advance(40);
  EXPECT_EQ(fired, (std::vector<std::string>{"A@100"}));
}

TEST_F(TimerTest, ChangedIntervalRestartsRunningTimer) {
  auto t = Make("A", 100, true);
  host.Advance(60);
  t->SetInterval(50);
  host.Advance(49);
  EXPECT_TRUE(fired.empty());
  host.Advance(1);
  EXPECT_EQ(fired, (std::vector<std::string>{"A@110"}));
}

TEST_F(TimerTest, ChangedIntervalOfDisabledTimerDoesNotStartIt) {
  auto t = Make("A", 100, false);
  t->SetInterval(10);
  host.Advance(100);
  EXPECT_TRUE(fired.empty());
  EXPECT_FALSE(t->Running());
}

TEST_F(TimerTest, EnablingStartsAFreshPeriod) {
  auto t = Make("A", 100, true);
  host.Advance(90);
  t->SetEnabled(false);
  host.Advance(50);
  t->SetEnabled(true);
  host.Advance(99);
  EXPECT_TRUE(fired.empty());
  host.Advance(1);
  EXPECT_EQ(fired, (std::vector<std::string>{"A@240"}));
}

TEST_F(TimerTest, ZeroIntervalNeverFires) {
  auto t = Make("A", 0, true);
  host.Advance(1000);
  EXPECT_TRUE(fired.empty());
  EXPECT_FALSE(t->Running());
}

TEST_F(TimerTest, DueTimersFireInTimeOrderThenArmingOrder) {
  auto slow = Make("slow", 30, true);
  auto fast = Make("fast", 20, true);
  auto same = Make("same", 30, true);
  host.Advance(60);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@20", "slow@30", "same@30", "fast@40", "slow@60",
                                             "same@60", "fast@60"}));
}

TEST_F(TimerTest, HandlerThatDisablesItselfFiresOnce) {
  auto t = host.CreateTimer("Pulse");
  t->SetEnabled(false);
  t->SetOnTimer([&] {
    fired.push_back("pulse@" + std::to_string(host.Now()));
    t->SetEnabled(false);
  });
  t->SetInterval(100);
  t->SetEnabled(true);
  host.Advance(1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"pulse@100"}));
}

TEST_F(TimerTest, TimerArmedDuringTickFiresWithinTheSameAdvance) {
  auto second = Make("second", 30, false);
  auto first = host.CreateTimer("first");
  first->SetInterval(10);
  first->SetOnTimer([&] {
    fired.push_back("first@" + std::to_string(host.Now()));
    first->SetEnabled(false);
    second->SetEnabled(true);
  });
  host.Advance(100);
  EXPECT_EQ(fired, (std::vector<std::string>{"first@10", "second@40", "second@70", "second@100"}));
}

TEST_F(TimerTest, HandlerChangingIntervalReArmsFromTheTick) {
  auto t = host.CreateTimer("Scan");
  t->SetInterval(100);
  t->SetOnTimer([&] {
    fired.push_back("scan@" + std::to_string(host.Now()));
    t->SetInterval(t->Interval() == 100 ? 250 : 100);
  });
  host.Advance(500);
  EXPECT_EQ(fired, (std::vector<std::string>{"scan@100", "scan@350", "scan@450"}));
}

TEST_F(TimerTest, DestroyedTimerNeverFires) {
  auto t = Make("A", 10, true);
  t.reset();
  host.Advance(100);
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(host.DueIn("A"), -1);
}

TEST_F(TimerTest, RemovingHandlerStopsTimer) {
  auto t = Make("A", 10, true);
  t->SetOnTimer({});
  host.Advance(100);
  EXPECT_TRUE(fired.empty());
  EXPECT_FALSE(t->Running());
}

}  // namespace
}  // namespace orvaltic
