#include "core/panels/style_layout.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/panels/main_panel_layout.h"

namespace orvaltic {

namespace {

// The controls of styles 2 to 7 that carry a role of the main panel: under the main panel's
// name, or under one of their own. A style control does what the main panel's control of the
// same role does, so its action is taken from the main layout and never written again.
//
// These layouts hold only each style's controls and their roles for now; their places, captions
// and the rest of their controls come with the style windows.

struct Alias {
  ControlKind kind;
  const char* name;       // on the style panel
  const char* main_name;  // the main panel's control of the same role
};

struct StyleControls {
  std::vector<const char*> main_names;  // carried under the main panel's names
  std::vector<Alias> aliases;
};

// Every style carries the panel surface under the main panel's names.
const char* const kSurfaceControls[] = {
    control_name::kLabel1,
    control_name::kAlarmDisplayLabel,
    control_name::kSnoozeDisplayLabel,
    control_name::kProgLabel,
    control_name::kAlarmOverlay.panel,
    control_name::kAlarmOverlay.current,
    control_name::kAlarmOverlay.value,
    control_name::kSnoozeOverlay.panel,
    control_name::kSnoozeOverlay.current,
    control_name::kSnoozeOverlay.value,
};

const std::vector<const char*> kAllButtons = {
    "MemoryBtn",     "Prev10Btn",    "Next10Btn",   "PwrBtn",          "MuteBtn",
    "DecVolumeBtn",  "IncVolumeBtn", "TuneDownBtn", "TuneUpBtn",       "FineTuneDownBtn",
    "FineTuneUpBtn", "ScanDownBtn",  "ScanUpBtn",   "DirectAccessBtn", "AlarmBtn",
    "SnoozeBtn",     "BorderBtn",    "HelpBtn"};

StyleControls ControlsOf(int style) {
  constexpr ControlKind kButton = ControlKind::kButton;
  constexpr ControlKind kLabel = ControlKind::kLabel;
  switch (style) {
    case 2:
      return {{"MemoryBtn", "Prev10Btn", "Next10Btn", "PwrBtn", "MuteBtn", "DecVolumeBtn",
               "IncVolumeBtn", "TuneDownBtn", "TuneUpBtn", "FineTuneDownBtn", "FineTuneUpBtn",
               "ScanDownBtn", "ScanUpBtn", "BorderBtn", "HelpBtn"},
              {{kLabel, "Label18", "Label3"},
               {kButton, "SpeedButton1", "AlarmBtn"},
               {kButton, "SpeedButton2", "SnoozeBtn"},
               {kButton, "SpeedButton3", "DirectAccessBtn"},
               // The "<<" and ">>" labels lie on the uncaptioned fine-tune buttons.
               {kLabel, "Label2", "FineTuneDownBtn"},
               {kLabel, "Label3", "FineTuneUpBtn"}}};
    case 3:
    case 5:
      return {kAllButtons, {{kLabel, "Label18", "Label3"}}};
    case 4:
      // The minimise target is the captioned strip under the display.
      return {kAllButtons, {{ControlKind::kFrame, "Panel2", "Label3"}}};
    case 6:
      return {
          {"Prev10Btn", "Next10Btn", "TuneDownBtn", "TuneUpBtn", "FineTuneDownBtn", "FineTuneUpBtn",
           "ScanDownBtn", "ScanUpBtn", "DirectAccessBtn", "BorderBtn", "PwrBtn"},
          {{kLabel, "Label11", "Label3"},
           {kButton, "SpeedButton11", "MemoryBtn"},
           {kButton, "SpeedButton21", "MuteBtn"},
           {kButton, "SpeedButton22", "DecVolumeBtn"},
           {kButton, "SpeedButton23", "IncVolumeBtn"},
           {kButton, "SpeedButton24", "AlarmBtn"},
           {kButton, "SpeedButton25", "SnoozeBtn"},
           {kButton, "SpeedButton27", "HelpBtn"}}};
    case 7:
      return {{"Prev10Btn", "Next10Btn"},
              {{kLabel, "Label9", "Label3"},
               {kButton, "SpeedButton15", "PwrBtn"},
               {kButton, "SpeedButton20", "TuneDownBtn"},
               {kButton, "SpeedButton12", "TuneUpBtn"},
               {kButton, "SpeedButton21", "FineTuneDownBtn"},
               {kButton, "SpeedButton22", "FineTuneUpBtn"},
               {kButton, "SpeedButton16", "ScanDownBtn"},
               {kButton, "SpeedButton6", "ScanUpBtn"},
               {kButton, "SpeedButton26", "DirectAccessBtn"},
               {kButton, "SpeedButton18", "MemoryBtn"},
               {kButton, "SpeedButton14", "DecVolumeBtn"},
               {kButton, "SpeedButton13", "IncVolumeBtn"},
               {kButton, "SpeedButton23", "AlarmBtn"},
               {kButton, "SpeedButton24", "SnoozeBtn"},
               {kButton, "SpeedButton25", "MuteBtn"},
               {kButton, "SpeedButton27", "HelpBtn"},
               {kButton, "SpeedButton28", "BorderBtn"}}};
    default:
      throw std::out_of_range("panel style " + std::to_string(style));
  }
}

// The main panel's control `main_name` with its role (kind, actions, accessible name), not yet
// placed.
ControlSpec RoleOf(const std::string& main_name) {
  const ControlSpec* main = MainPanelLayout().Find(main_name);
  if (main == nullptr) {
    throw std::logic_error("the main panel has no control " + main_name);
  }
  ControlSpec control;
  control.kind = main->kind;
  control.name = main->name;
  control.on_click = main->on_click;
  control.on_mouse_move = main->on_mouse_move;
  control.accessible_name = main->accessible_name;
  return control;
}

PanelLayout MakeStyleLayout(int style) {
  const std::string number = std::to_string(style);
  PanelLayout layout;
  layout.style = style;
  layout.window_name = "FormStyle" + number;
  layout.caption = "S" + number;
  const StyleControls own = ControlsOf(style);
  std::vector<ControlSpec>& c = layout.controls;
  for (const char* name : kSurfaceControls) {
    c.push_back(RoleOf(name));
  }
  for (int n = 1; n <= 10; ++n) {
    c.push_back(RoleOf(control_name::Preset(n)));
  }
  for (const char* name : own.main_names) {
    c.push_back(RoleOf(name));
  }
  for (const Alias& alias : own.aliases) {
    c.push_back(RoleOf(alias.main_name));
    c.back().kind = alias.kind;
    c.back().name = alias.name;
  }
  return layout;
}

const ControlSpec* FindControl(int style, std::string_view control) {
  if (style < 1 || style > kPanelCount) {
    return nullptr;
  }
  return StyleLayout(style).Find(control);
}

std::optional<ControlAction> Reaction(const ControlAction& action) {
  if (action.action == PanelAction::kNone) {
    return std::nullopt;
  }
  return action;
}

}  // namespace

const PanelLayout& StyleLayout(int style) {
  if (style == 1) {
    return MainPanelLayout();
  }
  static const std::array<PanelLayout, kPanelCount - 1> kStyles = [] {
    std::array<PanelLayout, kPanelCount - 1> styles;
    for (int n = 2; n <= kPanelCount; ++n) {
      styles.at(static_cast<std::size_t>(n - 2)) = MakeStyleLayout(n);
    }
    return styles;
  }();
  if (style < 2 || style > kPanelCount) {
    throw std::out_of_range("panel style " + std::to_string(style));
  }
  return kStyles.at(static_cast<std::size_t>(style - 2));
}

std::optional<ControlAction> ClickAction(int style, std::string_view control) {
  const ControlSpec* found = FindControl(style, control);
  return found != nullptr ? Reaction(found->on_click) : std::nullopt;
}

std::optional<ControlAction> MouseMoveAction(int style, std::string_view control) {
  const ControlSpec* found = FindControl(style, control);
  return found != nullptr ? Reaction(found->on_mouse_move) : std::nullopt;
}

}  // namespace orvaltic
