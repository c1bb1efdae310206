#include "core/platform/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orvaltic {
namespace {

TEST(PrintableTextTest, ALongTextIsCutWhereACharacterBeginsAndThenEscaped) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string cut;
    std::string shown;
  };
  const Case cases[] = {
      {"jazz", 4, "jazz", "jazz"},
      {"jazzy", 4, "jazz...", "jazz..."},
      // "é" is two bytes: it is kept whole or left out, never halved.
      {"caf\xC3\xA9!", 4, "caf...", "caf..."},
      {"caf\xC3\xA9!", 5, "caf\xC3\xA9...", "caf\xC3\xA9..."},
      {"\x1B[2J\\x", 10, "\x1B[2J\\x", "\\x1B[2J\\\\x"},
      {"a\nb\x1B" + std::string(500, 'x'), 4, "a\nb\x1B...", "a\\nb\\x1B..."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CutText(c.text, c.max), c.cut) << c.text;
    EXPECT_EQ(ShortPrintableText(c.text, c.max), c.shown) << c.text;
  }
}

}  // namespace
}  // namespace orvaltic
