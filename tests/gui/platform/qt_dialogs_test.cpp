#include "gui/platform/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTest>

#include <ostream>
#include <vector>

#include "modal_driver.h"

namespace orvaltic::gui {
namespace {

using testing::ModalDriver;

struct FilterCase {
  const char* filter;
  const char* expected;
  friend void PrintTo(const FilterCase& c, std::ostream* out) { *out << '"' << c.filter << '"'; }
};

class ConvertFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ConvertFilterTest, Converts) {
  EXPECT_EQ(ConvertFilter(GetParam().filter), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertFilterTest,
    ::testing::Values(FilterCase{"Presets File (*.CFG)|*.CFG|All Files (*.*)|*.*",
                                 "Presets File (*.CFG);;All Files (*)"},
                      FilterCase{"Wave files|*.wav;*.WAV", "Wave files (*.wav *.WAV)"},
                      FilterCase{"Sounds (*.wav)|*.wav; *.snd ;", "Sounds (*.wav *.snd)"},
                      FilterCase{"Everything|*.*;*", "Everything (*)"},
                      FilterCase{"|*.txt", "*.txt (*.txt)"},
                      FilterCase{"Text (*.txt)|*.txt|Dangling", "Text (*.txt)"},
                      FilterCase{"No patterns||Text|*.txt", "Text (*.txt)"}, FilterCase{"", ""}));

MessageResult ShowBox(MessageButtons buttons, std::vector<ModalDriver::Step> steps,
                      std::vector<int>* help_calls = nullptr) {
  QtDialogs dialogs([help_calls](int context) {
    if (help_calls != nullptr) {
      help_calls->push_back(context);
    }
  });
  ModalDriver driver(std::move(steps));
  return dialogs.MessageBox("Keep radio on in background?", MessageKind::kConfirmation, buttons,
                            27);
}

ModalDriver::Step Press(QMessageBox::StandardButton which) {
  return [which](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->button(which), nullptr);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
  };
}

ModalDriver::Step PressKey(Qt::Key key) {
  return [key](QWidget* modal) { QTest::keyClick(modal, key); };
}

TEST(QtDialogsMessageBoxTest, ReturnsTheButtonPressed) {
  EXPECT_EQ(ShowBox(MessageButtons::kYesNoCancel, {Press(QMessageBox::Yes)}), MessageResult::kYes);
  EXPECT_EQ(ShowBox(MessageButtons::kYesNoCancel, {Press(QMessageBox::No)}), MessageResult::kNo);
  EXPECT_EQ(ShowBox(MessageButtons::kYesNoCancel, {Press(QMessageBox::Cancel)}),
            MessageResult::kCancel);
  EXPECT_EQ(ShowBox(MessageButtons::kOk, {Press(QMessageBox::Ok)}), MessageResult::kOk);
}

TEST(QtDialogsMessageBoxTest, EscapeAndCloseAreCancelOnAQuestion) {
  EXPECT_EQ(ShowBox(MessageButtons::kYesNoCancel, {PressKey(Qt::Key_Escape)}),
            MessageResult::kCancel);
  EXPECT_EQ(ShowBox(MessageButtons::kYesNoCancel, {[](QWidget* modal) { modal->close(); }}),
            MessageResult::kCancel);
  EXPECT_EQ(ShowBox(MessageButtons::kOk, {PressKey(Qt::Key_Escape)}), MessageResult::kOk);
}

TEST(QtDialogsMessageBoxTest, HelpOpensTheTopicAndKeepsTheBoxOpen) {
  std::vector<int> help;
  EXPECT_EQ(
      ShowBox(MessageButtons::kOkHelp,
              {Press(QMessageBox::Help), Press(QMessageBox::Help), Press(QMessageBox::Ok)}, &help),
      MessageResult::kOk);
  EXPECT_EQ(help, (std::vector<int>{27, 27}));
}

// After Help the box is up again with its default button focused: Return there answers it and
// does not ask for the help once more.
TEST(QtDialogsMessageBoxTest, ReturnAfterHelpAnswersTheBox) {
  std::vector<int> help;
  const auto return_on_focus = [](QWidget* modal) {
    QWidget* focused = modal->focusWidget();
    QTest::keyClick(focused != nullptr ? focused : modal, Qt::Key_Return);
  };
  EXPECT_EQ(ShowBox(MessageButtons::kOkHelp, {Press(QMessageBox::Help), return_on_focus}, &help),
            MessageResult::kOk);
  EXPECT_EQ(help, (std::vector<int>{27}));
}

TEST(QtDialogsMessageBoxTest, TitleIconAndTextByKind) {
  struct Case {
    MessageKind kind;
    const char* title;
    QMessageBox::Icon icon;
  };
  for (const Case& c : {Case{MessageKind::kWarning, "Warning", QMessageBox::Warning},
                        Case{MessageKind::kError, "Error", QMessageBox::Critical},
                        Case{MessageKind::kInformation, "Information", QMessageBox::Information},
                        Case{MessageKind::kConfirmation, "Confirm", QMessageBox::Question}}) {
    const auto box = MakeMessageBox("Caf\xE9 <b>", c.kind, MessageButtons::kOk, nullptr);
    EXPECT_EQ(box->windowTitle(), c.title);
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->text(), QString::fromUtf8("Caf\xC3\xA9 <b>"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
  }
}

TEST(QtDialogsTest, InputQueryGivesTheTextOrNothing) {
  QtDialogs dialogs([](int) {});
  {
    ModalDriver driver({[](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      ASSERT_NE(input, nullptr);
      EXPECT_EQ(input->windowTitle(), "Direct Access");
      EXPECT_EQ(input->labelText(), "Frequency:");
      for (const QLabel* label : input->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
      }
      EXPECT_EQ(input->textValue(), "99.500");
      input->setTextValue(QString::fromUtf8("101.1 \xC3\xA9"));
      input->accept();
    }});
    EXPECT_EQ(dialogs.InputQuery("Direct Access", "Frequency:", "99.500"), "101.1 \xC3\xA9");
  }
  {
    ModalDriver driver({PressKey(Qt::Key_Escape)});
    EXPECT_EQ(dialogs.InputQuery("Direct Access", "Frequency:", "99.500"), std::nullopt);
  }
}

TEST(QtDialogsTest, ChooseColorConvertsBothWays) {
  QtDialogs dialogs([](int) {});
  {
    ModalDriver driver({[](QWidget* modal) {
      auto* dialog = qobject_cast<QColorDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->currentColor(), QColor(0x12, 0x34, 0x56));
      dialog->setCurrentColor(QColor(0xFF, 0x00, 0x80));
      dialog->accept();
    }});
    EXPECT_EQ(dialogs.ChooseColor(0x563412), Color{0x8000FF});
  }
  {
    ModalDriver driver({PressKey(Qt::Key_Escape)});
    EXPECT_EQ(dialogs.ChooseColor(0), std::nullopt);
  }
}

// The dialogs that change the display open beside the panel, not over it.
TEST(QtDialogsTest, FontColourAndDirectAccessDialogsLeaveThePanelInView) {
  QWidget panel(nullptr, Qt::Window);
  panel.setFixedSize(443, 140);
  panel.move(0, 0);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  QtDialogs dialogs([](int) {}, &panel);
  const auto beside_panel = [&](QWidget* modal) {
    EXPECT_FALSE(modal->frameGeometry().intersects(panel.frameGeometry()))
        << modal->metaObject()->className();
    EXPECT_TRUE(modal->screen()->availableGeometry().contains(modal->frameGeometry()));
    qobject_cast<QDialog*>(modal)->reject();
  };
  {
    ModalDriver driver({beside_panel});
    EXPECT_EQ(dialogs.ChooseFont(FontSpec{}, [](const FontSpec&) {}), std::nullopt);
  }
  {
    ModalDriver driver({beside_panel});
    EXPECT_EQ(dialogs.ChooseColor(0), std::nullopt);
  }
  {
    ModalDriver driver({beside_panel});
    EXPECT_EQ(dialogs.InputQuery("Direct Access", "Frequency:", ""), std::nullopt);
  }
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    for (const char* name : {"a.cfg", "b.CFG", "c.txt"}) {
      QFile file(dir_.filePath(QString::fromLatin1(name)));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
  }

  FileDialogOptions Options() const {
    FileDialogOptions options;
    options.title = "Open Custom File";
    options.file_name = QFile::encodeName(dir_.filePath("a.cfg")).toStdString();
    options.filter = "Presets File (*.CFG)|*.CFG|All Files (*.*)|*.*";
    options.default_extension = "CFG";
    return options;
  }

  QTemporaryDir dir_;
};

TEST_F(FileDialogTest, IsSetUpFromTheOptions) {
  FileDialogOptions options = Options();
  options.must_exist = true;
  const auto open = MakeFileDialog(options, /*save=*/false, nullptr);
  EXPECT_EQ(open->windowTitle(), "Open Custom File");
  EXPECT_TRUE(open->testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(open->nameFilters(), (QStringList{"Presets File (*.CFG)", "All Files (*)"}));
  EXPECT_EQ(open->defaultSuffix(), "CFG");
  EXPECT_EQ(QDir(open->directory()).canonicalPath(), QDir(dir_.path()).canonicalPath());

  options.confirm_overwrite = true;
  const auto save = MakeFileDialog(options, /*save=*/true, nullptr);
  EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(save->fileMode(), QFileDialog::AnyFile);
  EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));
  options.confirm_overwrite = false;
  EXPECT_TRUE(
      MakeFileDialog(options, true, nullptr)->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(FileDialogTest, UpperCasePatternFindsLowerCaseNames) {
  const auto dialog = MakeFileDialog(Options(), /*save=*/false, nullptr);
  dialog->show();
  auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
  ASSERT_NE(list, nullptr);
  const auto shown = [&] {
    QStringList names;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < list->model()->rowCount(root); ++row) {
      names.append(list->model()->index(row, 0, root).data().toString());
    }
    names.sort();
    return names;
  };
  // The file system model fills in the background: wait for it, bounded.
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown().size() >= 2; }, 10000));
  EXPECT_EQ(shown(), (QStringList{"a.cfg", "b.CFG"}));
}

