#include "gui/presets/preset_form.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/panels/panel_set.h"
#include "core/presets/preset_store.h"
#include "gui/platform/accessible_controls.h"
#include "support/scripted_dialogs.h"

namespace orvaltic::gui {
namespace {

using orvaltic::testing::ScriptedDialogs;

class PresetFormTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(dialogs_.AllAnswered()); }

  template <typename W = QWidget>
  W& Named(const QString& name) {
    auto* widget = form_.findChild<W*>(name);
    if (widget == nullptr) {
      throw std::runtime_error("no widget " + name.toStdString());
    }
    return *widget;
  }
  QLineEdit& Freq(int r) { return Named<QLineEdit>(QStringLiteral("PresetEdit%1").arg(r)); }
  QLineEdit& Name(int r) { return Named<QLineEdit>(QStringLiteral("StationNameEdit%1").arg(r)); }
  void Click(const QString& name) {
    QWidget& widget = Named(name);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.rect().center());
  }
  // Types over the field's text and leaves it with a key, as a user does; the field's check
  // runs once the focus has moved.
  void TypeAndLeave(QLineEdit& edit, const char* text, Qt::Key key = Qt::Key_Tab) {
    edit.selectAll();
    QTest::keyClicks(&edit, QString::fromLatin1(text));
    QTest::keyClick(&edit, key);
    QCoreApplication::processEvents();
  }
  static QString Spoken(QWidget& widget) {
    return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
  }

  PresetStore presets_;
  PanelSet panels_;
  ScriptedDialogs dialogs_;
  EventDispatcher dispatcher_{dialogs_};
  int saves_ = 0;
  std::vector<std::string> accessed_;
  PresetEditor model_{presets_, panels_, dialogs_, [this] { ++saves_; },
                      [this](const std::string& text) { accessed_.push_back(text); }};
  TPresetForm form_{model_, dispatcher_};
};

TEST_F(PresetFormTest, HasTheDesignedControlsInTheirTabOrderWithSpokenNames) {
  EXPECT_EQ(form_.windowTitle(), "Presets");
  EXPECT_EQ(form_.size(), QSize(447, 319));
  EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
  EXPECT_EQ(orvaltic::gui::testing::UnnamedControls(form_), QStringList());
  EXPECT_EQ(Named<QGroupBox>("GroupBox1").title(), "Presets and Station IDs");
  EXPECT_EQ(Named<QLabel>("Label21").text(), "Presets");
  EXPECT_EQ(Named<QLabel>("Label22").text(), "Station IDs");
  EXPECT_EQ(Named<QLabel>("Label2").text(), " 2:");
  EXPECT_EQ(Named<QLabel>("Label10").text(), "10:");
  EXPECT_EQ(Freq(7).width(), 75);
  EXPECT_EQ(Name(7).width(), 202);
  EXPECT_EQ(Freq(7).toolTip(), "Double click for direct access");

  struct Button {
    const char* name;
    const char* caption;
    const char* hint;
  };
  const Button buttons[] = {
      {"OKBtn", "&OK", "Accept entries and return to radio"},
      {"CancelBtn", "&Cancel", "Cancel entries and return to radio"},
      {"PrevBtn", "&Previous", "Display the previous 10 entries"},
      {"NextBtn", "&Next", "Display the next 10 entries"},
      {"EditBtn", "&Edit", "Edit data"},
      {"ClearBtn", "C&lear", ""},
  };
  QStringList expected_order;
  for (const Button& button : buttons) {
    auto& widget = Named<QPushButton>(QString::fromLatin1(button.name));
    EXPECT_EQ(widget.text(), button.caption);
    EXPECT_EQ(widget.toolTip(), button.hint);
    EXPECT_FALSE(Spoken(widget).isEmpty()) << button.name;
    expected_order << button.name;
  }
  for (int r = 1; r <= 10; ++r) {
    const QString freq = QStringLiteral("PresetEdit%1").arg(r);
    const QString name = QStringLiteral("StationNameEdit%1").arg(r);
    expected_order << (r % 2 == 1 ? freq : name) << (r % 2 == 1 ? name : freq);
  }
  QStringList order;
  QWidget* widget = &Named("OKBtn");
  for (int i = 0; i < expected_order.size(); ++i, widget = widget->nextInFocusChain()) {
    while (widget->focusPolicy() == Qt::NoFocus) {
      widget = widget->nextInFocusChain();
    }
    order << widget->objectName();
  }
  EXPECT_EQ(order, expected_order);

  form_.show();
  EXPECT_EQ(Spoken(Freq(3)), "Preset 3 frequency");
  EXPECT_EQ(Spoken(Name(3)), "Preset 3 station name");
  Click(QStringLiteral("NextBtn"));
  EXPECT_EQ(Named<QLabel>("Label3").text(), "13:");
  EXPECT_EQ(Spoken(Freq(3)), "Preset 13 frequency");
  EXPECT_EQ(Freq(3).text(), "90.400");
  form_.reject();
}

