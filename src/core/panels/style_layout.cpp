#include "core/panels/style_layout.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "core/panels/main_panel_layout.h"

namespace orvaltic {

namespace {

// Styles 2 to 7 are the main panel's controls in other places. Each style is a table of rows;
// a row that names a `role` is the main panel's control of that name moved and re-captioned: it
// keeps that control's hint, actions, spoken name and light colours, so what a style's control
// does is never written twice. Rows without a role are the style's own frames and captions.

constexpr ControlKind kFrame = ControlKind::kFrame;
constexpr ControlKind kButton = ControlKind::kButton;
constexpr ControlKind kLabel = ControlKind::kLabel;
constexpr ControlKind kLight = ControlKind::kLight;

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kSilver = 0xC0C0C0;
constexpr Color kWindowColor = kWhite;

struct Row {
  ControlKind kind;
  const char* name;
  const char* parent;  // "": the window
  int left;
  int top;
  int width;
  int height;
  const char* caption = "";
  const char* role = nullptr;    // the main panel's control of the same role
  const char* spoken = nullptr;  // what a screen reader calls it, if not the role's name
};

// Where the ten preset buttons lie: `per_row` in a row, `dx`/`dy` apart. Their lights sit in the
// button's corner, or as bars above the buttons.
struct PresetGrid {
  const char* parent;
  int left;
  int top;
  int width;
  int height;
  int dx;
  int dy;
  int per_row;
  bool light_bars = false;
};

struct Rect {
  int left;
  int top;
  int width;
  int height;
};

// Everything a style lays out around its table.
struct StyleDesign {
  int client_width;
  int client_height;
  Color background;
  const char* display_parent;
  Rect display;
  int display_font_size;
  PresetGrid presets;
  const char* overlay_parent;
  Rect overlay;
  std::vector<Row> frames;  // the framing panels, outermost first
};

// Styles 6 and 7 differ from the older styles in small ways: preset captions "3" and "10"
// without designed hints (the others "  3" and " 10" with "Preset 3"), "FM" without a leading
// blank, a StationIDLabel, "Minimize window" in lower case and "Click to close" on both overlays.
bool NewLook(int style) {
  return style >= 6;
}

class StyleBuilder {
 public:
  explicit StyleBuilder(int style) : style_(style) {}

  ControlSpec& Add(const Row& row) {
    if (row.name == nullptr) {
      return Caption(row.parent, {row.left, row.top, row.width, row.height}, row.caption);
    }
    ControlSpec control;
    if (row.role != nullptr) {
      const ControlSpec* main = MainPanelLayout().Find(row.role);
      if (main == nullptr) {
        throw std::logic_error(std::string("the main panel has no control ") + row.role);
      }
      control = *main;
    } else if (row.kind == kLabel) {
      control.text.size = 8;
    }
    control.kind = row.kind;
    control.name = row.name;
    control.parent = row.parent;
    std::tie(control.left, control.top, control.width, control.height) =
        std::tie(row.left, row.top, row.width, row.height);
    control.caption = row.caption;
    if (row.spoken != nullptr) {
      control.accessible_name = row.spoken;
    }
    if (row.kind == kButton) {
      control.text.bold = true;
    } else if (row.kind == kLabel && row.role == nullptr) {
      control.alignment = TextAlign::kCenter;
    }
    controls_.push_back(std::move(control));
    return controls_.back();
  }

  // A caption of the style's own, named in a range no designed control uses.
  ControlSpec& Caption(const char* parent, Rect at, const char* text) {
    const std::string name = "Label" + std::to_string(next_caption_++);
    return Add({kLabel, name.c_str(), parent, at.left, at.top, at.width, at.height, text});
  }