// Types `name` into a file dialog once it has read its folder, and presses Return.
ModalDriver::Step TypeFileName(QString name) {
  return [name](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(edit, nullptr);
    // The folder is read in the background; the initial selection lands when it is.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) > 0; }, 10000));
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
  };
}

TEST_F(FileDialogTest, SaveAppendsTheDefaultExtensionAndAsksBeforeReplacing) {
  QtDialogs dialogs([](int) {});
  FileDialogOptions options = Options();
  options.file_name = QFile::encodeName(dir_.filePath("new")).toStdString();
  options.confirm_overwrite = true;
  {
    ModalDriver driver({TypeFileName(QStringLiteral("mine"))});
    EXPECT_EQ(dialogs.SaveFileName(options),
              QFile::encodeName(dir_.filePath("mine.CFG")).toStdString());
  }
  {
    ModalDriver driver({TypeFileName(QStringLiteral("b")), [](QWidget* modal) {
                          auto* box = qobject_cast<QMessageBox*>(modal);
                          ASSERT_NE(box, nullptr);
                          EXPECT_TRUE(box->text().contains(QStringLiteral("b.CFG")));
                          QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
                        }});
    EXPECT_EQ(dialogs.SaveFileName(options),
              QFile::encodeName(dir_.filePath("b.CFG")).toStdString());
  }
  options.confirm_overwrite = false;
  {
    ModalDriver driver({TypeFileName(QStringLiteral("b.CFG"))});
    EXPECT_EQ(dialogs.SaveFileName(options),
              QFile::encodeName(dir_.filePath("b.CFG")).toStdString());
  }
}

