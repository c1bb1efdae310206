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

// "&Open Custom File...": on a chosen name, PresetFileName := it and the file is read (a bad
// number throws out of here). Cancel changes nothing.
void OpenPresetFile1Click(const PresetFileFields& fields, Dialogs& dialogs);

// "&Save Custom File...": on a chosen name, PresetFileName := it and the file is written. A
// failed save throws InOutError; PresetFileName then already names the chosen file, so the
// next save (close, editor OK) tries that file again rather than silently writing another.
void SavePresetFile1Click(const PresetFileFields& fields, const PanelSurface& main_panel,
                          Dialogs& dialogs);

// The part of `path` after its last "\", ":" or "/".
std::string_view FileNamePart(std::string_view path);

// The main panel's Label1 hint := the file name of `preset_file_name`.
void Label1MouseMove(PanelSurface& main_panel, const std::string& preset_file_name);

}  // namespace orvaltic