  void AddDisplay(const char* parent, Rect at, int font_size) {
    namespace n = control_name;
    ControlSpec& display = Add({ControlKind::kDisplay, n::kFreqPanel, parent, at.left, at.top,
                                at.width, at.height, "", n::kFreqPanel});
    display.text.size = font_size;
    const int w = at.width;
    const int bottom = at.height - 15;
    Add({kLabel, n::kLabel1, n::kFreqPanel, 4, 3, 24, 12, NewLook(style_) ? "FM" : " FM",
         n::kLabel1});
    Add({kLabel, n::kPresetDisplay, n::kFreqPanel, w - 40, 3, 36, 12, "", n::kPresetDisplay});
    if (!NewLook(style_)) {
      // One-letter marks: "A", "P1", "S".
      Add({kLabel, n::kAlarmDisplayLabel, n::kFreqPanel, 4, bottom, 12, 12, "",
           n::kAlarmDisplayLabel});
      Add({kLabel, n::kProgLabel, n::kFreqPanel, 17, bottom, 28, 12, "", n::kProgLabel});
      Add({kLabel, n::kSnoozeDisplayLabel, n::kFreqPanel, w - 16, bottom, 12, 12, "",
           n::kSnoozeDisplayLabel});
      return;
    }
    // Styles 6 and 7 spell the marks out: "Alarm", "P1", "Snooze" on style 6; on style 7
    // "Alarm: " and "Snooze: " with the whole time, a date included, and "Prog: 1" on the top
    // row. The station name of the current preset takes the room between them.
    Rect station;
    if (style_ == 6) {
      Add({kLabel, n::kAlarmDisplayLabel, n::kFreqPanel, 4, bottom, 40, 12, "",
           n::kAlarmDisplayLabel});
      Add({kLabel, n::kProgLabel, n::kFreqPanel, 46, bottom, 22, 12, "", n::kProgLabel});
      Add({kLabel, n::kSnoozeDisplayLabel, n::kFreqPanel, w - 48, bottom, 44, 12, "",
           n::kSnoozeDisplayLabel});
      station = {70, bottom - 1, w - 120, 14};
    } else {
      Add({kLabel, n::kProgLabel, n::kFreqPanel, 32, 3, 48, 12, "", n::kProgLabel});
      const int half = (w - 16) / 2;
      Add({kLabel, n::kAlarmDisplayLabel, n::kFreqPanel, 4, bottom, half, 12, "",
           n::kAlarmDisplayLabel})
          .text.size = 7;
      Add({kLabel, n::kSnoozeDisplayLabel, n::kFreqPanel, w - 4 - half, bottom, half, 12, "",
           n::kSnoozeDisplayLabel})
          .text.size = 7;
      station = {84, 2, w - 128, 14};
    }
    ControlSpec& station_label =
        Add({kLabel, n::kStationIDLabel, n::kFreqPanel, station.left, station.top, station.width,
             station.height, "", n::kPresetDisplay, "Station name"});
    station_label.alignment = TextAlign::kCenter;
    station_label.text.bold = false;
  }

  void AddPresets(const PresetGrid& grid) {
    for (int n = 1; n <= 10; ++n) {
      const std::string number = std::to_string(n);
      const int left = grid.left + grid.dx * ((n - 1) % grid.per_row);
      const int top = grid.top + grid.dy * ((n - 1) / grid.per_row);
      const std::string button = control_name::Preset(n);
      const std::string caption = NewLook(style_) ? number : (n < 10 ? "  " : " ") + number;
      ControlSpec& preset = Add({kButton, button.c_str(), grid.parent, left, top, grid.width,
                                 grid.height, "", button.c_str()});
      preset.caption = caption;
      if (NewLook(style_)) {
        preset.hint.clear();
      }
      AddLight(control_name::PresetLight(n), button.c_str(), grid.parent,
               {left, top, grid.width, 0}, grid.light_bars);
    }
  }

  // The light of `button`: a 6 x 6 square in its corner, or a bar above it in `parent`.
  void AddLight(const std::string& light, const char* button, const char* parent, Rect button_at,
                bool bar) {
    const char* name = light.c_str();
    if (bar) {
      const int width = light == control_name::kPwrBtnLight ? 20 : 17;
      Add({kLight, name, parent, button_at.left + (button_at.width - width) / 2, button_at.top - 10,
           width, 8, "", name});
    } else {
      Add({kLight, name, button, 3, 3, 6, 6, "", name});
    }
  }

  // A status overlay: a click on it or on any label in it closes it.
  void AddOverlay(const control_name::Overlay& names, const char* what, const char* parent, Rect at,
                  bool hinted) {
    ControlSpec& overlay = Add({ControlKind::kOverlay, names.panel, parent, at.left, at.top,
                                at.width, at.height, "", names.panel});
    if (!hinted) {
      overlay.hint.clear();
    }
    const ControlAction close = overlay.on_click;
    const int line = (at.height - 8) / 4;
    const char* texts[] = {"Current:", names.current, what, names.value};
    for (int i = 0; i < 4; ++i) {
      const Rect place{8, 4 + line * i, at.width - 16, line};
      ControlSpec& label = i % 2 == 0 ? Caption(names.panel, place, texts[i])
                                      : Add({kLabel, texts[i], names.panel, place.left, place.top,
                                             place.width, place.height, "", texts[i]});
      label.alignment = TextAlign::kLeft;
      label.text.size = 9;
      label.text.bold = i % 2 == 1;
      label.on_click = close;
    }
  }

  std::vector<ControlSpec> Take() { return std::move(controls_); }

