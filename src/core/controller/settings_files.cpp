#include "core/controller/settings_files.h"

#include <filesystem>
#include <utility>

#include "core/options/options_file.h"
#include "core/presets/preset_file_commands.h"

namespace orvaltic {

SettingsFiles::SettingsFiles(const PresetFileFields& fields, Options& options, PanelSet& panels,
                             Dialogs& dialogs, std::string working_folder, std::ostream& report)
    : fields_(fields),
      options_(options),
      panels_(panels),
      dialogs_(dialogs),
      working_folder_(std::move(working_folder)),
      reads_(report) {}

std::string SettingsFiles::SettingsPath(const std::string& file_name) const {
  if (working_folder_.empty() || std::filesystem::path(file_name).is_absolute()) {
    return file_name;
  }
  return (std::filesystem::path(working_folder_) / file_name).string();
}

void SettingsFiles::ReadPresetsFile() {
  ReadOrvalticCFGFile(SettingsPath(kDefaultPresetFileName), fields_, dialogs_, &reads_);
}

void SettingsFiles::ReadOptionsFile() {
  ReadOrvalticOptionsFile(options_, panels_, dialogs_, SettingsPath(kOptionsFileName), &reads_);
}

void SettingsFiles::SavePresetsFile() {
  SaveOrvalticCFGFile(SettingsPath(fields_.presets.PresetFileName), fields_, panels_.Main(),
                      &reads_);
}

void SettingsFiles::OpenPresetFile1Click() {
  orvaltic::OpenPresetFile1Click(fields_, dialogs_, &reads_);
}

void SettingsFiles::SavePresetFile1Click() {
  orvaltic::SavePresetFile1Click(fields_, panels_.Main(), dialogs_, &reads_);
}

void SettingsFiles::Label1MouseMove(int style) {
  orvaltic::Label1MouseMove(panels_.Style(style), fields_.presets.PresetFileName);
}

}  // namespace orvaltic
