#include "core/panels/style_switcher.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;

class StyleSwitcherTest : public ControllerTest {
 protected:
  // The main panel shown and painted once, with `startup_style` in the options.
  void StartUp(const std::string& startup_style = "Style 1") {
    radio_.options().StartupStyle = startup_style;
    radio_.style_switcher().ShowMainPanel();
    fake_.events().Painted(1);
  }

  // What a view reports when the user drags panel `style`'s window.
  void Drag(int style, int top, int left) {
    fake_.panels().Style(style).top = top;
    fake_.panels().Style(style).left = left;
  }

  std::vector<int> Visible() {
    std::vector<int> styles;
    for (int style = 1; style <= kPanelCount; ++style) {
      if (fake_.panels().Style(style).visible) {
        styles.push_back(style);
      }
    }
    return styles;
  }

  std::vector<std::string> Checked() {
    std::vector<std::string> names;
    for (const MenuItem& item : radio_.menu().Item("FormStyle1").items) {
      if (item.checked) {
        names.push_back(item.name);
      }
    }
    return names;
  }
};

TEST_F(StyleSwitcherTest, EachSwitchShowsOnePanelWhereTheLastOneWasLeft) {
  StartUp();
  int shown = 1;
  int offset = 0;
  for (int style : {4, 7, 4, 1, 2, 3, 5, 6, 6, 1}) {
    offset += 10;
    Drag(shown, 100 + offset, 300 + offset);
    fake_.events().MenuClick("Style" + std::to_string(style));

    SCOPED_TRACE("style " + std::to_string(style));
    EXPECT_EQ(Visible(), std::vector<int>{style});
    EXPECT_EQ(Checked(), std::vector<std::string>{"Style" + std::to_string(style)});
    EXPECT_EQ(fake_.panels().Style(style).top, 100 + offset);
    EXPECT_EQ(fake_.panels().Style(style).left, 300 + offset);
    EXPECT_EQ(radio_.display().PanelTop, 100 + offset);
    EXPECT_EQ(radio_.display().PanelLeft, 300 + offset);
    shown = style;
  }
  EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(StyleSwitcherTest, ChoosingTheShownStyleAgainChangesNothing) {
  StartUp();
  for (int style : {1, 4}) {
    fake_.events().MenuClick("Style" + std::to_string(style));
    Drag(style, 50 + style, 60 + style);
    const PanelSurface before = fake_.panels().Style(style);
    const std::vector<MenuItem> menu_before = radio_.menu().Items();

    fake_.events().MenuClick("Style" + std::to_string(style));

    EXPECT_EQ(fake_.panels().Style(style), before) << style;
    EXPECT_EQ(radio_.menu().Items(), menu_before) << style;
    EXPECT_EQ(Visible(), std::vector<int>{style});
  }
}

struct StartupCase {
  std::string startup_style;
  int shown;
  std::vector<std::string> checked;
};

void PrintTo(const StartupCase& c, std::ostream* os) {
  *os << '"' << c.startup_style << '"';
}

class StartupStyleTest : public StyleSwitcherTest,
                         public ::testing::WithParamInterface<StartupCase> {};

TEST_P(StartupStyleTest, TheFirstPaintSwitchesToTheNamedStyleOnly) {
  const StartupCase& c = GetParam();
  StartUp(c.startup_style);
  EXPECT_EQ(Visible(), std::vector<int>{c.shown});
  EXPECT_EQ(Checked(), c.checked);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, StartupStyleTest,
    ::testing::Values(StartupCase{"Style 1", 1, {"Style1"}}, StartupCase{"Style 3", 3, {"Style3"}},
                      StartupCase{"Style 7", 7, {"Style7"}},
                      // Names no style: the main panel stays, nothing is checked.
                      StartupCase{"style 3", 1, {}}, StartupCase{"Style 3 ", 1, {}},
                      StartupCase{"Style 8", 1, {}}, StartupCase{"", 1, {}},
                      StartupCase{"Style 5", 5, {"Style5"}}));

TEST_F(StyleSwitcherTest, APanelStartedMinimisedSwitchesToAMinimisedStyle) {
  fake_.panels().Main().minimized = true;  // /H
  StartUp("Style 4");
  EXPECT_EQ(Visible(), std::vector<int>{4});
  EXPECT_TRUE(fake_.panels().Style(4).minimized);

  fake_.panels().Style(4).minimized = false;  // restored by the user
  fake_.events().MenuClick("Style1");
  EXPECT_FALSE(fake_.panels().Main().minimized);
}

// Parameter: closed by the power button, else by the window's system menu.
class CloseOnAnotherStyleTest : public StyleSwitcherTest,
                                public ::testing::WithParamInterface<bool> {};

TEST_P(CloseOnAnotherStyleTest, StoresTheShownPanelsPositionAndEnds) {
  StartUp();
  fake_.events().MenuClick("Style3");
  fake_.events().Click(3, "PwrBtn");
  ASSERT_TRUE(radio_.PowerOn());
  fake_.events().MenuClick("Style6");
  EXPECT_EQ(fake_.panels().Style(6).PwrBtnLight, kRed);
  Drag(6, 210, 420);
  dialogs_.AnswerMessage(MessageResult::kNo);

  if (GetParam()) {
    fake_.events().Click(6, "PwrBtn");
  } else {
    EXPECT_TRUE(fake_.events().CloseQuery(6));
  }

  EXPECT_EQ(dialogs_.boxes.at(0).text, kKeepRadioOnQuestion);
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_FALSE(radio_.PowerOn());
  EXPECT_EQ(radio_.display().PanelTop, 210);
  EXPECT_EQ(radio_.display().PanelLeft, 420);
}

INSTANTIATE_TEST_SUITE_P(PowerOrSystemMenu, CloseOnAnotherStyleTest, ::testing::Bool());

TEST_F(StyleSwitcherTest, APresetRecalledOnStyle2IsLitOnTheMainPanelWithoutCopying) {
  radio_.presets().PresetFreq(3) = 99.5;
  StartUp();
  fake_.SwitchOn();
  fake_.events().MenuClick("Style2");
  fake_.events().Click(2, "Preset3");
  const PanelSurface main_before = fake_.panels().Main();
  ASSERT_EQ(main_before.Presets[2].light, kLime);
  ASSERT_EQ(main_before.FreqPanel.caption, "99.500");

  fake_.events().MenuClick("Style1");

  // Only the window state changed.
  PanelSurface main = fake_.panels().Main();
  EXPECT_TRUE(main.visible);
  main.visible = main_before.visible;
  EXPECT_EQ(main, main_before);
}

}  // namespace
}  // namespace orvaltic
