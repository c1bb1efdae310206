#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>

#include "core/platform/font.h"

namespace orvaltic {

inline constexpr int kPanelCount = 7;  // style 1 (the main panel) to style 7

enum class Bevel { kNone, kLowered, kRaised };
enum class BorderStyle { kNone, kSingle };

// A framing panel of a window: what the bevel rule and the border sizing read and write.
struct FramePanel {
  int width = 0;
  int height = 0;
  Bevel bevel_inner = Bevel::kNone;
  Bevel bevel_outer = Bevel::kRaised;
  int bevel_width = 1;
  int border_width = 0;
  friend bool operator==(const FramePanel&, const FramePanel&) = default;
};

struct LabelModel {
  std::string caption;
  std::string hint;
  Color font_color = kBlack;
  bool visible = true;
  friend bool operator==(const LabelModel&, const LabelModel&) = default;
};

// The frequency display.
struct DisplayModel {
  std::string caption;
  std::string hint;
  FontSpec font;
  Color color = kBlack;  // background
  friend bool operator==(const DisplayModel&, const DisplayModel&) = default;
};

struct OverlayModel {
  bool visible = false;
  LabelModel current;  // AlarmCurrentLabel / SnoozeCurrentLabel
  LabelModel value;    // AlarmLabel / SnoozeLabel
  friend bool operator==(const OverlayModel&, const OverlayModel&) = default;
};

struct PresetButtonModel {
  std::string caption;
  std::string hint;
  Color light = kGreen;
  friend bool operator==(const PresetButtonModel&, const PresetButtonModel&) = default;
};

// Style 5's two drawers under its display group and the chevron buttons that work them. Each
// pair of chevrons lies at one place: the down one shows while its drawer is closed, the up one
// while it is open.
struct DrawersModel {
  bool presets_shown = true;   // the preset drawer, Panel6
  bool controls_shown = true;  // the controls drawer, Panel3
  int controls_top = 134;      // as designed, under the preset drawer
  int controls_left = -2;
  bool down_left = true;
  bool up_left = false;
  bool down_right = true;
  bool up_right = false;
  friend bool operator==(const DrawersModel&, const DrawersModel&) = default;
};

// Every control that all seven front panels carry under the same names, plus the window state
// the controller changes. Handlers write these; the Qt windows render them.
struct PanelSurface {
  int style = 1;

  DisplayModel FreqPanel;
  LabelModel Label1;
  LabelModel PresetDisplay;
  LabelModel AlarmDisplayLabel;
  LabelModel SnoozeDisplayLabel;
  LabelModel ProgLabel;
  std::optional<LabelModel> StationIDLabel;  // styles 6 and 7 only
  std::optional<DrawersModel> Drawers;       // style 5 only

  std::array<PresetButtonModel, 10> Presets;  // Preset1..Preset10 with their lights
  Color PresetMemoryLight = kGreen;
  Color MuteBtnLight = kGreen;
  Color PwrBtnLight = kMaroon;

  OverlayModel AlarmPanel;
  OverlayModel SnoozePanel;

  // Window.
  std::string caption;
  bool visible = false;
  bool minimized = false;
  int top = 0;
  int left = 0;
  BorderStyle border = BorderStyle::kSingle;
  int client_width = 0;
  int client_height = 0;

  // The framing panels by name ("Panel1", "Panel2", ...).
  std::map<std::string, FramePanel> frames;

  FramePanel& Frame(const std::string& name) { return frames.at(name); }
  const FramePanel& Frame(const std::string& name) const { return frames.at(name); }

  friend bool operator==(const PanelSurface&, const PanelSurface&) = default;
};

// The surface of style `style` (1..7) as designed, before any handler ran.
PanelSurface DesignedSurface(int style);

}  // namespace orvaltic
