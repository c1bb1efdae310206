#pragma once

#include <string>
#include <string_view>

#include "core/alarm/alarm_times.h"
#include "core/panels/display_settings.h"
#include "core/panels/panel_surface.h"
#include "core/platform/dialogs.h"
#include "core/platform/settings_reads.h"
#include "core/platform/text_file.h"
#include "core/presets/preset_store.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

inline constexpr int kPresetFileLineCount = 231;
inline constexpr TextReadLimits kPresetFileLimits = TextReadLimits::ForLines(kPresetFileLineCount);

// The fields the presets file fills and writes. Each belongs to its own subsystem; the file
// only needs to reach them.
struct PresetFileFields {
  PresetStore& presets;
  std::string& CurrentFreqText;
  DisplaySettings& display;
  AlarmTimes& alarm;
  SchedPrograms& schedule;
};

// Reads `file_name` into the fields. A file that cannot be opened is reported with a beep and
// the "not found" box, always naming Orvaltic.CFG, and changes nothing; the result is then
// false. A bad number throws InOutError "Invalid numeric input": the fields read before it hold
// their new values, that one and all later ones keep their old ones. With `reads`, a read that
// did not take the whole file (or an existing file it could not read) is noted there.
bool ReadOrvalticCFGFile(const std::string& file_name, const PresetFileFields& fields,
                         Dialogs& dialogs, SettingsReads* reads = nullptr);
// The same from a file already opened, throwing as above.
void ReadOrvalticCFGFile(TextFileReader& reader, const PresetFileFields& fields);

// The 231 CR LF lines of the file. With the radio on (the main panel's power light red) the
// display shows the display settings, so they are taken from its FreqPanel into
// `fields.display` first; with the radio off the display is blacked out and the stored
// settings are written as they are.
std::string BuildOrvalticCFG(const PresetFileFields& fields, const PanelSurface& main_panel);

// Writes the file atomically; a failure throws InOutError ("File access denied", "Disk full",
// ...) and leaves any previous file whole. With `reads`, a file read in part is kept as .bak.
void SaveOrvalticCFGFile(const std::string& file_name, const PresetFileFields& fields,
                         const PanelSurface& main_panel, SettingsReads* reads = nullptr);

// The style word a save stores for `font`, or `previous` when the font's only styles are
// underline or strike-out (those are never stored).
std::string DisplayFontStyleOf(const FontSpec& font, const std::string& previous);

}  // namespace orvaltic
