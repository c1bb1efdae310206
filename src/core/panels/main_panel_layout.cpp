#include "core/panels/main_panel_layout.h"

#include <string>
#include <utility>
#include <vector>

namespace orvaltic {

namespace {

// Panel1 is larger than the client area by its bevels, which lie outside the window.
constexpr int kFrameOffset = -2;

// A control of `kind` at its place in `parent`.
ControlSpec Placed(ControlKind kind, std::string name, std::string parent, int left, int top,
                   int width, int height) {
  ControlSpec control;
  control.kind = kind;
  control.name = std::move(name);
  control.parent = std::move(parent);
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  return control;
}

ControlSpec Frame(std::string name, std::string parent, int left, int top, int width, int height,
                  std::string accessible_name, Bevel inner = Bevel::kNone) {
  ControlSpec control =
      Placed(ControlKind::kFrame, std::move(name), std::move(parent), left, top, width, height);
  control.bevel_inner = inner;
  control.accessible_name = std::move(accessible_name);
  return control;
}

ControlSpec Button(std::string name, std::string parent, int left, int top, int width, int height,
                   std::string caption, std::string hint, std::string accessible_name,
                   ControlAction on_click, int text_size = 9) {
  ControlSpec control =
      Placed(ControlKind::kButton, std::move(name), std::move(parent), left, top, width, height);
  control.caption = std::move(caption);
  control.hint = std::move(hint);
  control.accessible_name = std::move(accessible_name);
  control.text.size = text_size;
  control.text.bold = true;
  control.on_click = on_click;
  return control;
}

ControlSpec Light(std::string name, std::string button, std::string accessible_name, Color color) {
  ControlSpec control = Placed(ControlKind::kLight, std::move(name), std::move(button), 3, 3, 6, 6);
  control.color = color;
  control.bevel_outer = Bevel::kNone;
  control.bevel_inner = Bevel::kLowered;
  control.accessible_name = std::move(accessible_name);
  return control;
}

ControlSpec Label(std::string name, std::string parent, int left, int top, int width, int height,
                  std::string caption, std::string hint = {}, TextLook text = {},
                  TextAlign alignment = TextAlign::kLeft) {
  ControlSpec control =
      Placed(ControlKind::kLabel, std::move(name), std::move(parent), left, top, width, height);
  control.caption = std::move(caption);
  control.hint = std::move(hint);
  control.text = std::move(text);
  control.alignment = alignment;
  return control;
}

TextLook Look(int size, bool bold = false, Color color = kBlack) {
  TextLook look;
  look.size = size;
  look.bold = bold;
  look.color = color;
  return look;
}

using control_name::kAlarmOverlay;
using control_name::kSnoozeOverlay;

constexpr ControlAction Does(PanelAction action, int n = 0) {
  return {action, n};
}

void AddDisplayGroup(std::vector<ControlSpec>& c) {
  c.push_back(Frame("Panel2", "Panel1", 11, 8, 203, 72, "Display"));

  ControlSpec display;
  display.kind = ControlKind::kDisplay;
  display.name = control_name::kFreqPanel;
  display.parent = "Panel2";
  display.left = 8;
  display.top = 6;
  display.width = 187;
  display.height = 37;
  display.color = kBlack;
  display.bevel_outer = Bevel::kLowered;
  display.bevel_inner = Bevel::kLowered;
  display.text = Look(20);
  display.accessible_name = "Frequency display";
  display.caption_is_value = true;
  c.push_back(display);

  const TextLook small = Look(8, true);
  c.push_back(
      Label(control_name::kLabel1, control_name::kFreqPanel, 4, 3, 24, 12, " FM", {}, small));
  c.back().on_mouse_move = Does(PanelAction::kShowFileName);
  // Its hint names the presets file in use.
  c.back().accessible_name = "FM band";
  c.push_back(Label(control_name::kPresetDisplay, control_name::kFreqPanel, 147, 3, 36, 12, "", {},
                    small, TextAlign::kRight));
  c.back().accessible_name = "Preset number";
  c.back().caption_is_value = true;
  // The indicators show a mark while their function is active.
  c.push_back(Label(control_name::kAlarmDisplayLabel, control_name::kFreqPanel, 4, 22, 12, 12, "",
                    "Click to show Alarm status", small));
  c.back().accessible_name = "Show alarm status";
  c.back().caption_is_value = true;
  c.back().on_click = Does(PanelAction::kShowAlarmStatus);
  c.push_back(Label(control_name::kProgLabel, control_name::kFreqPanel, 17, 22, 28, 12, "",
                    "Click to show program status", small));
  c.back().accessible_name = "Show program status";
  c.back().caption_is_value = true;
  c.back().on_click = Does(PanelAction::kShowProgramStatus);
  c.push_back(Label(control_name::kSnoozeDisplayLabel, control_name::kFreqPanel, 171, 22, 12, 12,
                    "", "Click to show Snooze status", small, TextAlign::kRight));
  c.back().accessible_name = "Show snooze status";
  c.back().caption_is_value = true;
  c.back().on_click = Does(PanelAction::kShowSnoozeStatus);

  c.push_back(Label("Label3", "Panel2", 9, 48, 90, 20, "Orvaltic", "Minimize window",
                    Look(12, true, kBlue)));
  c.back().accessible_name = "Minimize window";
  c.back().on_click = Does(PanelAction::kMinimize);

  const struct {
    const char* name;
    const char* caption;
    const char* hint;
    const char* accessible_name;
    ControlAction on_click;
  } small_buttons[] = {
      {"AlarmBtn", "A", "Activate/deactivate Alarm", "Alarm on/off", Does(PanelAction::kAlarm)},
      {"SnoozeBtn", "S", "Activate/deactivate Snooze", "Snooze on/off", Does(PanelAction::kSnooze)},
      {"DirectAccessBtn", "D", "Direct frequency access", "Direct frequency access",
       Does(PanelAction::kDirectAccess)},
      {"BorderBtn", "B", "Turn border on/off", "Border on/off", Does(PanelAction::kBorder)},
      {"HelpBtn", "H", "Help", "Help", Does(PanelAction::kHelp)}};
  int left = 106;
  for (const auto& b : small_buttons) {
    c.push_back(Button(b.name, "Panel2", left, 49, 17, 17, b.caption, b.hint, b.accessible_name,
                       b.on_click, 8));
    left += 18;
  }
}

void AddPresetGroup(std::vector<ControlSpec>& c) {
  c.push_back(Frame("Panel6", "Panel1", 220, 8, 216, 72, "Presets"));
  for (int n = 1; n <= 10; ++n) {
    const std::string number = std::to_string(n);
    const int row = n <= 5 ? 0 : 1;
    const int column = (n - 1) % 5;
    // The caption is the number of the preset that the button recalls on the page shown.
    c.push_back(Button(control_name::Preset(n), "Panel6", 6 + 31 * column, 6 + 32 * row, 30, 28,
                       "  " + number, "Preset " + number, "Preset " + number,
                       Does(PanelAction::kPreset, n)));
    c.back().on_mouse_move = Does(PanelAction::kShowStationName, n);
    c.back().caption_is_value = true;
    c.push_back(Light(control_name::PresetLight(n), control_name::Preset(n),
                      "Preset " + number + " light", kGreen));
  }
  c.push_back(Button("MemoryBtn", "Panel6", 166, 6, 44, 28, "M", "Preset memory", "Memory",
                     Does(PanelAction::kMemory)));
  c.push_back(Light(control_name::kPresetMemoryLight, "MemoryBtn", "Preset memory light", kGreen));
  c.push_back(Button("Prev10Btn", "Panel6", 166, 38, 22, 28, "-", "Previous 10 presets",
                     "Previous 10 presets", Does(PanelAction::kPreviousPage)));
  c.push_back(Button("Next10Btn", "Panel6", 188, 38, 22, 28, "+", "Next 10 presets",
                     "Next 10 presets", Does(PanelAction::kNextPage)));
}

void AddControlGroup(std::vector<ControlSpec>& c) {
  c.push_back(Frame("Panel3", "Panel1", 11, 86, 425, 50, "Controls"));
  constexpr int kTop = 5;
  constexpr int kHeight = 24;
  constexpr int kLabelTop = 31;
  const TextLook caption = Look(8);
  struct PairButton {
    const char* name;
    const char* caption;
    const char* hint;
    const char* accessible_name;
    PanelAction on_click;
  };
  const auto pair = [&](int left, const PairButton& down, const PairButton& up,
                        const char* label_name, const char* label) {
    c.push_back(Button(down.name, "Panel3", left, kTop, 32, kHeight, down.caption, down.hint,
                       down.accessible_name, Does(down.on_click)));
    c.push_back(Button(up.name, "Panel3", left + 32, kTop, 32, kHeight, up.caption, up.hint,
                       up.accessible_name, Does(up.on_click)));
    c.push_back(Label(label_name, "Panel3", left, kLabelTop, 64, 14, label, {}, caption,
                      TextAlign::kCenter));
  };
  const auto single = [&](int left, const char* name, const char* hint, const char* accessible_name,
                          PanelAction on_click, const char* light, const char* light_name,
                          Color light_color, const char* label_name, const char* label) {
    c.push_back(
        Button(name, "Panel3", left, kTop, 36, kHeight, "", hint, accessible_name, Does(on_click)));
    c.push_back(Light(light, name, light_name, light_color));
    c.push_back(Label(label_name, "Panel3", left - 6, kLabelTop, 48, 14, label, {}, caption,
                      TextAlign::kCenter));
  };
  pair(6, {"DecVolumeBtn", " -", "Decrease volume", "Volume down", PanelAction::kVolumeDown},
       {"IncVolumeBtn", "  +", "Increase volume", "Volume up", PanelAction::kVolumeUp}, "Label4",
       "Volume");
  single(87, "MuteBtn", "Turn audio on/off", "Mute", PanelAction::kMute,
         control_name::kMuteBtnLight, "Mute light", kGreen, "Label5", "Mute");
  pair(140, {"TuneDownBtn", "  <", "Tune down", "Tune down", PanelAction::kTuneDown},
       {"TuneUpBtn", "   >", "Tune up", "Tune up", PanelAction::kTuneUp}, "Label6", "Tune");
  pair(221,
       {"FineTuneDownBtn", "<<", "Fine tune down", "Fine tune down", PanelAction::kFineTuneDown},
       {"FineTuneUpBtn", "  >>", "Fine tune up", "Fine tune up", PanelAction::kFineTuneUp},
       "Label7", "Fine");
  pair(302, {"ScanDownBtn", " <", "Scan down", "Scan down", PanelAction::kScanDown},
       {"ScanUpBtn", "   >", "Scan up", "Scan up", PanelAction::kScanUp}, "Label8", "Scan");
  single(383, "PwrBtn", "On/Off", "Power", PanelAction::kPower, control_name::kPwrBtnLight,
         "Power light", kMaroon, "Label9", "Power");
}

// A status overlay: a click on it or on any label in it closes it.
void AddOverlay(std::vector<ControlSpec>& c, const control_name::Overlay& names, PanelAction close,
                const std::string& accessible_name, const std::string& value_caption,
                const std::string& current_caption_name, const std::string& value_caption_name) {
  ControlSpec overlay =
      Frame(names.panel, "Panel1", 278, 8, 158, 73, accessible_name, Bevel::kNone);
  overlay.kind = ControlKind::kOverlay;
  overlay.hint = "Click to close";
  overlay.visible = false;
  const auto add = [&](ControlSpec control) {
    control.on_click = Does(close);
    c.push_back(std::move(control));
  };
  add(overlay);
  const TextLook plain = Look(9);
  const TextLook bold = Look(9, true);
  const std::string what = value_caption.substr(0, value_caption.size() - 1);
  add(Label(current_caption_name, names.panel, 8, 4, 142, 15, "Current:", {}, plain));
  add(Label(names.current, names.panel, 8, 19, 142, 15, "", {}, bold));
  c.back().accessible_name = what + " status, current time";
  c.back().caption_is_value = true;
  add(Label(value_caption_name, names.panel, 8, 37, 142, 15, value_caption, {}, plain));
  add(Label(names.value, names.panel, 8, 52, 142, 15, "", {}, bold));
  c.back().accessible_name = what + " time";
  c.back().caption_is_value = true;
}

PanelLayout MakeMainPanelLayout() {
  PanelLayout layout;
  layout.style = 1;
  layout.window_name = "MainFrmRadio";
  layout.caption = "S1";
  layout.client_width = 443;
  layout.client_height = 140;
  std::vector<ControlSpec>& c = layout.controls;
  c.push_back(
      Frame("Panel1", "", kFrameOffset, kFrameOffset, 447, 143, "Front panel", Bevel::kRaised));
  AddDisplayGroup(c);
  AddPresetGroup(c);
  AddControlGroup(c);
  AddOverlay(c, kAlarmOverlay, PanelAction::kCloseAlarmStatus, "Alarm status", "Alarm:", "Label10",
             "Label11");
  AddOverlay(c, kSnoozeOverlay, PanelAction::kCloseSnoozeStatus, "Snooze status",
             "Snooze:", "Label12", "Label13");
  return layout;
}

}  // namespace

const PanelLayout& MainPanelLayout() {
  static const PanelLayout layout = MakeMainPanelLayout();
  return layout;
}

}  // namespace orvaltic