 private:
  int style_;
  int next_caption_ = 40;
  std::vector<ControlSpec> controls_;
};

// Style 2: the display group at the top left, the presets beside it, alarm and snooze at the far
// right; below, the volume, tune, scan and power groups. The fine-tune buttons carry no caption:
// the "<<" and ">>" labels lie on them and click as they do.
StyleDesign Style2() {
  return {
      488,
      139,
      kBlack,
      "Panel2",
      {6, 5, 169, 38},
      20,
      {"Panel6", 6, 16, 31, 24, 32, 26, 5},
      "Panel1",
      {326, 2, 158, 73},
      {
          {kFrame, "Panel1", "", 0, 0, 488, 138, "", nullptr, "Front panel"},
          {kFrame, "Panel2", "Panel1", 4, 4, 181, 70, "", nullptr, "Display"},
          {kFrame, "Panel6", "Panel1", 189, 4, 232, 70, "", nullptr, "Presets"},
          {kFrame, "Panel7", "Panel1", 425, 4, 59, 70, "", nullptr, "Alarm and snooze"},
          {kFrame, "Panel3", "Panel1", 4, 80, 130, 54, "", nullptr, "Volume"},
          {kFrame, "Panel4", "Panel1", 138, 80, 184, 54, "", nullptr, "Tune"},
          {kFrame, "Panel5", "Panel1", 326, 80, 76, 54, "", nullptr, "Scan"},
          {kFrame, "Panel8", "Panel1", 406, 80, 78, 54, "", nullptr, "Power"},
      },
  };
}

std::vector<Row> Style2Controls() {
  return {
      {kLabel, "Label18", "Panel2", 6, 47, 80, 20, "Orvaltic", "Label3"},
      {kButton, "BorderBtn", "Panel2", 90, 47, 42, 19, "Border", "BorderBtn"},
      {kButton, "HelpBtn", "Panel2", 134, 47, 40, 19, "Help", "HelpBtn"},
      {kLabel, nullptr, "Panel6", 6, 2, 60, 12, "Presets"},
      {kButton, "MemoryBtn", "Panel6", 170, 16, 56, 24, "M", "MemoryBtn"},
      {kLight, "PresetMemoryLight", "MemoryBtn", 3, 3, 6, 6, "", "PresetMemoryLight"},
      {kButton, "Prev10Btn", "Panel6", 170, 42, 28, 24, "-", "Prev10Btn"},
      {kButton, "Next10Btn", "Panel6", 198, 42, 28, 24, "+", "Next10Btn"},
      {kButton, "SpeedButton1", "Panel7", 4, 8, 51, 26, "Alarm", "AlarmBtn"},
      {kButton, "SpeedButton2", "Panel7", 4, 38, 51, 26, "Snooze", "SnoozeBtn"},
      {kLabel, nullptr, "Panel3", 4, 3, 122, 12, "Volume"},
      {kButton, "DecVolumeBtn", "Panel3", 6, 20, 30, 26, "-", "DecVolumeBtn"},
      {kButton, "IncVolumeBtn", "Panel3", 37, 20, 30, 26, "+", "IncVolumeBtn"},
      {kButton, "MuteBtn", "Panel3", 70, 20, 54, 26, "  Mute", "MuteBtn"},
      {kLight, "MuteBtnLight", "MuteBtn", 3, 3, 6, 6, "", "MuteBtnLight"},
      {kLabel, nullptr, "Panel4", 4, 3, 176, 12, "Tune"},
      {kButton, "TuneDownBtn", "Panel4", 6, 20, 30, 26, "<", "TuneDownBtn"},
      {kButton, "TuneUpBtn", "Panel4", 37, 20, 30, 26, ">", "TuneUpBtn"},
      {kButton, "FineTuneDownBtn", "Panel4", 70, 20, 32, 26, "", "FineTuneDownBtn"},
      {kLabel, "Label2", "FineTuneDownBtn", 2, 2, 28, 22, "<<", "FineTuneDownBtn"},
      {kButton, "FineTuneUpBtn", "Panel4", 103, 20, 32, 26, "", "FineTuneUpBtn"},
      {kLabel, "Label3", "FineTuneUpBtn", 2, 2, 28, 22, ">>", "FineTuneUpBtn"},
      {kButton, "SpeedButton3", "Panel4", 138, 20, 42, 26, "Direct", "DirectAccessBtn"},
      {kLabel, nullptr, "Panel5", 4, 3, 68, 12, "Scan"},
      {kButton, "ScanDownBtn", "Panel5", 6, 20, 32, 26, "<", "ScanDownBtn"},
      {kButton, "ScanUpBtn", "Panel5", 39, 20, 32, 26, ">", "ScanUpBtn"},
      {kLabel, nullptr, "Panel8", 4, 3, 70, 12, "Power"},
      {kButton, "PwrBtn", "Panel8", 16, 20, 46, 26, "", "PwrBtn"},
      {kLight, "PwrBtnLight", "PwrBtn", 3, 3, 6, 6, "", "PwrBtnLight"},
  };
}

// Style 3: the display group with "A", "S", "D", "B" over the presets; a column of
// "<" strip ">" rows at the right, then mute and help, then power.
StyleDesign Style3() {
  return {
      313,
      152,
      kWindowColor,
      "Panel2",
      {6, 5, 209, 52},
      24,
      {"Panel6", 5, 4, 30, 26, 31, 28, 5},
      "",
      {58, 6, 158, 73},
      {
          {kFrame, "Panel2", "", 0, 0, 221, 91, "", nullptr, "Display"},
          {kFrame, "Panel6", "", 0, 90, 221, 62, "", nullptr, "Presets"},
          {kFrame, "Panel3", "", 217, -1, 97, 155, "", nullptr, "Controls"},
      },
  };
}

std::vector<Row> Style3Controls() {
  return {
      {kLabel, "Label18", "Panel2", 8, 63, 90, 22, "Orvaltic", "Label3"},
      {kButton, "AlarmBtn", "Panel2", 124, 63, 20, 20, "A", "AlarmBtn"},
      {kButton, "SnoozeBtn", "Panel2", 146, 63, 20, 20, "S", "SnoozeBtn"},
      {kButton, "DirectAccessBtn", "Panel2", 168, 63, 20, 20, "D", "DirectAccessBtn"},
      {kButton, "BorderBtn", "Panel2", 190, 63, 20, 20, "B", "BorderBtn"},
      {kButton, "MemoryBtn", "Panel6", 162, 4, 54, 26, "M", "MemoryBtn"},
      {kLight, "PresetMemoryLight", "MemoryBtn", 3, 3, 6, 6, "", "PresetMemoryLight"},
      {kButton, "Prev10Btn", "Panel6", 162, 32, 27, 26, "-", "Prev10Btn"},
      {kButton, "Next10Btn", "Panel6", 189, 32, 27, 26, "+", "Next10Btn"},
      {kButton, "TuneDownBtn", "Panel3", 5, 5, 22, 21, "<", "TuneDownBtn"},
      {kFrame, nullptr, "Panel3", 28, 5, 40, 21, "Tune"},
      {kButton, "TuneUpBtn", "Panel3", 69, 5, 22, 21, ">", "TuneUpBtn"},
      {kButton, "FineTuneDownBtn", "Panel3", 5, 28, 22, 21, "<", "FineTuneDownBtn"},
      {kFrame, nullptr, "Panel3", 28, 28, 40, 21, "Fine"},
      {kButton, "FineTuneUpBtn", "Panel3", 69, 28, 22, 21, ">", "FineTuneUpBtn"},
      {kButton, "ScanDownBtn", "Panel3", 5, 51, 22, 21, "<", "ScanDownBtn"},
      {kFrame, nullptr, "Panel3", 28, 51, 40, 21, "Scan"},
      {kButton, "ScanUpBtn", "Panel3", 69, 51, 22, 21, ">", "ScanUpBtn"},
      {kButton, "DecVolumeBtn", "Panel3", 5, 74, 22, 21, "-", "DecVolumeBtn"},
      {kFrame, nullptr, "Panel3", 28, 74, 40, 21, "Vol"},
      {kButton, "IncVolumeBtn", "Panel3", 69, 74, 22, 21, "+", "IncVolumeBtn"},
      {kButton, "MuteBtn", "Panel3", 5, 99, 44, 22, "  Mute", "MuteBtn"},
      {kLight, "MuteBtnLight", "MuteBtn", 3, 3, 6, 6, "", "MuteBtnLight"},
      {kButton, "HelpBtn", "Panel3", 50, 99, 41, 22, "Help", "HelpBtn"},
      {kButton, "PwrBtn", "Panel3", 5, 124, 86, 26, "Power", "PwrBtn"},
      {kLight, "PwrBtnLight", "PwrBtn", 3, 3, 6, 6, "", "PwrBtnLight"},
  };
}

// Style 4: the display across the top over the "Orvaltic" strip; a column of groups at the
// left, tune, scan, direct access, volume, mute and last power with A, S, B and H; the presets at
// the right.
StyleDesign Style4() {
  return {
      259,
      261,
      kBlack,
      "Panel1",
      {6, 6, 247, 40},
      20,
      {"Panel6", 4, 16, 38, 28, 40, 33, 2},
      "Panel1",
      {50, 76, 158, 73},
      {
          {kFrame, "Panel1", "", 0, 0, 259, 259, "", nullptr, "Front panel"},
          {kFrame, "Panel3", "Panel1", 6, 72, 120, 35, "", nullptr, "Tune"},
          {kFrame, "Panel4", "Panel1", 6, 109, 120, 35, "", nullptr, "Scan"},
          {kFrame, "Panel5", "Panel1", 6, 146, 120, 24, "", nullptr, "Direct access"},
          {kFrame, "Panel7", "Panel1", 6, 172, 120, 35, "", nullptr, "Volume"},
          {kFrame, "Panel8", "Panel1", 6, 209, 120, 20, "", nullptr, "Mute"},
          {kFrame, "Panel9", "Panel1", 6, 231, 120, 25, "", nullptr, "Power"},
          {kFrame, "Panel6", "Panel1", 130, 72, 123, 184, "", nullptr, "Presets"},
      },
  };
}

std::vector<Row> Style4Controls() {
  return {
      {kFrame, "Panel2", "Panel1", 6, 49, 247, 20, "Orvaltic", "Label3"},
      {kLabel, nullptr, "Panel3", 4, 1, 112, 12, "Tune"},
      {kButton, "TuneDownBtn", "Panel3", 4, 14, 27, 19, "<", "TuneDownBtn"},
      {kButton, "TuneUpBtn", "Panel3", 32, 14, 27, 19, ">", "TuneUpBtn"},
      {kButton, "FineTuneDownBtn", "Panel3", 61, 14, 27, 19, "<<", "FineTuneDownBtn"},
      {kButton, "FineTuneUpBtn", "Panel3", 89, 14, 27, 19, ">>", "FineTuneUpBtn"},
      {kLabel, nullptr, "Panel4", 4, 1, 112, 12, "Scan"},
      {kButton, "ScanDownBtn", "Panel4", 4, 14, 55, 19, "<", "ScanDownBtn"},
      {kButton, "ScanUpBtn", "Panel4", 61, 14, 55, 19, ">", "ScanUpBtn"},
      {kButton, "DirectAccessBtn", "Panel5", 4, 2, 112, 20, "Direct", "DirectAccessBtn"},
      {kLabel, nullptr, "Panel7", 4, 1, 112, 12, "Volume"},
      {kButton, "DecVolumeBtn", "Panel7", 4, 14, 55, 19, "<", "DecVolumeBtn"},
      {kButton, "IncVolumeBtn", "Panel7", 61, 14, 55, 19, ">", "IncVolumeBtn"},
      {kButton, "MuteBtn", "Panel8", 2, 2, 116, 16, " Mute", "MuteBtn"},
      {kLight, "MuteBtnLight", "MuteBtn", 3, 3, 6, 6, "", "MuteBtnLight"},
      {kButton, "PwrBtn", "Panel9", 2, 2, 46, 21, "Power", "PwrBtn"},
      {kLight, "PwrBtnLight", "PwrBtn", 3, 3, 6, 6, "", "PwrBtnLight"},
      {kButton, "AlarmBtn", "Panel9", 49, 2, 17, 21, "A", "AlarmBtn"},
      {kButton, "SnoozeBtn", "Panel9", 66, 2, 17, 21, "S", "SnoozeBtn"},
      {kButton, "BorderBtn", "Panel9", 83, 2, 17, 21, "B", "BorderBtn"},
      {kButton, "HelpBtn", "Panel9", 100, 2, 17, 21, "H", "HelpBtn"},
      {kLabel, nullptr, "Panel6", 4, 2, 115, 12, "Presets"},
      {kButton, "MemoryBtn", "Panel6", 86, 16, 33, 28, "M", "MemoryBtn"},
      {kLight, "PresetMemoryLight", "MemoryBtn", 3, 3, 6, 6, "", "PresetMemoryLight"},
      {kButton, "Prev10Btn", "Panel6", 86, 49, 33, 28, "-", "Prev10Btn"},
      {kButton, "Next10Btn", "Panel6", 86, 82, 33, 28, "+", "Next10Btn"},
  };
}

// Style 6: one frame; tune, fine and scan at the left, a row of buttons over the display, border,
// help and power down the right, the presets in two rows at the bottom.
StyleDesign Style6() {
  return {
      372,
      173,
      kWindowColor,
      "Panel1",
      {72, 38, 244, 62},
      8,
      {"Panel1", 72, 110, 30, 24, 31, 26, 5},
      "Panel1",
      {158, 30, 158, 73},
      {
          {kFrame, "Panel1", "", -2, -2, 376, 176, "", nullptr, "Front panel"},
      },
  };
}

std::vector<Row> Style6Controls() {
  return {
      {kButton, "TuneDownBtn", "Panel1", 10, 10, 27, 22, "<", "TuneDownBtn"},
      {kButton, "TuneUpBtn", "Panel1", 38, 10, 27, 22, ">", "TuneUpBtn"},
      {kLabel, nullptr, "Panel1", 10, 33, 55, 13, "Tune"},
      {kButton, "FineTuneDownBtn", "Panel1", 10, 52, 27, 22, "<<", "FineTuneDownBtn"},
      {kButton, "FineTuneUpBtn", "Panel1", 38, 52, 27, 22, ">>", "FineTuneUpBtn"},
      {kLabel, nullptr, "Panel1", 10, 75, 55, 13, "Fine"},
      {kButton, "ScanDownBtn", "Panel1", 10, 94, 27, 22, "<", "ScanDownBtn"},
      {kButton, "ScanUpBtn", "Panel1", 38, 94, 27, 22, ">", "ScanUpBtn"},
      {kLabel, nullptr, "Panel1", 10, 117, 55, 13, "Scan"},
      {kButton, "DirectAccessBtn", "Panel1", 72, 10, 46, 22, "Direct", "DirectAccessBtn"},
      {kButton, "SpeedButton24", "Panel1", 120, 10, 46, 22, "Alarm", "AlarmBtn"},
      {kButton, "SpeedButton25", "Panel1", 168, 10, 50, 22, "Snooze", "SnoozeBtn"},
      {kButton, "SpeedButton21", "Panel1", 220, 10, 46, 22, "Mute", "MuteBtn"},
      {kLight, "MuteBtnLight", "SpeedButton21", 3, 3, 6, 6, "", "MuteBtnLight"},
      {kButton, "SpeedButton22", "Panel1", 268, 10, 24, 22, "-", "DecVolumeBtn"},
      {kButton, "SpeedButton23", "Panel1", 293, 10, 23, 22, "+", "IncVolumeBtn"},
      // A picture of a frame.
      {kButton, "BorderBtn", "Panel1", 328, 10, 38, 28, "\xE2\x96\xA2", "BorderBtn"},
      {kLabel, nullptr, "Panel1", 322, 39, 50, 13, "Border"},
      {kButton, "SpeedButton27", "Panel1", 328, 56, 38, 24, "?", "HelpBtn"},
      {kLabel, nullptr, "Panel1", 322, 81, 50, 13, "Help"},
      {kButton, "PwrBtn", "Panel1", 324, 102, 46, 58, "Power", "PwrBtn"},
      {kLight, "PwrBtnLight", "PwrBtn", 3, 3, 6, 6, "", "PwrBtnLight"},
      {kButton, "SpeedButton11", "Panel1", 229, 110, 66, 24, " Memory", "MemoryBtn"},
      {kLight, "PresetMemoryLight", "SpeedButton11", 3, 3, 6, 6, "", "PresetMemoryLight"},
      {kButton, "Prev10Btn", "Panel1", 229, 136, 33, 24, "-", "Prev10Btn"},
      {kButton, "Next10Btn", "Panel1", 262, 136, 33, 24, "+", "Next10Btn"},
      {kLabel, "Label11", "Panel1", 6, 140, 62, 20, "Orvaltic", "Label3"},
  };
}

// Style 7: one grey frame; tune, fine and direct at the left, help, scan and border over the
// wide display, alarm, snooze and mute down the right, and a bottom row of power, the presets,
// page and memory buttons and volume, each with its light as a bar above it.
StyleDesign Style7() {
  return {
      485,
      172,
      kSilver,
      "Panel1",
      {78, 30, 320, 86},
      28,
      {"Panel1", 112, 146, 24, 20, 25, 0, 10, true},
      "Panel1",
      {240, 36, 158, 73},
      {
          {kFrame, "Panel1", "", 0, 0, 484, 171, "", nullptr, "Front panel"},
      },
  };
}

std::vector<Row> Style7Controls() {
  return {
      {kButton, "SpeedButton20", "Panel1", 8, 14, 30, 24, "<", "TuneDownBtn"},
      {kButton, "SpeedButton12", "Panel1", 39, 14, 30, 24, ">", "TuneUpBtn"},
      {kLabel, nullptr, "Panel1", 8, 39, 61, 13, "Tune"},
      {kButton, "SpeedButton21", "Panel1", 8, 58, 30, 24, "<<", "FineTuneDownBtn"},
      {kButton, "SpeedButton22", "Panel1", 39, 58, 30, 24, ">>", "FineTuneUpBtn"},
      {kLabel, nullptr, "Panel1", 8, 83, 61, 13, "Fine"},
      {kButton, "SpeedButton26", "Panel1", 24, 102, 30, 22, "", "DirectAccessBtn"},
      {kLabel, nullptr, "Panel1", 8, 125, 61, 13, "Direct"},
      {kButton, "SpeedButton27", "Panel1", 78, 6, 24, 20, "H", "HelpBtn"},
      {kButton, "SpeedButton16", "Panel1", 104, 6, 72, 20, "Scan down", "ScanDownBtn"},
      {kButton, "SpeedButton6", "Panel1", 300, 6, 72, 20, "Scan up", "ScanUpBtn"},
      {kButton, "SpeedButton28", "Panel1", 374, 6, 24, 20, "B", "BorderBtn"},
      {kButton, "SpeedButton23", "Panel1", 410, 8, 24, 20, "", "AlarmBtn"},
      {kLabel, nullptr, "Panel1", 436, 11, 44, 13, "Alarm"},
      {kButton, "SpeedButton24", "Panel1", 410, 36, 24, 20, "", "SnoozeBtn"},
      {kLabel, nullptr, "Panel1", 436, 39, 44, 13, "Snooze"},
      {kLight, "MuteBtnLight", "Panel1", 435, 70, 17, 8, "", "MuteBtnLight"},
      {kButton, "SpeedButton25", "Panel1", 410, 80, 66, 22, "Mute", "MuteBtn"},
      {kLight, "PwrBtnLight", "Panel1", 81, 136, 20, 8, "", "PwrBtnLight"},
      {kButton, "SpeedButton15", "Panel1", 72, 146, 38, 20, "Power", "PwrBtn"},
      {kButton, "Prev10Btn", "Panel1", 364, 146, 20, 20, "-", "Prev10Btn"},
      {kLight, "PresetMemoryLight", "Panel1", 392, 136, 17, 8, "", "PresetMemoryLight"},
      {kButton, "SpeedButton18", "Panel1", 385, 146, 31, 20, "Mem", "MemoryBtn"},
      {kButton, "Next10Btn", "Panel1", 417, 146, 20, 20, "+", "Next10Btn"},
      {kButton, "SpeedButton14", "Panel1", 442, 146, 18, 20, "-", "DecVolumeBtn"},
      {kButton, "SpeedButton13", "Panel1", 461, 146, 18, 20, "+", "IncVolumeBtn"},
      // A single middle dot.
      {kLabel, "Label9", "Panel1", 26, 142, 24, 26, "\xC2\xB7", "Label3"},
  };
}

struct StyleSource {
  StyleDesign (*design)();
  std::vector<Row> (*controls)();
};

ControlSpec& Named(std::vector<ControlSpec>& controls, std::string_view name) {
  for (ControlSpec& control : controls) {
    if (control.name == name) {
      return control;
    }
  }
  throw std::logic_error("no control " + std::string(name));
}

// Style 5: a compact display group with "D", "B", "H" and two pairs of chevrons over two drawers,
// the presets and the other controls, each button there captioned by a label under it. The
// controls drawer lies under the preset drawer as designed and moves up when it opens.
StyleDesign Style5() {
  return {
      187,
      219,
      kWindowColor,
      "Panel2",
      {8, 7, 176, 38},
      20,
      {"Panel6", 6, 5, 26, 26, 27, 27, 5},
      "",
      {15, 0, 158, 73},
      {
          {kFrame, "Panel2", "", -2, -2, 192, 74, "", nullptr, "Display"},
          {kFrame, "Panel6", "", -2, 71, 192, 63, "", nullptr, "Presets"},
          {kFrame, "Panel3", "", -2, 134, 192, 82, "", nullptr, "Controls"},
      },
  };
}

std::vector<Row> Style5Controls() {
  return {
      {kLabel, "Label18", "Panel2", 8, 49, 60, 19, "Orvaltic", "Label3"},
      {kButton, "DownLeftBtn", "Panel2", 72, 49, 20, 19, "", nullptr, "Show preset buttons"},
      {kButton, "UpLeftBtn", "Panel2", 72, 49, 20, 19, "", nullptr, "Hide preset buttons"},
      {kButton, "DirectAccessBtn", "Panel2", 96, 49, 20, 19, "D", "DirectAccessBtn"},
      {kButton, "BorderBtn", "Panel2", 118, 49, 20, 19, "B", "BorderBtn"},
      {kButton, "HelpBtn", "Panel2", 140, 49, 20, 19, "H", "HelpBtn"},
      {kButton, "DownRightBtn", "Panel2", 164, 49, 20, 19, "", nullptr,
       "Show volume, tune, fine, scan, mute and power"},
      {kButton, "UpRightBtn", "Panel2", 164, 49, 20, 19, "", nullptr,
       "Hide volume, tune, fine, scan, mute and power"},
      {kButton, "MemoryBtn", "Panel6", 144, 5, 40, 26, "M", "MemoryBtn"},
      {kLight, "PresetMemoryLight", "MemoryBtn", 3, 3, 6, 6, "", "PresetMemoryLight"},
      {kButton, "Prev10Btn", "Panel6", 144, 32, 20, 26, "-", "Prev10Btn"},
      {kButton, "Next10Btn", "Panel6", 164, 32, 20, 26, "+", "Next10Btn"},
      {kButton, "DecVolumeBtn", "Panel3", 6, 5, 21, 20, "-", "DecVolumeBtn"},
      {kButton, "IncVolumeBtn", "Panel3", 27, 5, 21, 20, "+", "IncVolumeBtn"},
      {kLabel, nullptr, "Panel3", 6, 26, 42, 12, "Volume"},
      {kButton, "TuneDownBtn", "Panel3", 52, 5, 21, 20, "<", "TuneDownBtn"},
      {kButton, "TuneUpBtn", "Panel3", 73, 5, 21, 20, ">", "TuneUpBtn"},
      {kLabel, nullptr, "Panel3", 52, 26, 42, 12, "Tune"},
      {kButton, "FineTuneDownBtn", "Panel3", 98, 5, 21, 20, "<<", "FineTuneDownBtn"},
      {kButton, "FineTuneUpBtn", "Panel3", 119, 5, 21, 20, ">>", "FineTuneUpBtn"},
      {kLabel, nullptr, "Panel3", 98, 26, 42, 12, "Fine"},
      {kButton, "ScanDownBtn", "Panel3", 144, 5, 21, 20, "<", "ScanDownBtn"},
      {kButton, "ScanUpBtn", "Panel3", 165, 5, 21, 20, ">", "ScanUpBtn"},
      {kLabel, nullptr, "Panel3", 144, 26, 42, 12, "Scan"},
      {kButton, "MuteBtn", "Panel3", 6, 42, 42, 20, "", "MuteBtn"},
      {kLight, "MuteBtnLight", "MuteBtn", 3, 3, 6, 6, "", "MuteBtnLight"},
      {kLabel, nullptr, "Panel3", 6, 63, 42, 12, "Mute"},
      {kButton, "AlarmBtn", "Panel3", 52, 42, 42, 20, "", "AlarmBtn"},
      {kLabel, nullptr, "Panel3", 52, 63, 42, 12, "Alarm"},
      {kButton, "SnoozeBtn", "Panel3", 98, 42, 42, 20, "", "SnoozeBtn"},
      {kLabel, nullptr, "Panel3", 98, 63, 42, 12, "Snooze"},
      {kButton, "PwrBtn", "Panel3", 144, 42, 42, 20, "", "PwrBtn"},
      {kLight, "PwrBtnLight", "PwrBtn", 3, 3, 6, 6, "", "PwrBtnLight"},
      {kLabel, nullptr, "Panel3", 144, 63, 42, 12, "Power"},
  };
}

// The chevron buttons of style 5: each pair works one drawer, its down chevron shown while
// the drawer is closed and its up chevron, at the same place, while it is open.
void AddDrawerReactions(std::vector<ControlSpec>& controls) {
  namespace n = control_name;
  struct Chevron {
    const char* name;
    PanelAction action;
    ButtonPicture picture;
    const char* hint;
  };
  const char* const presets_hint = "Show/Hide preset buttons";
  const char* const controls_hint = "Show/Hide Volume, Tune, Fine, Scan, Mute, Power";
  const Chevron chevrons[] = {
      {n::kDownLeftBtn, PanelAction::kPresetDrawer, ButtonPicture::kChevronDown, presets_hint},
      {n::kUpLeftBtn, PanelAction::kPresetDrawer, ButtonPicture::kChevronUp, presets_hint},
      {n::kDownRightBtn, PanelAction::kControlsDrawer, ButtonPicture::kChevronDown, controls_hint},
      {n::kUpRightBtn, PanelAction::kControlsDrawer, ButtonPicture::kChevronUp, controls_hint},
  };
  for (const Chevron& chevron : chevrons) {
    ControlSpec& button = Named(controls, chevron.name);
    button.on_click = {chevron.action};
    button.picture = chevron.picture;
    button.hint = chevron.hint;
    button.visible = chevron.picture == ButtonPicture::kChevronDown;
  }
}

StyleSource SourceOf(int style) {
  switch (style) {
    case 2:
      return {Style2, Style2Controls};
    case 3:
      return {Style3, Style3Controls};
    case 4:
      return {Style4, Style4Controls};
    case 5:
      return {Style5, Style5Controls};
    case 6:
      return {Style6, Style6Controls};
    case 7:
      return {Style7, Style7Controls};
    default:
      throw std::out_of_range("panel style " + std::to_string(style));
  }
}

PanelLayout MakeStyleLayout(int style) {
  const StyleSource source = SourceOf(style);
  const StyleDesign design = source.design();
  StyleBuilder build(style);
  for (const Row& frame : design.frames) {
    build.Add(frame);
  }
  build.AddDisplay(design.display_parent, design.display, design.display_font_size);
  build.AddPresets(design.presets);
  for (const Row& row : source.controls()) {
    build.Add(row);
  }
  // "Click to close" is designed on both overlays of styles 6 and 7, on style 2's alarm only.
  build.AddOverlay(control_name::kAlarmOverlay, "Alarm:", design.overlay_parent, design.overlay,
                   style == 2 || NewLook(style));
  if (style == 3) {
    // One more, empty label in the alarm overlay; it closes the overlay like the others.
    ControlSpec& extra = build.Caption(control_name::kAlarmOverlay.panel, {120, 4, 30, 15}, "");
    extra.text.color = kRed;
    extra.on_click = MainPanelLayout().Find(control_name::kAlarmOverlay.panel)->on_click;
    extra.accessible_name = "Close alarm status";
  }
  build.AddOverlay(control_name::kSnoozeOverlay, "Snooze:", design.overlay_parent, design.overlay,
                   NewLook(style));

  const std::string number = std::to_string(style);
  PanelLayout layout;
  layout.style = style;
  layout.window_name = "FormStyle" + number;
  layout.caption = "S" + number;
  layout.client_width = design.client_width;
  layout.client_height = design.client_height;
  layout.background = design.background;
  layout.controls = build.Take();
  for (ControlSpec& control : layout.controls) {
    if (control.on_click.action == PanelAction::kMinimize && !NewLook(style)) {
      control.hint = "Minimize Window";
    }
  }
  if (style == 2 || style == 4) {
    Named(layout.controls, "Panel1").color = kBlack;
  }
  if (style == 2) {
    // "<<" and ">>" in the middle of the buttons they lie on.
    for (const char* name : {"Label2", "Label3"}) {
      Named(layout.controls, name).alignment = TextAlign::kCenter;
    }
  }
  if (style == 6) {
    Named(layout.controls, "SpeedButton11").hint = "Preset Memory";
  }
  if (style == 4 || style == 7) {
    // "Power" in the narrow power buttons.
    Named(layout.controls, style == 4 ? "PwrBtn" : "SpeedButton15").text.size = 8;
  }
  if (style == 7) {
    Named(layout.controls, "Label9").text.size = 20;
  }
  if (style == 5) {
    AddDrawerReactions(layout.controls);
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
