#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/panels/panel_actions.h"
#include "core/panels/panel_surface.h"
#include "core/platform/font.h"

namespace orvaltic {

// The grey of the panels' faces and buttons.
inline constexpr Color kButtonFace = 0xC0C0C0;

// The names of the controls that every front panel carries and the surface renders, written
// once for the layouts that create them and the views that show the surface on them.
namespace control_name {
inline constexpr char kFreqPanel[] = "FreqPanel";
inline constexpr char kLabel1[] = "Label1";
inline constexpr char kPresetDisplay[] = "PresetDisplay";
inline constexpr char kAlarmDisplayLabel[] = "AlarmDisplayLabel";
inline constexpr char kSnoozeDisplayLabel[] = "SnoozeDisplayLabel";
inline constexpr char kProgLabel[] = "ProgLabel";
inline constexpr char kStationIDLabel[] = "StationIDLabel";
inline constexpr char kPresetMemoryLight[] = "PresetMemoryLight";
inline constexpr char kMuteBtnLight[] = "MuteBtnLight";
inline constexpr char kPwrBtnLight[] = "PwrBtnLight";

// Style 5's drawers and their chevron buttons.
inline constexpr char kPresetDrawer[] = "Panel6";
inline constexpr char kControlsDrawer[] = "Panel3";
inline constexpr char kDownLeftBtn[] = "DownLeftBtn";
inline constexpr char kUpLeftBtn[] = "UpLeftBtn";
inline constexpr char kDownRightBtn[] = "DownRightBtn";
inline constexpr char kUpRightBtn[] = "UpRightBtn";

// A status overlay and its two value labels.
struct Overlay {
  const char* panel;
  const char* current;
  const char* value;
};
inline constexpr Overlay kAlarmOverlay = {"AlarmPanel", "AlarmCurrentLabel", "AlarmLabel"};
inline constexpr Overlay kSnoozeOverlay = {"SnoozePanel", "SnoozeCurrentLabel", "SnoozeLabel"};

// Preset button `n` (1..10) and its light: "Preset3", "Preset3Light".
std::string Preset(int n);
std::string PresetLight(int n);
}  // namespace control_name

enum class ControlKind {
  kFrame,    // a grouping panel
  kDisplay,  // the frequency display: a panel with a centred caption
  kOverlay,  // a status panel that closes on a click
  kLight,    // a 6 x 6 state light; clicks go through to the button under it
  kButton,   // a speed button
  kLabel,
};

// A picture a button shows instead of a caption.
enum class ButtonPicture { kNone, kChevronDown, kChevronUp };

// Where a caption sits across its control; it is always centred from top to bottom.
enum class TextAlign { kLeft, kCenter, kRight };

struct TextLook {
  std::string face = "Arial";
  int size = 8;  // points
  bool bold = false;
  bool italic = false;
  Color color = kBlack;
};

// One control of a front panel as designed. Positions are relative to the parent control;
// parents come before their children.
struct ControlSpec {
  ControlKind kind = ControlKind::kLabel;
  std::string name;    // the objectName, under which the window reports the control's events
  std::string parent;  // empty: the window itself
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string caption;
  std::string hint;
  TextLook text;
  Color color = kButtonFace;  // fill of panels and lights
  Bevel bevel_outer = Bevel::kRaised;
  Bevel bevel_inner = Bevel::kNone;
  int bevel_width = 1;
  TextAlign alignment = TextAlign::kLeft;
  ButtonPicture picture = ButtonPicture::kNone;
  bool visible = true;
  // What a click on the control and the mouse moving over it do. A control whose action is
  // kNone does not react, and its window does not report the event.
  ControlAction on_click;
  ControlAction on_mouse_move;
  // What a screen reader calls the control: what it does or shows, in words, whatever its
  // caption (a "+" or "<" says nothing). Empty only for a fixed caption label, which is
  // called by its caption.
  std::string accessible_name;
  // The caption is a value the control shows (a frequency, a preset number, a time): the
  // screen reader hears it in the description, after the name.
  bool caption_is_value = false;
};

// A front panel window as designed: the caption, client size and background of the window
// and every control in creation order.
struct PanelLayout {
  int style = 1;
  std::string window_name;  // the window's objectName
  std::string caption;
  int client_width = 0;
  int client_height = 0;
  Color background = kButtonFace;
  std::vector<ControlSpec> controls;

  // The control named `name`, or null.
  const ControlSpec* Find(std::string_view name) const;
};

}  // namespace orvaltic