// A name in a folder that does not exist is refused with a box naming it as typed, markup
// and all; the dialog stays open for the next try.
TEST_F(FileDialogTest, SaveRefusesAFolderThatDoesNotExist) {
  QtDialogs dialogs([](int) {});
  FileDialogOptions options = Options();
  options.file_name = QFile::encodeName(dir_.filePath("new")).toStdString();
  ModalDriver driver({TypeFileName(QStringLiteral("<b>missing</b>/mine")),
                      [](QWidget* modal) {
                        auto* box = qobject_cast<QMessageBox*>(modal);
                        ASSERT_NE(box, nullptr);
                        EXPECT_EQ(box->textFormat(), Qt::PlainText);
                        EXPECT_TRUE(box->text().contains(QStringLiteral("<b>missing</b>")));
                        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                      },
                      TypeFileName(QStringLiteral("mine"))});
  EXPECT_EQ(dialogs.SaveFileName(options),
            QFile::encodeName(dir_.filePath("mine.CFG")).toStdString());
  EXPECT_FALSE(QDir(dir_.filePath(QStringLiteral("<b>missing</b>"))).exists());
}

TEST_F(FileDialogTest, OpenMayBeCancelled) {
  QtDialogs dialogs([](int) {});
  ModalDriver driver({PressKey(Qt::Key_Escape)});
  EXPECT_EQ(dialogs.OpenFileName(Options()), std::nullopt);
}

}  // namespace
}  // namespace orvaltic::gui
