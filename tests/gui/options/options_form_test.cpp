#include "gui/options/options_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <filesystem>
#include <vector>

#include "core/panels/panel_set.h"
#include "gui/platform/accessible_controls.h"
#include "support/fakes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace orvaltic::gui {
namespace {

using orvaltic::testing::ReadFileBytes;
using orvaltic::testing::RecordingSound;
using orvaltic::testing::ScriptedDialogs;
using orvaltic::testing::TempFolder;

template <typename W>
W* Child(const QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

QStringList Items(const QComboBox& combo) {
  QStringList items;
  for (int i = 0; i < combo.count(); ++i) {
    items << combo.itemText(i);
  }
  return items;
}

class OptionsFormTest : public ::testing::Test {
 protected:
  void Click(const char* name) {
    auto* button = Child<QAbstractButton>(form_, name);
    ASSERT_NE(button, nullptr);
    // Near the left edge: a radio button reacts only to clicks on its circle and caption.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  std::string FilePath() const { return folder_.File("Orvaltic.opt"); }

  TempFolder folder_;
  Options options_;
  PanelSet panels_;
  RecordingSound sound_;
  ScriptedDialogs dialogs_;
  EventDispatcher dispatcher_{dialogs_};
  OptionsDialog model_{options_, panels_, sound_, FilePath()};
  TOptionsForm form_{model_, dispatcher_};
};

TEST_F(OptionsFormTest, HasEveryControlWithItsItemsAndCaptions) {
  EXPECT_EQ(form_.windowTitle(), "Options");
  EXPECT_TRUE(form_.isModal());

  const std::vector<std::pair<const char*, QStringList>> combos = {
      {"RTCardAddressComboBox", {"$30C", "$20C", ""}},
      {"RadioFormComboBox",
       {"Style 1", "Style 2", "Style 3", "Style 4", "Style 5", "Style 6", "Style 7"}},
      {"TuneRateComboBox", {"0.050", "0.100", "0.150", "0.200", "0.250", "0.300"}},
      {"FineTuneRateComboBox", {"0.01", "0.02", "0.03", "0.04", "0.05"}},
      {"ScanRateComboBox",
       {"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "2000", "3000",
        "4000", "5000", "6000"}},
      {"ScanMethodComboBox", {"Fine Tune", "Tune Rate", "Presets"}},
  };
  for (const auto& [name, items] : combos) {
    SCOPED_TRACE(name);
    auto* combo = Child<QComboBox>(form_, name);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(Items(*combo), items);
  }

  const std::vector<std::pair<const char*, const char*>> buttons = {
      {"RaisedFormRadioBtn", "Raised"},
      {"RecessedFormRadioBtn", "Recessed"},
      {"RadioRadioBtn", "Radio"},
      {"WaveFileRadioBtn", "Wave file"},
      {"TestWaveFileBtn", "Test Wave File"},
      {"OKButton", "OK"},
      {"CancelButton", "Cancel"},
  };
  for (const auto& [name, caption] : buttons) {
    auto* button = Child<QAbstractButton>(form_, name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), caption) << name;
  }
  EXPECT_NE(Child<QLineEdit>(form_, "WaveFileNameEdit"), nullptr);
  auto* wave_label = Child<QLabel>(form_, "WaveFileNameLabel");
  ASSERT_NE(wave_label, nullptr);
  EXPECT_EQ(wave_label->text(), "Name of wave file:");

  QStringList groups;
  for (const QGroupBox* group : form_.findChildren<QGroupBox*>()) {
    groups << group->title();
  }
  groups.sort();
  EXPECT_EQ(groups, (QStringList{"Radio Card", "Radio Form", "Tune", "Type of Alarm"}));

  QStringList labels;
  for (const QLabel* label : form_.findChildren<QLabel*>()) {
    labels << label->text();
  }
  for (const char* text : {"Radio card address:", "Start up radio form:", "Tune rate (MHz):",
                           "Fine tune rate (MHz):", "Scan rate (millisecs):", "Scan method:"}) {
    EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
  }
}

TEST_F(OptionsFormTest, EveryControlHasAName) {
  EXPECT_EQ(testing::UnnamedControls(form_), QStringList());
}

TEST_F(OptionsFormTest, ShowingItDisplaysTheOptionsCentredOnTheScreen) {
  options_.CardPort = 524;
  options_.TuneRate = 0.05;
  options_.AlarmTypeRadio = true;
  form_.show();
  EXPECT_EQ(Child<QComboBox>(form_, "RTCardAddressComboBox")->currentText(), "$20C");
  EXPECT_EQ(Child<QComboBox>(form_, "TuneRateComboBox")->currentText(), "0.05");
  EXPECT_EQ(Child<QComboBox>(form_, "ScanRateComboBox")->currentText(), "400");
  EXPECT_TRUE(Child<QRadioButton>(form_, "RaisedFormRadioBtn")->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(form_, "RadioRadioBtn")->isChecked());
  EXPECT_FALSE(Child<QLineEdit>(form_, "WaveFileNameEdit")->isEnabled());

  const QRect screen = form_.screen()->availableGeometry();
  EXPECT_LE((form_.frameGeometry().center() - screen.center()).manhattanLength(), 1);
  form_.reject();
}

TEST_F(OptionsFormTest, AlarmTypeButtonsEnableAndDisableTheWaveFileControls) {
  form_.show();
  auto* label = Child<QLabel>(form_, "WaveFileNameLabel");
  auto* edit = Child<QLineEdit>(form_, "WaveFileNameEdit");
  auto* test = Child<QPushButton>(form_, "TestWaveFileBtn");
  ASSERT_TRUE(label && edit && test);
  EXPECT_TRUE(edit->isEnabled());

  Click("RadioRadioBtn");
  EXPECT_FALSE(label->isEnabled());
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_FALSE(test->isEnabled());

  Click("WaveFileRadioBtn");
  EXPECT_TRUE(label->isEnabled());
  EXPECT_TRUE(edit->isEnabled());
  EXPECT_TRUE(test->isEnabled());
  EXPECT_EQ(form_.focusWidget(), edit);

  edit->insert(QString::fromUtf8("/tmp/w\u00e4ke.wav"));
  Click("TestWaveFileBtn");
  EXPECT_EQ(sound_.calls, (std::vector<RecordingSound::Call>{{"/tmp/w\xC3\xA4ke.wav", kSndAsync}}));
  Click("CancelButton");
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(form_.result(), QDialog::Rejected);
  EXPECT_EQ(options_.WaveFileName, "");
  EXPECT_FALSE(std::filesystem::exists(FilePath()));
}

TEST_F(OptionsFormTest, OkSavesTheOptionsAndCloses) {
  options_.WaveFileName = "al\xE4rm.wav";  // written on Windows: must go back unchanged
  form_.show();
  Child<QComboBox>(form_, "ScanMethodComboBox")->setCurrentIndex(2);
  Click("RecessedFormRadioBtn");
  Click("OKButton");
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(form_.result(), QDialog::Accepted);
  EXPECT_EQ(ReadFileBytes(FilePath()),
            "780\r\nStyle 1\r\n 1.00000000000000E-0001\r\n 1.00000000000000E-0002\r\n400\r\n"
            "Presets\r\nFALSE\r\nal\xE4rm.wav\r\nFALSE\r\n");
  EXPECT_EQ(panels_.Main().Frame("Panel1").bevel_inner, Bevel::kLowered);
  EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(OptionsFormTest, InvalidRateShowsTheErrorBoxAndKeepsTheDialogOpen) {
  dialogs_.AnswerMessage(MessageResult::kOk);
  form_.show();
  auto* tune = Child<QComboBox>(form_, "TuneRateComboBox");
  ASSERT_NE(tune, nullptr);
  tune->lineEdit()->clear();
  QTest::keyClicks(tune->lineEdit(), "abc");
  Click("OKButton");

  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text, "'abc' is not a valid floating point value");
  EXPECT_EQ(dialogs_.boxes[0].kind, MessageKind::kError);
  EXPECT_TRUE(form_.isVisible());
  EXPECT_EQ(tune->currentText(), "abc");
  EXPECT_FALSE(std::filesystem::exists(FilePath()));
  form_.reject();
}

}  // namespace
}  // namespace orvaltic::gui
