#include "gui/platform/font_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <ostream>
#include <vector>

#include "gui/platform/accessible_controls.h"
#include "gui/platform/qt_convert.h"
#include "gui/platform/qt_dialogs.h"
#include "modal_driver.h"

namespace orvaltic {

// Readable failure messages.
static void PrintTo(const FontSpec& font, std::ostream* out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : font.name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      *out << c;
    } else {
      *out << "\\x" << kHex[byte >> 4] << kHex[byte & 0xF];
    }
  }
  *out << ' ' << font.size << "pt" << (font.bold ? " bold" : "") << (font.italic ? " italic" : "")
       << (font.underline ? " underline" : "") << (font.strike_out ? " strikeout" : "")
       << " colour " << std::hex << font.color << std::dec;
}

namespace gui {
namespace {

template <typename W>
W* Child(const QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

void Click(const QWidget& dialog, const char* name) {
  auto* widget = Child<QAbstractButton>(dialog, name);
  ASSERT_NE(widget, nullptr);
  // A check box reacts to its box and text only, not to the empty rest of its row.
  const QPoint at = qobject_cast<QCheckBox*>(widget) != nullptr ? QPoint(4, widget->height() / 2)
                                                                : widget->rect().center();
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void SelectColorNamed(const QWidget& dialog, const char* name) {
  auto* combo = Child<QComboBox>(dialog, "ColorComboBox");
  ASSERT_NE(combo, nullptr);
  const int index = combo->findText(QString::fromLatin1(name));
  ASSERT_GE(index, 0) << name;
  combo->setCurrentIndex(index);
}

void TypeSize(const QWidget& dialog, const char* size) {
  auto* edit = Child<QLineEdit>(dialog, "SizeEdit");
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromLatin1(size));
}

FontSpec MakeFont(const char* name, int size, bool bold, bool italic, bool underline, bool strike,
                  Color color) {
  return FontSpec{name, size, bold, italic, underline, strike, color};
}

class FontDialogRoundTrip : public ::testing::TestWithParam<FontSpec> {};

TEST_P(FontDialogRoundTrip, WidgetsGiveBackTheFont) {
  FontDialog dialog;
  dialog.SetFontSpec(GetParam());
  EXPECT_EQ(dialog.CurrentFontSpec(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontDialogRoundTrip,
    ::testing::Values(FontSpec{}, MakeFont("Arial", 20, false, false, false, false, 0x00FF00),
                      MakeFont("Arial", 11, true, false, false, false, kRed),
                      MakeFont("Arial", 0, false, true, true, false, 0x123456),
                      MakeFont("No Such Face", 500, true, true, true, true, 0xFFFFFF),
                      // A face name from a file written on Windows stays byte for byte.
                      MakeFont("Caf\xE9 Sans", 9, false, false, false, true, kMaroon)));

TEST(FontDialogTest, EveryControlHasAName) {
  const FontDialog dialog;
  EXPECT_EQ(testing::UnnamedControls(dialog), QStringList());
}

TEST(FontDialogTest, ShowsTheFontInItsControls) {
  FontDialog dialog;
  dialog.SetFontSpec(MakeFont("Unknown Face", 13, true, true, false, true, 0x800000));
  ASSERT_NE(Child<QListWidget>(dialog, "FaceList")->currentItem(), nullptr);
  EXPECT_EQ(Child<QListWidget>(dialog, "FaceList")->currentItem()->text(), "Unknown Face");
  EXPECT_EQ(Child<QListWidget>(dialog, "StyleList")->currentItem()->text(), "Bold Italic");
  EXPECT_EQ(Child<QLineEdit>(dialog, "SizeEdit")->text(), "13");
  EXPECT_EQ(Child<QListWidget>(dialog, "SizeList")->currentItem(), nullptr);
  EXPECT_TRUE(Child<QCheckBox>(dialog, "StrikeoutCheckBox")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(dialog, "UnderlineCheckBox")->isChecked());
  EXPECT_EQ(Child<QComboBox>(dialog, "ColorComboBox")->currentText(), "Navy");
  EXPECT_EQ(Child<QCheckBox>(dialog, "StrikeoutCheckBox")->text().remove('&'), "Strikeout");
  EXPECT_EQ(Child<QCheckBox>(dialog, "UnderlineCheckBox")->text().remove('&'), "Underline");

  // Only an unlisted colour adds an entry, and only while it is the font's colour.
  auto* colors = Child<QComboBox>(dialog, "ColorComboBox");
  EXPECT_EQ(colors->count(), 16);
  dialog.SetFontSpec(MakeFont("Unknown Face", 13, false, false, false, false, 0x010203));
  EXPECT_EQ(colors->count(), 17);
  dialog.SetFontSpec(MakeFont("Unknown Face", 13, false, false, false, false, kLime));
  EXPECT_EQ(colors->count(), 16);
  EXPECT_EQ(colors->currentText(), "Lime");
}

TEST(FontDialogTest, BasicColoursHaveTheirNamesAndValues) {
  FontDialog dialog;
  auto* colors = Child<QComboBox>(dialog, "ColorComboBox");
  const std::vector<std::pair<const char*, Color>> expected = {
      {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
      {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
      {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
      {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF}};
  ASSERT_EQ(colors->count(), 16);
  for (int i = 0; i < 16; ++i) {
    const auto& [name, value] = expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(colors->itemText(i), name);
    EXPECT_EQ(colors->itemData(i).value<Color>(), value) << name;
  }
}

TEST(FontDialogTest, ApplyHandsOverTheFontAndKeepsTheDialogOpen) {
  FontDialog dialog;
  const FontSpec initial = MakeFont("Arial", 20, false, false, false, false, 0x00FF00);
  dialog.SetFontSpec(initial);
  std::vector<FontSpec> applied;
  dialog.SetOnApply([&](const FontSpec& font) { applied.push_back(font); });
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  TypeSize(dialog, "33");
  Click(dialog, "UnderlineCheckBox");
  SelectColorNamed(dialog, "Red");
  Child<QListWidget>(dialog, "StyleList")->setCurrentRow(2);
  Click(dialog, "ApplyButton");

  FontSpec expected = initial;
  expected.size = 33;
  expected.underline = true;
  expected.color = kRed;
  expected.bold = true;
  ASSERT_EQ(applied.size(), 1U);
  EXPECT_EQ(applied[0], expected);
  EXPECT_TRUE(dialog.isVisible());
  // The sample shows it.
  EXPECT_TRUE(Child<QLabel>(dialog, "SampleLabel")->font().underline());
  EXPECT_EQ(Child<QLabel>(dialog, "SampleLabel")->palette().color(QPalette::WindowText),
            QColor(Qt::red));

  // A size picked from the list replaces the typed one.
  auto* sizes = Child<QListWidget>(dialog, "SizeList");
  sizes->setCurrentItem(sizes->findItems("12", Qt::MatchExactly).value(0));
  EXPECT_EQ(Child<QLineEdit>(dialog, "SizeEdit")->text(), "12");
  EXPECT_EQ(dialog.CurrentFontSpec().size, 12);

  Click(dialog, "CancelButton");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(applied.size(), 1U);
}

TEST(FontDialogTest, FilterNarrowsTheFacesAndAnExactNamePicksIt) {
  const QStringList families = QFontDatabase::families();
  if (families.isEmpty()) {
    GTEST_SKIP() << "no fonts installed";
  }
  FontDialog dialog;
  dialog.SetFontSpec(MakeFont("No Such Face", 10, false, false, false, false, 0));
  auto* faces = Child<QListWidget>(dialog, "FaceList");
  auto* filter = Child<QLineEdit>(dialog, "FaceFilterEdit");
  const QString target = families.first();

  QTest::keyClicks(filter, target.toLower());
  int visible = 0;
  for (int row = 0; row < faces->count(); ++row) {
    if (!faces->item(row)->isHidden()) {
      ++visible;
      EXPECT_TRUE(faces->item(row)->text().contains(target, Qt::CaseInsensitive));
    }
  }
  EXPECT_GE(visible, 1);
  EXPECT_EQ(dialog.CurrentFontSpec().name, target.toStdString());

  filter->clear();
  for (int row = 0; row < faces->count(); ++row) {
    EXPECT_FALSE(faces->item(row)->isHidden());
  }
}

// The modal path: Apply while the dialog runs, then Cancel. The applied font stays with the
// caller; the dialog's answer is "cancelled".
TEST(FontDialogTest, ChooseFontAppliesThenCancels) {
  QtDialogs dialogs([](int) {});
  std::optional<FontSpec> applied;
  testing::ModalDriver driver({[&](QWidget* modal) {
    auto* dialog = qobject_cast<FontDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    Click(*dialog, "StrikeoutCheckBox");
    Click(*dialog, "ApplyButton");
    EXPECT_TRUE(dialog->isVisible());
    Click(*dialog, "CancelButton");
  }});
  const FontSpec initial = MakeFont("Arial", 20, true, false, false, false, kLime);
  const std::optional<FontSpec> answer =
      dialogs.ChooseFont(initial, [&](const FontSpec& font) { applied = font; });

  EXPECT_EQ(answer, std::nullopt);
  FontSpec expected = initial;
  expected.strike_out = true;
  EXPECT_EQ(applied, expected);
}

TEST(FontDialogTest, ChooseFontReturnsTheFontOnOk) {
  QtDialogs dialogs([](int) {});
  testing::ModalDriver driver({[&](QWidget* modal) {
    SelectColorNamed(*modal, "Blue");
    Click(*modal, "OkButton");
  }});
  const std::optional<FontSpec> answer = dialogs.ChooseFont(FontSpec{}, {});
  FontSpec expected;
  expected.color = kBlue;
  EXPECT_EQ(answer, expected);
}

}  // namespace
}  // namespace gui
}  // namespace orvaltic
