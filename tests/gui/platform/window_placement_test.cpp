#include "gui/platform/window_placement.h"

#include <gtest/gtest.h>

namespace orvaltic::gui {
namespace {

struct PlaceCase {
  const char* what;
  QSize window;
  QRect beside;
  QRect keep_clear;
  QPoint expected;
};

// A 1280 x 1024 screen; the main panel's frame is 445 x 161.
TEST(PlaceBesideTest, TakesTheFirstFreePlaceInsideTheScreenElseCoversLeast) {
  const QRect screen(0, 0, 1280, 1024);
  const PlaceCase cases[] = {
      {"right of a panel at the top left", {400, 300}, {0, 0, 445, 161}, {}, {453, 0}},
      {"below one at the right edge, pushed in", {400, 300}, {840, 0, 445, 161}, {}, {840, 169}},
      {"left of one in the bottom right corner", {400, 300}, {835, 863, 445, 161}, {}, {427, 724}},
      {"above one along the bottom", {1200, 300}, {0, 863, 445, 161}, {}, {0, 555}},
      // Too large to leave the panel free: the display stays in view.
      {"over the panel, off its display", {1280, 960}, {0, 0, 445, 161}, {8, 8, 187, 37}, {0, 64}},
  };
  for (const PlaceCase& c : cases) {
    EXPECT_EQ(PlaceBeside(c.window, c.beside, c.keep_clear, screen), c.expected) << c.what;
  }
}

// Beside a box in the middle of the screen, the band below it is the largest room.
TEST(PlaceBesideTest, TheLargestRoomBesideABoxInTheMiddle) {
  EXPECT_EQ(RoomBeside({475, 447, 330, 130}, {0, 0, 1280, 1024}), QSize(1280, 439));
  EXPECT_EQ(RoomBeside({0, 0, 1280, 1024}, {0, 0, 1280, 1024}), QSize(0, 0));
}

}  // namespace
}  // namespace orvaltic::gui
