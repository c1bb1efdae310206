#include "gui/schedule/sched_list_form.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include <memory>
#include <stdexcept>

#include "support/fakes.h"
#include "support/manual_timer_host.h"
#include "support/scripted_dialogs.h"

namespace orvaltic::gui {
namespace {

QLabel& Label(const QWidget& parent, const QString& name) {
  auto* label = parent.findChild<QLabel*>(name);
  if (label == nullptr) {
    throw std::runtime_error(name.toStdString());
  }
  return *label;
}

TEST(SchedListFormTest, ShowsTheProgramsAndTheClockAndClosesOnAClick) {
  SchedPrograms programs;
  programs.Program(1) = {"107.900", "12/12/98", "12:30 PM", "03:00 PM"};
  orvaltic::testing::FixedClock clock({2026, 12, 8, 15, 30, 5, 0});
  orvaltic::testing::ManualTimerHost timers;
  std::unique_ptr<Timer> timer7 = timers.CreateTimer("Timer7");
  orvaltic::testing::ScriptedDialogs dialogs;
  EventDispatcher dispatcher(dialogs);
  SchedList model(programs, clock, *timer7);
  TSchedListForm form(model, dispatcher);
  timer7->SetOnTimer([&] {
    model.Timer7Timer();
    form.Render();
  });
  model.ShowScannedProgram(4);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  EXPECT_EQ(form.windowTitle(), "Program Status");
  QLabel& line = Label(form, QStringLiteral("Prog1ListLabel"));
  EXPECT_EQ(line.text(), "  1  107.900   12/12/98   12:30 PM   03:00 PM");
  EXPECT_TRUE(QFontInfo(line.font()).fixedPitch());
  EXPECT_EQ(Label(form, QStringLiteral("ScanProgLabel")).text(), "Scanning program: 4");
  EXPECT_EQ(Label(form, QStringLiteral("Prg4LightLabel")).accessibleDescription(), "examined now");
  EXPECT_EQ(Label(form, QStringLiteral("Prg1LightLabel")).accessibleDescription(), "not examined");
  QLabel& now = Label(form, QStringLiteral("CurrentDateTimeLabel"));
  EXPECT_EQ(now.text(), "Current date/time:  12/08/26 Tuesday 03:30:05 PM");
  clock.Set({2026, 12, 8, 15, 30, 6, 0});
  timers.Advance(100);
  EXPECT_EQ(now.text(), "Current date/time:  12/08/26 Tuesday 03:30:06 PM");

  QTest::mouseClick(&line, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(timer7->Enabled());
  EXPECT_TRUE(dialogs.AllAnswered());
}

}  // namespace
}  // namespace orvaltic::gui
