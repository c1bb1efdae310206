#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/alarm/alarm_times.h"
#include "core/panels/display_settings.h"
#include "core/panels/panel_surface.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_store.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic::testing {

// Every field the presets file reaches, owned in one place for a test.
struct PresetFileState {
  PresetStore presets;
  std::string CurrentFreqText;
  DisplaySettings display;
  AlarmTimes alarm;
  SchedPrograms schedule;

  PresetFileFields Fields() { return {presets, CurrentFreqText, display, alarm, schedule}; }

  friend bool operator==(const PresetFileState&, const PresetFileState&) = default;
};

// A state in which every field differs from its default and from the defaults file.
inline PresetFileState ChangedState() {
  PresetFileState s;
  for (int n = 1; n <= kPresetCount; ++n) {
    s.presets.PresetFreq(n) = 100.0 + 0.025 * n;
    s.presets.StationName(n) = "Old " + std::to_string(n);
  }
  s.CurrentFreqText = "99.900";
  s.display = {"Courier", 0x0000FF, 14, "Italic", 0xFF0000, "bsSingle", 40, 50};
  s.alarm = {"07:30:00 AM", "12/25/2026 07:45:00 AM", false, true};
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    s.schedule.Program(k) = {"Old freq", "WEEK", "01:00 AM", "02:00 AM"};
  }
  return s;
}

// The main panel after power-on with the default display settings, showing 88.000.
inline PanelSurface DefaultMainPanel() {
  PanelSurface main = DesignedSurface(1);
  main.FreqPanel.caption = "88.000";
  main.FreqPanel.font = FontSpec{};
  main.FreqPanel.font.color = kLime;
  main.FreqPanel.color = kBlack;
  main.border = BorderStyle::kNone;
  main.PwrBtnLight = kRed;
  return main;
}

// The lines of a CR LF file, without their line ends.
inline std::vector<std::string> CrLfLines(std::string_view contents) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = contents.find("\r\n", start)) != std::string_view::npos;
       start = end + 2) {
    lines.emplace_back(contents.substr(start, end - start));
  }
  if (start != contents.size()) {
    lines.emplace_back(contents.substr(start));  // an unterminated tail
  }
  return lines;
}

}  // namespace orvaltic::testing
