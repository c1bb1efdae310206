#pragma once

#include <string>
#include <string_view>

#include "core/panels/panel_surface.h"
#include "core/platform/dialogs.h"
#include "core/presets/preset_file.h"

namespace orvaltic {

// The main form's "&File" menu items and the "FM" label's hint.

// The options of OpenDialog1 and SaveDialog1, offering `preset_file_name` first.
FileDialogOptions OpenDialog1Options(const std::string& preset_file_name);
FileDialogOptions SaveDialog1Options(const std::string& preset_file_name);

// "&Open Custom File...": the chosen file is read, and only a read that succeeds makes it
// PresetFileName: a file the reader rejects (not found, or a bad number, which throws out of
// here) must not become the file the next close overwrites, and leaves every field exactly as
// it was before. Cancel changes nothing.
void OpenPresetFile1Click(const PresetFileFields& fields, Dialogs& dialogs,
                          SettingsReads* reads = nullptr);

// "&Save Custom File...": the chosen file is written and then becomes PresetFileName. A failed
// save throws InOutError and leaves PresetFileName as it was.
void SavePresetFile1Click(const PresetFileFields& fields, const PanelSurface& main_panel,
                          Dialogs& dialogs, SettingsReads* reads = nullptr);

// The part of `path` after its last "\", ":" or "/".
std::string_view FileNamePart(std::string_view path);

// The main panel's Label1 hint := the file name of `preset_file_name`.
void Label1MouseMove(PanelSurface& main_panel, const std::string& preset_file_name);

}  // namespace orvaltic
