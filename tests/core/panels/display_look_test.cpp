#include "core/panels/display_look.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::Seven;

constexpr Color kNavy = 0x800000;

FontSpec RedBoldUnderlined() {
  FontSpec font;
  font.name = "DejaVu Serif";
  font.size = 22;
  font.bold = true;
  font.underline = true;
  font.color = kRed;
  return font;
}

class DisplayLookTest : public ControllerTest {
 protected:
  std::vector<FontSpec> Fonts() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.font; });
  }
  std::vector<Color> Backgrounds() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.color; });
  }
  // The colour of every small label inside every display, one list per panel.
  std::vector<std::vector<Color>> LabelColors() {
    return fake_.OnEveryPanel([](const PanelSurface& p) {
      std::vector<Color> colors = {p.Label1.font_color, p.PresetDisplay.font_color,
                                   p.AlarmDisplayLabel.font_color, p.SnoozeDisplayLabel.font_color,
                                   p.ProgLabel.font_color};
      if (p.StationIDLabel) {
        colors.push_back(p.StationIDLabel->font_color);
      }
      return colors;
    });
  }
  void ExpectLabelsIn(Color color) {
    for (const std::vector<Color>& colors : LabelColors()) {
      EXPECT_EQ(colors, std::vector<Color>(colors.size(), color));
    }
  }
};

// Apply puts the font on every display while the dialog is open; Cancel keeps it. Later, OK
// passes an unknown face and a size of 0 on as they are.
TEST_F(DisplayLookTest, ApplyThenCancelKeepsTheAppliedFontAndOkTakesAnyFont) {
  fake_.SwitchOn();
  const FontSpec before = fake_.panels().Main().FreqPanel.font;
  FontSpec applied = RedBoldUnderlined();
  dialogs_.AnswerFont(std::nullopt, {applied});
  fake_.events().MenuClick("Font1");
  ASSERT_EQ(dialogs_.font_dialogs, std::vector<FontSpec>{before});
  EXPECT_EQ(Fonts(), Seven(applied));
  ExpectLabelsIn(kRed);

  FontSpec odd;
  odd.name = "No Such Face";
  odd.size = 0;
  odd.italic = true;
  odd.strike_out = true;
  odd.color = kNavy;
  dialogs_.AnswerFont(odd);
  fake_.events().MenuClick("Font1");
  EXPECT_EQ(dialogs_.font_dialogs.back(), applied);
  EXPECT_EQ(Fonts(), Seven(odd));
  ExpectLabelsIn(kNavy);
  // The stored settings wait for the next save.
  EXPECT_EQ(radio_.display().DisplayFontName, "Arial");
}

TEST_F(DisplayLookTest, TheColourChangesEveryDisplayBackgroundAndNothingElse) {
  fake_.SwitchOn();
  std::vector<PanelSurface> expected = fake_.OnEveryPanel([](const PanelSurface& p) { return p; });
  for (PanelSurface& p : expected) {
    p.FreqPanel.color = kNavy;
  }
  dialogs_.AnswerColor(kNavy);
  fake_.events().MenuClick("Color1");
  EXPECT_EQ(dialogs_.color_dialogs, std::vector<Color>{kBlack});
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p; }), expected);

  dialogs_.AnswerColor(std::nullopt);
  fake_.events().MenuClick("Color1");
  EXPECT_EQ(Backgrounds(), Seven(kNavy));
}

// Font, colour and border through a save at close and the next start: bold and red, the
// underline not kept, on all seven displays; the same border again.
TEST_F(DisplayLookTest, TheLookComesBackAfterARestart) {
  dialogs_.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);
  radio_.life_cycle().ReadSettingsFiles();
  fake_.events().Painted(1);
  ASSERT_EQ(fake_.panels().Main().border, BorderStyle::kNone);
  fake_.SwitchOn();
  dialogs_.AnswerFont(RedBoldUnderlined()).AnswerColor(kNavy);
  fake_.events().MenuClick("Font1");
  fake_.events().MenuClick("Color1");
  fake_.events().Click(3, "BorderBtn");
  dialogs_.AnswerMessage(MessageResult::kNo);
  ASSERT_TRUE(fake_.events().CloseQuery(1));

  testing::FakeRadio next(folder_.path());
  next.dialogs.AnswerMessage(MessageResult::kOk);  // still no options file
  next.radio.life_cycle().ReadSettingsFiles();
  next.events().Painted(1);
  next.SwitchOn();
  FontSpec expected = RedBoldUnderlined();
  expected.underline = false;
  EXPECT_EQ(next.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.font; }),
            Seven(expected));
  EXPECT_EQ(next.OnEveryPanel([](const PanelSurface& p) { return p.FreqPanel.color; }),
            Seven(kNavy));
  EXPECT_EQ(next.OnEveryPanel([](const PanelSurface& p) { return p.border; }),
            Seven(BorderStyle::kSingle));
  EXPECT_EQ(next.radio.display().DisplayFontStyle, "Bold");
  EXPECT_TRUE(next.dialogs.AllAnswered());
}

}  // namespace
}  // namespace orvaltic
