#include "core/panels/style_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orvaltic {
namespace {

using A = PanelAction;

std::set<std::pair<A, int>> ActionsOf(const PanelLayout& layout) {
  std::set<std::pair<A, int>> actions;
  for (const ControlSpec& control : layout.controls) {
    for (const ControlAction& a : {control.on_click, control.on_mouse_move}) {
      if (a.action != A::kNone) {
        actions.emplace(a.action, a.n);
      }
    }
  }
  return actions;
}

TEST(StyleLayoutTest, EachStyleIsItsOwnWindowWithUniqueNamesAndEveryFunctionOfTheMainPanel) {
  // No style lacks a function of the main panel's controls.
  const auto main_actions = ActionsOf(StyleLayout(1));
  for (int style = 1; style <= kPanelCount; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    const PanelLayout& layout = StyleLayout(style);
    EXPECT_EQ(layout.style, style);
    EXPECT_EQ(layout.caption, "S" + std::to_string(style));
    EXPECT_EQ(layout.window_name,
              style == 1 ? "MainFrmRadio" : "FormStyle" + std::to_string(style));
    std::set<std::string> names;
    for (const ControlSpec& control : layout.controls) {
      EXPECT_TRUE(names.insert(control.name).second) << "two controls named " << control.name;
    }
    auto expected = main_actions;
    if (style == 5) {
      // Its drawers are its own.
      expected.insert({{A::kPresetDrawer, 0}, {A::kControlsDrawer, 0}});
    }
    EXPECT_EQ(ActionsOf(layout), expected);
  }
  EXPECT_THROW(StyleLayout(0), std::out_of_range);
  EXPECT_THROW(StyleLayout(8), std::out_of_range);
}

struct Row {
  int style;
  const char* control;
  std::optional<ControlAction> action;
};

TEST(StyleLayoutTest, ClicksResolveToTheActionOfTheirRoleOnEachStyle) {
  const std::optional<ControlAction> none;
  const Row rows[] = {
      // The main panel's names.
      {1, "PwrBtn", {{A::kPower}}},
      {1, "MuteBtn", {{A::kMute}}},
      {1, "DecVolumeBtn", {{A::kVolumeDown}}},
      {1, "IncVolumeBtn", {{A::kVolumeUp}}},
      {1, "Preset1", {{A::kPreset, 1}}},
      {1, "Preset10", {{A::kPreset, 10}}},
      {1, "MemoryBtn", {{A::kMemory}}},
      {1, "Prev10Btn", {{A::kPreviousPage}}},
      {1, "Next10Btn", {{A::kNextPage}}},
      {1, "TuneDownBtn", {{A::kTuneDown}}},
      {1, "TuneUpBtn", {{A::kTuneUp}}},
      {1, "FineTuneDownBtn", {{A::kFineTuneDown}}},
      {1, "FineTuneUpBtn", {{A::kFineTuneUp}}},
      {1, "ScanDownBtn", {{A::kScanDown}}},
      {1, "ScanUpBtn", {{A::kScanUp}}},
      {1, "DirectAccessBtn", {{A::kDirectAccess}}},
      {1, "Label3", {{A::kMinimize}}},
      {1, "AlarmPanel", {{A::kCloseAlarmStatus}}},
      {1, "AlarmCurrentLabel", {{A::kCloseAlarmStatus}}},
      {1, "Label11", {{A::kCloseAlarmStatus}}},  // "Alarm:" is part of its overlay
      {1, "SnoozeLabel", {{A::kCloseSnoozeStatus}}},
      {1, "Label12", {{A::kCloseSnoozeStatus}}},
      // The same names on the styles that carry them.
      {2, "PwrBtn", {{A::kPower}}},
      {4, "MuteBtn", {{A::kMute}}},
      {5, "Next10Btn", {{A::kNextPage}}},
      {6, "PwrBtn", {{A::kPower}}},
      {7, "Preset3", {{A::kPreset, 3}}},
      {4, "AlarmLabel", {{A::kCloseAlarmStatus}}},
      {3, "SnoozePanel", {{A::kCloseSnoozeStatus}}},
      // Each style's own names.
      {2, "Label18", {{A::kMinimize}}},
      {2, "Label2", {{A::kFineTuneDown}}},
      {2, "Label3", {{A::kFineTuneUp}}},
      {2, "SpeedButton3", {{A::kDirectAccess}}},
      {3, "Label18", {{A::kMinimize}}},
      {4, "Panel2", {{A::kMinimize}}},
      {5, "Label18", {{A::kMinimize}}},
      {5, "DownLeftBtn", {{A::kPresetDrawer}}},
      {5, "UpLeftBtn", {{A::kPresetDrawer}}},
      {5, "DownRightBtn", {{A::kControlsDrawer}}},
      {5, "UpRightBtn", {{A::kControlsDrawer}}},
      {6, "Label11", {{A::kMinimize}}},
      {6, "SpeedButton11", {{A::kMemory}}},
      {6, "SpeedButton21", {{A::kMute}}},
      {6, "SpeedButton22", {{A::kVolumeDown}}},
      {6, "SpeedButton23", {{A::kVolumeUp}}},
      {7, "Label9", {{A::kMinimize}}},
      {7, "SpeedButton15", {{A::kPower}}},
      {7, "SpeedButton14", {{A::kVolumeDown}}},
      {7, "SpeedButton13", {{A::kVolumeUp}}},
      {7, "SpeedButton25", {{A::kMute}}},
      {7, "SpeedButton18", {{A::kMemory}}},
      {7, "SpeedButton20", {{A::kTuneDown}}},
      {7, "SpeedButton12", {{A::kTuneUp}}},
      {7, "SpeedButton21", {{A::kFineTuneDown}}},
      {7, "SpeedButton22", {{A::kFineTuneUp}}},
      {7, "SpeedButton16", {{A::kScanDown}}},
      {7, "SpeedButton6", {{A::kScanUp}}},
      {7, "SpeedButton26", {{A::kDirectAccess}}},
      // Names that mean nothing on that style, controls that do not react, no such style.
      {1, "Label18", none},
      {1, "SpeedButton15", none},
      {7, "PwrBtn", none},
      {7, "Label11", none},
      {1, "DownLeftBtn", none},
      {2, "DirectAccessBtn", none},
      {1, "Label4", none},  // "Volume" under its buttons
      {1, "PwrBtnLight", none},
      {1, "NoSuchControl", none},
      {0, "Label3", none},
      {8, "PwrBtn", none},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("style ") + std::to_string(row.style) + " " + row.control);
    EXPECT_EQ(ClickAction(row.style, row.control), row.action);
  }
}

