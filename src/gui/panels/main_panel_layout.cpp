#include "gui/panels/main_panel_layout.h"

#include <string>
#include <utility>
#include <vector>

namespace orvaltic::gui {

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
                   int text_size = 9) {
  ControlSpec control =
      Placed(ControlKind::kButton, std::move(name), std::move(parent), left, top, width, height);
  control.caption = std::move(caption);
  control.hint = std::move(hint);
  control.accessible_name = std::move(accessible_name);
  control.text.size = text_size;
  control.text.bold = true;
  control.reports_click = true;
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
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  ControlSpec control =
      Placed(ControlKind::kLabel, std::move(name), std::move(parent), left, top, width, height);
  control.caption = std::move(caption);
  control.hint = std::move(hint);
  control.text = std::move(text);
  control.alignment = alignment;
  control.reports_click = true;
  return control;
}

TextLook Look(int size, bool bold = false, Color color = kBlack) {
  TextLook look;
  look.size = size;
  look.bold = bold;
  look.color = color;
  return look;
}

void AddDisplayGroup(std::vector<ControlSpec>& c) {
  c.push_back(Frame("Panel2", "Panel1", 11, 8, 203, 72, "Display"));

  ControlSpec display;
  display.kind = ControlKind::kDisplay;
  display.name = "FreqPanel";
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
  c.push_back(Label("Label1", "FreqPanel", 4, 3, 24, 12, " FM", {}, small));
  c.back().reports_mouse_move = true;
  // Its hint names the presets file in use.
  c.back().accessible_name = "FM band";
  c.push_back(Label("PresetDisplay", "FreqPanel", 147, 3, 36, 12, "", {}, small,
                    Qt::AlignRight | Qt::AlignVCenter));
  c.back().accessible_name = "Preset number";
  c.back().caption_is_value = true;
  // The indicators show a mark while their function is active.
  c.push_back(Label("AlarmDisplayLabel", "FreqPanel", 4, 22, 12, 12, "",
                    "Click to show Alarm status", small));
  c.back().accessible_name = "Show alarm status";
  c.back().caption_is_value = true;
  c.push_back(
      Label("ProgLabel", "FreqPanel", 17, 22, 28, 12, "", "Click to show program status", small));
  c.back().accessible_name = "Show program status";
  c.back().caption_is_value = true;
  c.push_back(Label("SnoozeDisplayLabel", "FreqPanel", 171, 22, 12, 12, "",
                    "Click to show Snooze status", small, Qt::AlignRight | Qt::AlignVCenter));
  c.back().accessible_name = "Show snooze status";
  c.back().caption_is_value = true;

  c.push_back(Label("Label3", "Panel2", 9, 48, 90, 20, "Orvaltic", "Minimize window",
                    Look(12, true, kBlue)));
  c.back().accessible_name = "Minimize window";

  const struct {
    const char* name;
    const char* caption;
    const char* hint;
    const char* accessible_name;
  } small_buttons[] = {
      {"AlarmBtn", "A", "Activate/deactivate Alarm", "Alarm on/off"},
      {"SnoozeBtn", "S", "Activate/deactivate Snooze", "Snooze on/off"},
      {"DirectAccessBtn", "D", "Direct frequency access", "Direct frequency access"},
      {"BorderBtn", "B", "Turn border on/off", "Border on/off"},
      {"HelpBtn", "H", "Help", "Help"}};
  int left = 106;
  for (const auto& b : small_buttons) {
    c.push_back(
        Button(b.name, "Panel2", left, 49, 17, 17, b.caption, b.hint, b.accessible_name, 8));
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
    c.push_back(Button("Preset" + number, "Panel6", 6 + 31 * column, 6 + 32 * row, 30, 28,
                       "  " + number, "Preset " + number, "Preset " + number));
    c.back().reports_mouse_move = true;
    c.back().caption_is_value = true;
    c.push_back(Light("Preset" + number + "Light", "Preset" + number, "Preset " + number + " light",
                      kGreen));
  }
  c.push_back(Button("MemoryBtn", "Panel6", 166, 6, 44, 28, "M", "Preset memory", "Memory"));
  c.push_back(Light("PresetMemoryLight", "MemoryBtn", "Preset memory light", kGreen));
  c.push_back(Button("Prev10Btn", "Panel6", 166, 38, 22, 28, "-", "Previous 10 presets",
                     "Previous 10 presets"));
  c.push_back(
      Button("Next10Btn", "Panel6", 188, 38, 22, 28, "+", "Next 10 presets", "Next 10 presets"));
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
  };
  const auto pair = [&](int left, const PairButton& down, const PairButton& up,
                        const char* label_name, const char* label) {
    c.push_back(Button(down.name, "Panel3", left, kTop, 32, kHeight, down.caption, down.hint,
                       down.accessible_name));
    c.push_back(Button(up.name, "Panel3", left + 32, kTop, 32, kHeight, up.caption, up.hint,
                       up.accessible_name));
    c.push_back(
        Label(label_name, "Panel3", left, kLabelTop, 64, 14, label, {}, caption, Qt::AlignCenter));
    c.back().reports_click = false;
  };
  const auto single = [&](int left, const char* name, const char* hint, const char* accessible_name,
                          const char* light, const char* light_name, Color light_color,
                          const char* label_name, const char* label) {
    c.push_back(Button(name, "Panel3", left, kTop, 36, kHeight, "", hint, accessible_name));
    c.push_back(Light(light, name, light_name, light_color));
    c.push_back(Label(label_name, "Panel3", left - 6, kLabelTop, 48, 14, label, {}, caption,
                      Qt::AlignCenter));
    c.back().reports_click = false;
  };
  pair(6, {"DecVolumeBtn", " -", "Decrease volume", "Volume down"},
       {"IncVolumeBtn", "  +", "Increase volume", "Volume up"}, "Label4", "Volume");
  single(87, "MuteBtn", "Turn audio on/off", "Mute", "MuteBtnLight", "Mute light", kGreen, "Label5",
         "Mute");
  pair(140, {"TuneDownBtn", "  <", "Tune down", "Tune down"},
       {"TuneUpBtn", "   >", "Tune up", "Tune up"}, "Label6", "Tune");
  pair(221, {"FineTuneDownBtn", "<<", "Fine tune down", "Fine tune down"},
       {"FineTuneUpBtn", "  >>", "Fine tune up", "Fine tune up"}, "Label7", "Fine");
  pair(302, {"ScanDownBtn", " <", "Scan down", "Scan down"},
       {"ScanUpBtn", "   >", "Scan up", "Scan up"}, "Label8", "Scan");
  single(383, "PwrBtn", "On/Off", "Power", "PwrBtnLight", "Power light", kMaroon, "Label9",
         "Power");
}

