#include "gui/platform/qt_timer_host.h"

#include <gtest/gtest.h>

#include <QMetaObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

namespace orvaltic::gui {
namespace {

QTimer* FindQTimer(const QtTimerHost& host, const char* name) {
  return host.TimerParent()->findChild<QTimer*>(QString::fromLatin1(name),
                                                Qt::FindDirectChildrenOnly);
}

void EmitTimeout(QTimer* timer) {
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
}

TEST(QtTimerHostTest, EqualIntervalDoesNotRestartButAChangedOneDoes) {
  QtTimerHost host;
  auto timer = host.CreateTimer("Timer3");
  timer->SetInterval(100000);
  timer->SetOnTimer([] {});
  QTimer* qtimer = FindQTimer(host, "Timer3");
  ASSERT_NE(qtimer, nullptr);
  ASSERT_TRUE(qtimer->isActive());
  EXPECT_FALSE(qtimer->isSingleShot());
  EXPECT_EQ(qtimer->timerType(), Qt::PreciseTimer);
  EXPECT_EQ(qtimer->interval(), 100000);

  // Let some real time pass (a wait for a condition, not for a fixed time).
  ASSERT_TRUE(QTest::qWaitFor([&] { return qtimer->remainingTime() <= 99998; }, 5000));
  const int before = qtimer->remainingTime();

  timer->SetInterval(100000);
  EXPECT_LE(qtimer->remainingTime(), before);

  timer->SetInterval(200000);
  EXPECT_GT(qtimer->remainingTime(), 100000);
  EXPECT_EQ(qtimer->interval(), 200000);

  timer->SetEnabled(false);
  EXPECT_FALSE(qtimer->isActive());
  timer->SetEnabled(true);
  EXPECT_TRUE(qtimer->isActive());
}

TEST(QtTimerHostTest, TimeoutRunsTheHandlerWhileEnabled) {
  QtTimerHost host;
  auto timer = host.CreateTimer("Timer6");
  int ticks = 0;
  timer->SetInterval(100);
  timer->SetOnTimer([&] { ++ticks; });
  QTimer* qtimer = FindQTimer(host, "Timer6");
  ASSERT_NE(qtimer, nullptr);

  EmitTimeout(qtimer);
  EmitTimeout(qtimer);
  EXPECT_EQ(ticks, 2);

  timer->SetEnabled(false);
  EmitTimeout(qtimer);  // a timeout already queued when the timer was disabled
  EXPECT_EQ(ticks, 2);
}

TEST(QtTimerHostTest, AFreshTimerWaitsForItsHandlerAndZeroIntervalStopsIt) {
  QtTimerHost host;
  auto timer = host.CreateTimer("Timer1");
  QTimer* qtimer = FindQTimer(host, "Timer1");
  ASSERT_NE(qtimer, nullptr);
  EXPECT_FALSE(qtimer->isActive());
  timer->SetOnTimer([] {});
  EXPECT_TRUE(qtimer->isActive());
  EXPECT_EQ(qtimer->interval(), 1000);
  timer->SetInterval(0);
  EXPECT_FALSE(qtimer->isActive());
}

TEST(QtTimerHostTest, HandlerMayDestroyItsOwnTimer) {
  QtTimerHost host;
  std::unique_ptr<Timer> timer = host.CreateTimer("Timer2");
  int ticks = 0;
  timer->SetOnTimer([&] {
    ++ticks;
    timer.reset();
  });
  QPointer<QTimer> qtimer = FindQTimer(host, "Timer2");
  ASSERT_NE(qtimer, nullptr);
  EmitTimeout(qtimer);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer, nullptr);
  // The QTimer goes once control is back in the event loop.
  ASSERT_TRUE(QTest::qWaitFor([&] { return qtimer == nullptr; }, 5000));
}

TEST(QtTimerHostTest, TimersAndHostMayGoInEitherOrder) {
  auto host = std::make_unique<QtTimerHost>();
  auto first = host->CreateTimer("Timer4");
  auto second = host->CreateTimer("Timer5");
  first->SetOnTimer([] {});
  second->SetOnTimer([] {});
  first.reset();
  EXPECT_EQ(FindQTimer(*host, "Timer4"), nullptr);
  ASSERT_NE(FindQTimer(*host, "Timer5"), nullptr);

  host.reset();
  // The QTimer went with the host; the timer must still be safe to use and destroy.
  second->SetInterval(50);
  second->SetEnabled(false);
  EXPECT_FALSE(second->Running());
  second.reset();
}

}  // namespace
}  // namespace orvaltic::gui
