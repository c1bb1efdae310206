#include "gui/alarm/alarm_snooze_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "gui/platform/accessible_controls.h"
#include "support/fakes.h"
#include "support/scripted_dialogs.h"

namespace orvaltic::gui {
namespace {

template <typename W>
W& Child(const QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(QString::fromLatin1(name));
  if (widget == nullptr) {
    throw std::runtime_error(name);
  }
  return *widget;
}

TEST(AlarmSnoozeFormTest, SetsTheSnoozeThroughItsWidgets) {
  AlarmTimes times;
  orvaltic::testing::FixedClock clock({2026, 12, 8, 21, 5, 0, 0});
  orvaltic::testing::ScriptedDialogs dialogs;
  EventDispatcher dispatcher(dialogs);
  AlarmSnoozeDialog model(times, clock, {});
  TAlarmSnoozeFrm form(model, dispatcher);

  model.SetSubject(WakeUp::kSnooze);
  form.show();
  EXPECT_EQ(form.windowTitle(), "Snooze");
  EXPECT_EQ(Child<QGroupBox>(form, "AlarmSnoozeGroupBox").title(), "Adjust date/time for snooze");
  EXPECT_EQ(testing::UnnamedControls(form), QStringList());

  auto& month = Child<QSpinBox>(form, "MonthSpinEdit");
  auto& year = Child<QSpinBox>(form, "YearSpinEdit");
  auto& hours = Child<QSpinBox>(form, "HoursSpinEdit");
  auto& minutes = Child<QSpinBox>(form, "MinutesSpinEdit");
  EXPECT_EQ(month.text(), "12");
  EXPECT_EQ(year.text(), "2026");
  EXPECT_EQ(hours.maximum(), 12);
  EXPECT_EQ(minutes.maximum(), 59);
  EXPECT_EQ(Child<QLineEdit>(year, "qt_spinbox_lineedit").maxLength(), 4);
  EXPECT_FALSE(month.isEnabled());

  // A typed single digit and a step both show two digits.
  hours.setFocus();
  QTest::keyClick(&hours, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&hours, "7");
  EXPECT_EQ(hours.text(), "07");
  minutes.setFocus();
  QTest::keyClick(&minutes, Qt::Key_Up);
  EXPECT_EQ(minutes.text(), "06");
  Child<QComboBox>(form, "AMPMComboBox").setCurrentIndex(0);

  auto& include_date = Child<QCheckBox>(form, "IncludeDateCheckBox");
  QTest::mouseClick(&include_date, Qt::LeftButton, {}, QPoint(6, include_date.height() / 2));
  EXPECT_TRUE(month.isEnabled());
  QTest::mouseClick(&Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(times.SnoozeTime, "12/08/2026 07:06:00 AM");
  EXPECT_TRUE(times.SnoozeIncludesDate);

  // Reopened, it shows the present again; the box stays as left, and Cancel keeps the time.
  form.show();
  EXPECT_EQ(hours.text(), "09");
  EXPECT_TRUE(include_date.isChecked());
  QTest::mouseClick(&include_date, Qt::LeftButton, {}, QPoint(6, include_date.height() / 2));
  QTest::mouseClick(&Child<QPushButton>(form, "CancelBtn"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(times.SnoozeTime, "12/08/2026 07:06:00 AM");
  EXPECT_TRUE(times.SnoozeIncludesDate);
  EXPECT_TRUE(dialogs.AllAnswered());
}

}  // namespace
}  // namespace orvaltic::gui
