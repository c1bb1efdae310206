#include "gui/schedule/sched_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

#include "gui/platform/accessible_controls.h"
#include "support/fakes.h"
#include "support/scripted_dialogs.h"

namespace orvaltic::gui {
namespace {

template <typename W = QWidget>
W& Child(const QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(QString::fromLatin1(name));
  if (widget == nullptr) {
    throw std::runtime_error(name);
  }
  return *widget;
}

void TypeAndLeave(QLineEdit& edit, const char* text) {
  edit.setFocus();
  edit.selectAll();
  QTest::keyClicks(&edit, QString::fromLatin1(text));
  QTest::keyClick(&edit, Qt::Key_Tab);
  QCoreApplication::processEvents();
}

TEST(SchedFormTest, ChecksFieldsOnLeavingAndStoresThemWithOK) {
  SchedPrograms programs;
  programs.Program(2).DateDay = "MONDAY";
  PresetStore presets;
  orvaltic::testing::ScriptedDialogs dialogs;
  orvaltic::testing::RecordingHelp help;
  HelpFiles help_files;
  EventDispatcher dispatcher(dialogs);
  bool on = false;
  SchedEditor model(programs, presets,
                    {dialogs, help, help_files, [&] { return on; }, [&] { on = !on; }});
  TSchedForm form(model, dispatcher);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  EXPECT_EQ(form.windowTitle(), "Schedules");
  EXPECT_EQ(Child<QGroupBox>(form, "GroupBox1").title(), "Program Schedules");
  EXPECT_EQ(Child<QLabel>(form, "Prog5Label").text(), "Prog 5:");
  EXPECT_EQ(Child<QLabel>(form, "BeginFormLabel").text(), "(hh:mm PM)");
  EXPECT_EQ(Child<QPushButton>(form, "ClearBtn").toolTip(), "Erase all data");
  EXPECT_EQ(orvaltic::gui::testing::UnnamedControls(form), QStringList());
  EXPECT_EQ(Child<QLineEdit>(form, "Prg2DateEdit").text(), "MONDAY");

  auto& freq = Child<QLineEdit>(form, "Prg1FreqEdit");
  TypeAndLeave(freq, "97.3");
  EXPECT_EQ(freq.text(), "97.300");
  EXPECT_EQ(QApplication::focusWidget(), &Child(form, "Prg1DateEdit"));

  auto& begin = Child<QLineEdit>(form, "Prg3BeginEdit");
  dialogs.AnswerMessage(MessageResult::kOk);
  TypeAndLeave(begin, "3:00 pm");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Format of time is incorrect.");
  EXPECT_EQ(begin.text(), "3:00 PM");
  EXPECT_EQ(QApplication::focusWidget(), &begin);
  TypeAndLeave(begin, "03:00 pm");

  QTest::mouseClick(&Child(form, "HelpBtn"), Qt::LeftButton);
  EXPECT_EQ(help.calls.size(), 1u);
  auto& activate = Child<QCheckBox>(form, "ActivateCheckBox");
  QTest::mouseClick(&activate, Qt::LeftButton, {}, QPoint(6, activate.height() / 2));
  QTest::mouseClick(&Child(form, "OKBtn"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(programs.Program(1).Frequency, "97.300");
  EXPECT_EQ(programs.Program(3).TimeBegin, "03:00 PM");
  EXPECT_TRUE(on);
  EXPECT_TRUE(dialogs.AllAnswered());
}

}  // namespace
}  // namespace orvaltic::gui
