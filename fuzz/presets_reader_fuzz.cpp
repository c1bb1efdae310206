// Feeds any bytes to the presets-file reader. Beyond "no crash, no sanitizer report": whatever
// the reader left in the fields, a save writes exactly 231 CR LF lines, and that file reads
// back without an error, every text and every frequency the reader can take in full unchanged.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/alarm/alarm_times.h"
#include "core/panels/display_settings.h"
#include "core/panels/panel_surface.h"
#include "core/platform/errors.h"
#include "core/platform/numbers.h"
#include "core/platform/text_file.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_store.h"
#include "core/schedule/sched_rec.h"

namespace {

using orvaltic::InOutError;
using orvaltic::kPresetCount;
using orvaltic::kPresetFileLineCount;
using orvaltic::TextFileReader;

// The reader takes at most this many characters of a frequency.
constexpr std::size_t kFrequencyChars = 64;

struct State {
  orvaltic::PresetStore presets;
  std::string CurrentFreqText;
  orvaltic::DisplaySettings display;
  orvaltic::AlarmTimes alarm;
  orvaltic::SchedPrograms schedule;

  orvaltic::PresetFileFields Fields() {
    return {presets, CurrentFreqText, display, alarm, schedule};
  }
};

bool HasExactlyTheLines(std::string_view file) {
  std::size_t lines = 0;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\x1A') {
      return false;
    }
    if (file[i] == '\r') {
      if (i + 1 >= file.size() || file[i + 1] != '\n') {
        return false;
      }
      ++lines;
    }
  }
  return lines == static_cast<std::size_t>(kPresetFileLineCount) && file.ends_with("\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  State state;
  TextFileReader reader(std::string(reinterpret_cast<const char*>(data), size));
  try {
    orvaltic::ReadOrvalticCFGFile(reader, state.Fields());
  } catch (const InOutError&) {
    // "Invalid numeric input": the fields read so far keep their new values and are saved too.
  }

  // A save writes the display text the main panel shows; let it be the one just read.
  orvaltic::PanelSurface main_panel = orvaltic::DesignedSurface(1);
  main_panel.FreqPanel.caption = state.CurrentFreqText;
  const std::string saved = orvaltic::BuildOrvalticCFG(state.Fields(), main_panel);
  if (!HasExactlyTheLines(saved)) {
    __builtin_trap();
  }

  State again;
  TextFileReader reread(saved);
  // An exception here escapes and libFuzzer reports it: the saved file did not read back.
  orvaltic::ReadOrvalticCFGFile(reread, again.Fields());
  for (int n = 1; n <= kPresetCount; ++n) {
    const std::string written = orvaltic::FormatFixed3(state.presets.PresetFreq(n));
    if (again.presets.StationName(n) != state.presets.StationName(n) ||
        (written.size() <= kFrequencyChars &&
         orvaltic::FormatFixed3(again.presets.PresetFreq(n)) != written)) {
      __builtin_trap();
    }
  }
  if (again.CurrentFreqText != state.CurrentFreqText || again.alarm != state.alarm ||
      again.schedule != state.schedule) {
    __builtin_trap();
  }
  return 0;
}
