#include "core/panels/style5_drawers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;

class Style5DrawersTest : public ControllerTest {
 protected:
  void SetUp() override {
    radio_.options().StartupStyle = "Style 5";
    radio_.style_switcher().ShowMainPanel();
    fake_.events().Painted(1);
    radio_.style5_drawers().SetRepaint([this] { steps_.push_back(Style5().client_height); });
  }

  PanelSurface& Style5() { return fake_.panels().Style(5); }
  // A chevron clicked on the window, as the user does it.
  void Click(const char* chevron) {
    steps_.clear();
    fake_.events().Click(5, chevron);
  }
  std::vector<int> Steps(int from, int to) {
    std::vector<int> steps;
    for (int height = from + 2; height - 2 < to; height += 2) {
      steps.push_back(height);
    }
    return steps;
  }

  std::vector<int> steps_;  // the client height at each repaint of a sliding drawer
};

// The start-up style shows style 5 with its display group only; each drawer slides open two
// pixels at a time to exactly its height, closes at once, and the other pair does nothing
// while one drawer is open.
TEST_F(Style5DrawersTest, EachDrawerSlidesOpenAloneAndClosesAtOnce) {
  ASSERT_TRUE(Style5().visible);
  EXPECT_EQ(Style5().client_height, 73);
  EXPECT_EQ(Style5().client_width, 188);

  struct Step {
    const char* chevron;
    int height;
    std::vector<int> slide;  // the heights drawn on the way
    DrawersModel shown;
  };
  const DrawersModel closed;
  DrawersModel presets_open = closed;
  presets_open.controls_shown = false;
  presets_open.down_left = false;
  presets_open.up_left = true;
  DrawersModel presets_closed = presets_open;
  presets_closed.down_left = true;
  presets_closed.up_left = false;
  DrawersModel controls_open = presets_closed;
  controls_open.presets_shown = false;
  controls_open.controls_shown = true;
  controls_open.controls_top = 71;
  controls_open.down_right = false;
  controls_open.up_right = true;
  DrawersModel controls_closed = controls_open;
  controls_closed.down_right = true;
  controls_closed.up_right = false;
  DrawersModel presets_open_again = presets_open;
  presets_open_again.controls_top = 71;  // where the controls drawer last opened

  const Step steps[] = {
      {"DownLeftBtn", 136, Steps(73, 136), presets_open},
      {"DownRightBtn", 136, {}, presets_open},  // the preset drawer is open
      {"UpLeftBtn", 73, {}, presets_closed},
      {"DownRightBtn", 154, Steps(73, 154), controls_open},
      {"DownLeftBtn", 154, {}, controls_open},  // the controls drawer is open
      {"UpRightBtn", 73, {}, controls_closed},
      {"DownLeftBtn", 136, Steps(73, 136), presets_open_again},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.chevron);
    Click(step.chevron);
    EXPECT_EQ(Style5().client_height, step.height);
    EXPECT_EQ(radio_.style5_drawers().Style5Height(), step.height);
    EXPECT_EQ(steps_, step.slide);
    EXPECT_EQ(Style5().Drawers, step.shown);
  }
  // 75, 77, ..., 137: the last step passes the drawer's height, which is then set exactly.
  EXPECT_EQ(Steps(73, 136).front(), 75);
  EXPECT_EQ(Steps(73, 136).back(), 137);
  EXPECT_EQ(Steps(73, 154).back(), 155);
  // Nothing of it shows on any other panel.
  for (int style : {1, 2, 3, 4, 6, 7}) {
    EXPECT_FALSE(fake_.panels().Style(style).Drawers) << style;
  }
}

// The drawer stays open through a switch away and back and through the border toggle; only
// the first show shrinks the window to its display group.
TEST_F(Style5DrawersTest, AnOpenDrawerOutlivesSwitchesAndTheBorderToggle) {
  Click("DownLeftBtn");
  fake_.events().MenuClick("Style2");
  EXPECT_FALSE(Style5().visible);
  const BorderStyle border = Style5().border;
  fake_.events().Click(2, "BorderBtn");
  EXPECT_NE(Style5().border, border);
  EXPECT_EQ(Style5().client_height, 136);
  fake_.events().MenuClick("Style5");
  EXPECT_TRUE(Style5().visible);
  EXPECT_EQ(Style5().client_height, 136);
  EXPECT_FALSE(radio_.style5_drawers().Style5PresetsClosed());
  Click("UpLeftBtn");
  fake_.events().Click(5, "BorderBtn");
  EXPECT_EQ(Style5().client_height, 73);
  EXPECT_EQ(Style5().client_width, 188);
}

}  // namespace
}  // namespace orvaltic
