#include "gui/alarm/alarm_snooze_form.h"

#include <gtest/gtest.h>

#include <QApplication>
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
  AlarmSnoozeDialog model(times, clock, dialogs, {});
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

  // A step shows two digits.
  hours.setValue(7);
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

// As the user types: Tab to the field (which selects its text), the keys, Tab on. Each field
// ends with its last row, which OK stores.
TEST(AlarmSnoozeFormTest, TypedNumbersStayAsTypedAndASingleDigitGetsItsZeroOnLeaving) {
  AlarmTimes times;
  orvaltic::testing::FixedClock clock({2026, 12, 8, 21, 5, 0, 0});
  orvaltic::testing::ScriptedDialogs dialogs;
  EventDispatcher dispatcher(dialogs);
  AlarmSnoozeDialog model(times, clock, dialogs, {});
  TAlarmSnoozeFrm form(model, dispatcher);
  model.SetSubject(WakeUp::kAlarm);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto& include_date = Child<QCheckBox>(form, "IncludeDateCheckBox");
  QTest::mouseClick(&include_date, Qt::LeftButton, {}, QPoint(6, include_date.height() / 2));

  struct Case {
    const char* field;
    const char* typed;
    const char* left;
  };
  const Case cases[] = {
      {"MonthSpinEdit", "3", "03"},     {"MonthSpinEdit", "11", "11"},
      {"DaySpinEdit", "5", "05"},       {"DaySpinEdit", "25", "25"},
      {"YearSpinEdit", "2027", "2027"}, {"HoursSpinEdit", "12", "12"},
      {"HoursSpinEdit", "7", "07"},     {"MinutesSpinEdit", "0", "00"},
      {"MinutesSpinEdit", "09", "09"},  {"MinutesSpinEdit", "45", "45"},
      {"AMPMComboBox", "PM", "PM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    QWidget& field = Child<QWidget>(form, c.field);
    for (int tabs = 0; tabs < 20 && QApplication::focusWidget() != &field; ++tabs) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), &field);
    QTest::keyClicks(&field, c.typed);
    auto* spin = qobject_cast<QSpinBox*>(&field);
    const auto text = [&] {
      return (spin != nullptr ? spin->text() : qobject_cast<QComboBox*>(&field)->currentText())
          .toStdString();
    };
    EXPECT_EQ(text(), c.typed);
    QTest::keyClick(&field, Qt::Key_Tab);
    EXPECT_EQ(text(), c.left);
  }
  QTest::mouseClick(&Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(times.AlarmTime, "11/25/2027 07:45:00 PM");

  // One arrow down from 01 is an hour the clock never shows: OK says so and keeps the dialog.
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto& hours = Child<QSpinBox>(form, "HoursSpinEdit");
  hours.setValue(1);
  hours.setFocus();
  QTest::keyClick(&hours, Qt::Key_Down);
  EXPECT_EQ(hours.text(), "00");
  dialogs.AnswerMessage(MessageResult::kOk);
  QTest::mouseClick(&Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Format of time is incorrect.");
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), &hours);
  EXPECT_EQ(times.AlarmTime, "11/25/2027 07:45:00 PM");
  EXPECT_TRUE(dialogs.AllAnswered());
}

}  // namespace
}  // namespace orvaltic::gui
