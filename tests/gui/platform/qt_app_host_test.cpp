#include "gui/platform/qt_app_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace orvaltic::gui {
namespace {

class CountingWindow : public QWidget {
 public:
  int closes = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closes;
    event->ignore();
  }
};

// Runs the application's event loop until something ends it; a watchdog ends it with 1.
int RunEventLoop() {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  watchdog.start(10000);
  return QApplication::exec();
}

TEST(QtAppHostTest, TerminateEndsEveryEventLoopWithoutClosingWindows) {
  QtAppHost host;
  CountingWindow window;
  window.show();
  bool inner_loop_ended = false;
  QTimer::singleShot(0, [&] {
    // As from a modal box that is open when the program is told to end.
    QEventLoop inner;
    QTimer::singleShot(0, [&] { host.Terminate(); });
    inner.exec();
    inner_loop_ended = true;
  });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_TRUE(inner_loop_ended);
  EXPECT_TRUE(host.TerminateRequested());
  EXPECT_EQ(window.closes, 0);
}

TEST(QtAppHostTest, TerminateBeforeTheEventLoopEndsItAsSoonAsItRuns) {
  QtAppHost host;
  host.Terminate();
  host.Terminate();
  EXPECT_EQ(RunEventLoop(), 0);
}

TEST(QtAppHostTest, MinimizeApplicationMinimisesTheShownWindowsOnly) {
  QtAppHost host;
  QWidget shown;
  QWidget other;
  QWidget hidden;
  shown.show();
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  host.MinimizeApplication();
  EXPECT_TRUE(shown.isMinimized());
  EXPECT_TRUE(other.isMinimized());
  EXPECT_FALSE(hidden.isVisible());
  EXPECT_FALSE(hidden.isMinimized());
}

}  // namespace
}  // namespace orvaltic::gui