void AddOverlay(std::vector<ControlSpec>& c, const std::string& name,
                const std::string& accessible_name, const std::string& current,
                const std::string& value, const std::string& value_caption,
                const std::string& current_caption_name, const std::string& value_caption_name) {
  ControlSpec overlay = Frame(name, "Panel1", 278, 8, 158, 73, accessible_name, Bevel::kNone);
  overlay.kind = ControlKind::kOverlay;
  overlay.hint = "Click to close";
  overlay.visible = false;
  overlay.reports_click = true;
  c.push_back(overlay);
  const TextLook plain = Look(9);
  const TextLook bold = Look(9, true);
  // The caption labels are part of the overlay: a click on one is a click on the overlay.
  c.push_back(Label(current_caption_name, name, 8, 4, 142, 15, "Current:", {}, plain));
  c.back().reports_as = name;
  c.push_back(Label(current, name, 8, 19, 142, 15, "", {}, bold));
  const std::string what = value_caption.substr(0, value_caption.size() - 1);
  c.back().accessible_name = what + " status, current time";
  c.back().caption_is_value = true;
  c.push_back(Label(value_caption_name, name, 8, 37, 142, 15, value_caption, {}, plain));
  c.back().reports_as = name;
  c.push_back(Label(value, name, 8, 52, 142, 15, "", {}, bold));
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
  AddOverlay(c, "AlarmPanel", "Alarm status", "AlarmCurrentLabel", "AlarmLabel",
             "Alarm:", "Label10", "Label11");
  AddOverlay(c, "SnoozePanel", "Snooze status", "SnoozeCurrentLabel", "SnoozeLabel",
             "Snooze:", "Label12", "Label13");
  return layout;
}

}  // namespace

const PanelLayout& MainPanelLayout() {
  static const PanelLayout layout = MakeMainPanelLayout();
  return layout;
}

}  // namespace orvaltic::gui