TEST(StyleLayoutTest, MouseMovesOverLabel1AndThePresetsResolveOnEveryStyle) {
  for (int style = 1; style <= kPanelCount; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    EXPECT_EQ(MouseMoveAction(style, "Label1"), (ControlAction{A::kShowFileName}));
    EXPECT_EQ(MouseMoveAction(style, "Preset4"), (ControlAction{A::kShowStationName, 4}));
    EXPECT_EQ(MouseMoveAction(style, "Label3"), std::nullopt);
  }
  EXPECT_EQ(MouseMoveAction(1, "PwrBtn"), std::nullopt);
  EXPECT_EQ(MouseMoveAction(9, "Label1"), std::nullopt);
}

struct Box {
  int left, top, right, bottom;
  bool Overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// Every button of a style lies inside its window as designed, and no two buttons shown together
// cover each other, so that each can be seen and clicked. (Style 5's up chevrons lie hidden
// under the down ones.)
TEST(StyleLayoutTest, ButtonsOfEachStyleLieInsideTheWindowApart) {
  for (int style = 1; style <= kPanelCount; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    const PanelLayout& layout = StyleLayout(style);
    std::map<std::string, Box> on_window;
    std::vector<std::pair<const ControlSpec*, Box>> buttons;
    for (const ControlSpec& control : layout.controls) {
      const Box parent = control.parent.empty() ? Box{0, 0, 0, 0} : on_window.at(control.parent);
      const Box box{parent.left + control.left, parent.top + control.top,
                    parent.left + control.left + control.width,
                    parent.top + control.top + control.height};
      on_window[control.name] = box;
      if (control.kind != ControlKind::kButton || !control.visible) {
        continue;
      }
      EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= layout.client_width &&
                  box.bottom <= layout.client_height)
          << control.name;
      for (const auto& [other, other_box] : buttons) {
        EXPECT_FALSE(box.Overlaps(other_box)) << control.name << " covers " << other->name;
      }
      buttons.emplace_back(&control, box);
    }
  }
}

// Style 4's left column holds six groups from top to bottom, the power group with A, S, B and H
// last, inside the designed 259 x 261 window beside the presets.
TEST(StyleLayoutTest, StyleFourEndsItsLeftColumnWithThePowerGroup) {
  const PanelLayout& layout = StyleLayout(4);
  const ControlSpec* frame = layout.Find("Panel1");
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> column;  // the groups from top to bottom
  int bottom = 0;
  for (const ControlSpec& control : layout.controls) {
    if (control.kind != ControlKind::kFrame || control.parent != "Panel1" || control.top < 72) {
      continue;
    }
    if (control.left == 6) {
      EXPECT_GE(control.top, bottom) << control.name << " overlaps the group above it";
      bottom = control.top + control.height;
      column.push_back(control.accessible_name);
      EXPECT_EQ(control.width, 120) << control.name;
    }
    EXPECT_LE(control.top + control.height, frame->height - 2) << control.name;
  }
  EXPECT_EQ(column,
            (std::vector<std::string>{"Tune", "Scan", "Direct access", "Volume", "Mute", "Power"}));
  for (const char* button : {"PwrBtn", "AlarmBtn", "SnoozeBtn", "BorderBtn", "HelpBtn"}) {
    ASSERT_NE(layout.Find(button), nullptr);
    EXPECT_EQ(layout.Find(button)->parent, "Panel9") << button;
  }
  EXPECT_EQ(layout.client_width, 259);
  EXPECT_EQ(layout.client_height, 261);
}

}  // namespace
}  // namespace orvaltic