TEST_F(PresetFormTest, EditsARowWithTheKeyboardAndKeepsTheFocusOnARefusedEntry) {
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  EXPECT_EQ(QApplication::focusWidget(), &Named("OKBtn"));
  EXPECT_TRUE(Freq(3).isReadOnly());

  Click(QStringLiteral("EditBtn"));
  EXPECT_FALSE(Freq(3).isReadOnly());
  EXPECT_FALSE(Name(10).isReadOnly());

  // A frequency out of the band: the box, and the focus back in the field.
  dialogs_.AnswerMessage(MessageResult::kOk);
  QTest::mouseClick(&Freq(3), Qt::LeftButton);
  TypeAndLeave(Freq(3), "108.5");
  EXPECT_EQ(dialogs_.beeps, 1);
  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text, kPresetRangeMessage);
  EXPECT_EQ(QApplication::focusWidget(), &Freq(3));
  EXPECT_EQ(Freq(3).text(), "108.5");

  // A click on a button while the field is refused is stopped by the check.
  dialogs_.AnswerMessage(MessageResult::kOk);
  Click(QStringLiteral("NextBtn"));
  EXPECT_EQ(dialogs_.boxes.size(), 2u);
  EXPECT_EQ(model_.EditPageLast(), 10);
  EXPECT_EQ(QApplication::focusWidget(), &Freq(3));

  TypeAndLeave(Freq(3), " 94.7");
  EXPECT_EQ(Freq(3).text(), "94.700");
  EXPECT_EQ(Name(3).text(), "94.700");
  EXPECT_EQ(QApplication::focusWidget(), &Name(3));
  Name(3).selectAll();
  QTest::keyClicks(&Name(3), QStringLiteral("Jazz"));
  Name(3).insert(QString::fromUtf8(" \u00e9t\u00e9"));  // keyClicks types ASCII only
  // Row 4 runs the other way: name first, then frequency.
  QTest::keyClick(&Name(3), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &Name(4));
  QTest::keyClick(&Name(4), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &Freq(4));

  // Enter and the double click tune the field's frequency at once.
  QTest::keyClick(&Freq(4), Qt::Key_Return);
  QTest::mouseDClick(&Freq(3), Qt::LeftButton);
  EXPECT_EQ(accessed_, (std::vector<std::string>{"88.600", "94.700"}));
  EXPECT_TRUE(form_.isVisible());

  Click(QStringLiteral("OKBtn"));
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(form_.result(), QDialog::Accepted);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(presets_.PresetFreq(3), 94.7);
  EXPECT_EQ(presets_.StationName(3), "Jazz \xC3\xA9t\xC3\xA9");
}

// The frequency's check gives an empty name the frequency as a provisional name. Typed right
// after the Tab that leaves the frequency, in either direction, a name replaces it: it is never
// glued to the provisional one, whether the keys come before or after the check has run.
TEST_F(PresetFormTest, ANameTypedRightAfterLeavingTheFrequencyReplacesTheProvisionalOne) {
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  Click(QStringLiteral("EditBtn"));
  struct Step {
    int row;
    Qt::KeyboardModifiers modifiers;  // odd rows go frequency then name, even rows back
    bool check_first;                 // the event loop runs before the first key
  };
  for (const Step step : {Step{1, Qt::NoModifier, false}, Step{2, Qt::ShiftModifier, false},
                          Step{5, Qt::NoModifier, true}, Step{6, Qt::ShiftModifier, true}}) {
    QTest::mouseClick(&Freq(step.row), Qt::LeftButton);
    Freq(step.row).selectAll();
    QTest::keyClicks(&Freq(step.row), QStringLiteral("99.9"));
    QTest::keyClick(&Freq(step.row), Qt::Key_Tab, step.modifiers);
    if (step.check_first) {
      QCoreApplication::processEvents();
      EXPECT_EQ(Name(step.row).selectedText(), "99.900") << step.row;
    }
    ASSERT_EQ(QApplication::focusWidget(), &Name(step.row)) << step.row;
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Hello"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Name(step.row).text(), "Hello") << step.row;
  }
  Click(QStringLiteral("OKBtn"));
  EXPECT_FALSE(form_.isVisible());
  for (const int row : {1, 2, 5, 6}) {
    EXPECT_EQ(presets_.PresetFreq(row), 99.9) << row;
    EXPECT_EQ(presets_.StationName(row), "Hello") << row;
  }
}

TEST_F(PresetFormTest, CancelClosesWithoutCheckingTheFieldLeft) {
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  Click(QStringLiteral("EditBtn"));
  QTest::mouseClick(&Freq(1), Qt::LeftButton);
  Freq(1).selectAll();
  QTest::keyClicks(&Freq(1), QStringLiteral("abc"));
  Click(QStringLiteral("CancelBtn"));
  QCoreApplication::processEvents();
  EXPECT_FALSE(form_.isVisible());
  EXPECT_TRUE(dialogs_.boxes.empty());
  EXPECT_EQ(presets_, PresetStore{});
}

}  // namespace
}  // namespace orvaltic::gui
