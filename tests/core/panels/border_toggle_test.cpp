#include "core/panels/border_toggle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/controller/controller_fixture.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;

// The client sizes of the seven panels, main first, with a border and without.
const std::vector<ClientSize> kBordered = {{443, 139}, {488, 138}, {314, 153}, {259, 260},
                                           {188, 73},  {370, 172}, {485, 172}};
const std::vector<ClientSize> kBorderless = {{443, 139}, {488, 138}, {312, 152}, {259, 260},
                                             {188, 73},  {372, 173}, {485, 172}};

// Each style's border button, as that style names it.
const std::vector<std::string> kBorderButtons = {
    "BorderBtn", "BorderBtn", "BorderBtn", "BorderBtn", "BorderBtn", "BorderBtn", "SpeedButton28"};

class BorderToggleTest : public ControllerTest, public ::testing::WithParamInterface<std::string> {
 protected:
  std::vector<ClientSize> Sizes() {
    return fake_.OnEveryPanel([](const PanelSurface& p) {
      return ClientSize{p.client_width, p.client_height};
    });
  }
  std::vector<BorderStyle> Borders() {
    return fake_.OnEveryPanel([](const PanelSurface& p) { return p.border; });
  }
  void ExpectAll(BorderStyle border) {
    EXPECT_EQ(Borders(), testing::Seven(border));
    EXPECT_EQ(Sizes(), border == BorderStyle::kSingle ? kBordered : kBorderless);
  }
};

// The first paint puts on the stored border; then every style's button turns it over on all
// seven, with the radio still off, and a second press gives back the sizes of the first.
TEST_P(BorderToggleTest, EveryButtonTogglesAllSevenWithTheirSizes) {
  radio_.display().BorderStyleText = GetParam();
  fake_.panels().ForEach([](PanelSurface& p) {
    p.top = 10 * p.style;
    p.left = 20 * p.style;
  });
  fake_.events().Painted(1);
  const BorderStyle stored = GetParam() == "bsSingle" ? BorderStyle::kSingle : BorderStyle::kNone;
  const BorderStyle other =
      stored == BorderStyle::kSingle ? BorderStyle::kNone : BorderStyle::kSingle;
  ExpectAll(stored);

  for (int style = 1; style <= kPanelCount; ++style) {
    SCOPED_TRACE(style);
    const std::string& button = kBorderButtons[static_cast<std::size_t>(style - 1)];
    fake_.events().Click(style, button);
    ExpectAll(other);
    fake_.events().Click(style, button);
    ExpectAll(stored);
  }
  EXPECT_FALSE(radio_.PowerOn());
  // The corners stay where they were.
  EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.top * 2 - p.left; }),
            testing::Seven(0));
}

INSTANTIATE_TEST_SUITE_P(StoredWords, BorderToggleTest,
                         ::testing::Values("", "bsNone", "bsSingle", "bsSingle "));

// Style 5 keeps the height of the drawer that is open; any other height is the closed one.
TEST_F(ControllerTest, StyleFiveKeepsItsDrawerThroughTheBorderToggle) {
  for (const auto& [height, kept] : {std::pair{136, 136}, {154, 154}, {73, 73}, {219, 73}}) {
    SCOPED_TRACE(height);
    fake_.panels().Style(5).client_height = height;
    radio_.border_toggle().BorderBtnClick();
    EXPECT_EQ(fake_.panels().Style(5).client_height, kept);
    EXPECT_EQ(fake_.panels().Style(5).client_width, 188);
    radio_.border_toggle().BorderBtnClick();
    EXPECT_EQ(fake_.panels().Style(5).client_height, kept);
  }
}

}  // namespace
}  // namespace orvaltic
