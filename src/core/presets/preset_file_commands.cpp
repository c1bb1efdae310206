#include "core/presets/preset_file_commands.h"

#include <optional>
#include <utility>

namespace orvaltic {
namespace {

constexpr char kPresetFileFilter[] = "Presets File (*.CFG)|*.CFG|All Files (*.*)|*.*";

FileDialogOptions PresetFileDialogOptions(const char* title, const std::string& file_name) {
  FileDialogOptions options;
  options.title = title;
  options.file_name = file_name;
  options.filter = kPresetFileFilter;
  options.default_extension = "CFG";
  return options;
}

}  // namespace

FileDialogOptions OpenDialog1Options(const std::string& preset_file_name) {
  FileDialogOptions options = PresetFileDialogOptions("Open Custom File", preset_file_name);
  options.must_exist = true;
  return options;
}

FileDialogOptions SaveDialog1Options(const std::string& preset_file_name) {
  FileDialogOptions options = PresetFileDialogOptions("Save Custom File", preset_file_name);
  options.confirm_overwrite = true;
  return options;
}

void OpenPresetFile1Click(const PresetFileFields& fields, Dialogs& dialogs, SettingsReads* reads) {
  std::string& file_name = fields.presets.PresetFileName;
  const std::optional<std::string> chosen = dialogs.OpenFileName(OpenDialog1Options(file_name));
  if (!chosen) {
    return;
  }
  // The file is read into copies and taken only when it was read without error: a bad number
  // part-way must not leave a mixture of two files that the next save would then keep.
  PresetStore presets = fields.presets;
  std::string current_freq_text = fields.CurrentFreqText;
  DisplaySettings display = fields.display;
  AlarmTimes alarm = fields.alarm;
  SchedPrograms schedule = fields.schedule;
  const PresetFileFields copies{presets, current_freq_text, display, alarm, schedule};
  if (!ReadOrvalticCFGFile(*chosen, copies, dialogs, reads)) {
    return;
  }
  fields.presets = std::move(presets);
  fields.CurrentFreqText = std::move(current_freq_text);
  fields.display = std::move(display);
  fields.alarm = std::move(alarm);
  fields.schedule = std::move(schedule);
  file_name = *chosen;
}

void SavePresetFile1Click(const PresetFileFields& fields, const PanelSurface& main_panel,
                          Dialogs& dialogs, SettingsReads* reads) {
  std::string& file_name = fields.presets.PresetFileName;
  const std::optional<std::string> chosen = dialogs.SaveFileName(SaveDialog1Options(file_name));
  if (!chosen) {
    return;
  }
  SaveOrvalticCFGFile(*chosen, fields, main_panel, reads);
  file_name = *chosen;
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\:/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

void Label1MouseMove(PanelSurface& main_panel, const std::string& preset_file_name) {
  main_panel.Label1.hint = FileNamePart(preset_file_name);
}

}  // namespace orvaltic
