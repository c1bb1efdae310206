#include "gui/platform/qt_convert.h"

#include <gtest/gtest.h>

#include <QTextDocument>

#include <ostream>
#include <set>
#include <string>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {
namespace {

TEST(QtConvertTest, ColoursAreBlueGreenRed) {
  struct Case {
    Color color;
    QColor qt;
  };
  for (const Case& c : {Case{0x0000FF, QColor(255, 0, 0)}, Case{0x00FF00, QColor(0, 255, 0)},
                        Case{0xFF0000, QColor(0, 0, 255)}, Case{0x000080, QColor(128, 0, 0)},
                        Case{0x123456, QColor(0x56, 0x34, 0x12)}, Case{0, QColor(0, 0, 0)},
                        Case{0xFFFFFF, QColor(255, 255, 255)}}) {
    EXPECT_EQ(ToQColor(c.color), c.qt) << std::hex << c.color;
    EXPECT_EQ(FromQColor(c.qt), c.color) << std::hex << c.color;
  }
  // Only the low three bytes carry the colour.
  EXPECT_EQ(ToQColor(0xAA0000FF), QColor(255, 0, 0));
  EXPECT_EQ(FromQColor(QColor::fromHsv(0, 255, 255)), Color{0x0000FF});
}

TEST(QtConvertTest, FontSpecToQFont) {
  const QFont font = ToQFont(FontSpec{"Courier", 14, true, true, true, true, 0});
  EXPECT_EQ(font.family(), "Courier");
  EXPECT_EQ(font.pointSize(), 14);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_TRUE(font.strikeOut());
  // Qt refuses a size of 0; the default size stands in.
  EXPECT_GT(ToQFont(FontSpec{"Courier", 0, false, false, false, false, 0}).pointSize(), 0);
}

struct CodecCase {
  const char* what;
  std::string bytes;
  const char* utf8;  // the expected text
  friend void PrintTo(const CodecCase& c, std::ostream* out) { *out << c.what; }
};

class FromCoreTextTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(FromCoreTextTest, Decodes) {
  EXPECT_EQ(FromCoreText(GetParam().bytes), QString::fromUtf8(GetParam().utf8)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FromCoreTextTest,
    ::testing::Values(
        CodecCase{"ascii", "Radio 1", "Radio 1"}, CodecCase{"empty", "", ""},
        CodecCase{"utf-8", "K\xC3\xB6ln \xE2\x82\xAC", "K\xC3\xB6ln \xE2\x82\xAC"},
        CodecCase{"utf-8 four bytes", "\xF0\x9F\x93\xBB", "\xF0\x9F\x93\xBB"},
        CodecCase{"latin letter", "K\xF6ln", "K\xC3\xB6ln"},
        CodecCase{"euro and quotes", "\x80 \x93x\x94", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
        CodecCase{"undefined bytes keep their value", "\x81\x8D\x8F\x90\x9D",
                  "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        CodecCase{"last of the range", "\x9F\xFF", "\xC5\xB8\xC3\xBF"},
        CodecCase{"broken sequence", "\xC3\x28", "\xC3\x83("},
        CodecCase{"overlong", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        CodecCase{"surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        CodecCase{"above U+10FFFF", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        CodecCase{"cut short", "ab\xE2\x82", "ab\xC3\xA2\xE2\x80\x9A"}));

TEST(TextCodecTest, EveryByteIsItsOwnCharacter) {
  std::set<char16_t> seen;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const QString text = FromCoreText(std::string(1, static_cast<char>(byte)));
    ASSERT_EQ(text.size(), 1) << byte;
    EXPECT_NE(text[0], QChar(QChar::ReplacementCharacter)) << byte;
    seen.insert(text[0].unicode());
  }
  EXPECT_EQ(seen.size(), 128U);
}

TEST(TextCodecTest, TypedTextGoesToTheCoreAsUtf8) {
  EXPECT_EQ(ToCoreText(QString::fromUtf8("K\xC3\xB6ln")), "K\xC3\xB6ln");
  EXPECT_EQ(ToCoreText(FromCoreText("K\xF6ln")), "K\xC3\xB6ln");
  const std::string utf8 = "\xE2\x82\xAC 1";
  EXPECT_EQ(ToCoreText(FromCoreText(utf8)), utf8);
}

// What the tool tip window shows is the tip read as markup: it must give back the text itself,
// including text that is markup, entities and runs of blanks.
TEST(TextCodecTest, ToolTipsShowTheTextLiterally) {
  for (const char* text : {"<h1>Jazz</h1>", "<img src=\"/etc/passwd\">", "Rock &amp; Roll & Co",
                           "  two  blanks ", "first\nsecond", "Caf\xC3\xA9 <b>FM"}) {
    const QString plain = QString::fromUtf8(text);
    const QString tip = PlainToolTip(plain);
    EXPECT_TRUE(Qt::mightBeRichText(tip)) << text;
    QTextDocument shown;
    shown.setHtml(tip);
    EXPECT_EQ(shown.toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n')), plain) << text;
  }
  EXPECT_TRUE(PlainToolTip(QString()).isEmpty());
}

}  // namespace
}  // namespace orvaltic::gui
