#pragma once

#include <iosfwd>
#include <string>

#include "core/options/options.h"
#include "core/panels/panel_set.h"
#include "core/platform/dialogs.h"
#include "core/platform/settings_reads.h"
#include "core/presets/preset_file.h"

namespace orvaltic {

// The presets file, the options file and the custom preset files: where they lie, their reads
// at start-up, the presets file's save, and the "&File" menu with the FM label's hint.
//
// Files are read and written in `working_folder` ("" = the process's working directory), where
// the settings files live.
class SettingsFiles {
 public:
  // `report` is told when a save keeps a settings file that could not be read completely as
  // NAME.bak.
  SettingsFiles(const PresetFileFields& fields, Options& options, PanelSet& panels,
                Dialogs& dialogs, std::string working_folder, std::ostream& report);
  SettingsFiles(const SettingsFiles&) = delete;
  SettingsFiles& operator=(const SettingsFiles&) = delete;

  // "Orvaltic.CFG" of the working folder; the not-found box when it is missing. A bad number
  // throws InOutError with the fields before it read.
  void ReadPresetsFile();
  // "Orvaltic.opt" of the working folder, likewise.
  void ReadOptionsFile();
  // The presets file in use (PresetFileName) with the frequency shown; throws InOutError.
  void SavePresetsFile();

  void OpenPresetFile1Click();
  void SavePresetFile1Click();
  // The Label1 hint of panel `style` (only that panel's): the name of the presets file in use.
  void Label1MouseMove(int style);

  const std::string& working_folder() const { return working_folder_; }
  // The path of a settings file: relative names are taken in the working folder.
  std::string SettingsPath(const std::string& file_name) const;
  // The settings files this run could not read completely.
  SettingsReads& reads() { return reads_; }

 private:
  PresetFileFields fields_;
  Options& options_;
  PanelSet& panels_;
  Dialogs& dialogs_;
  std::string working_folder_;
  SettingsReads reads_;
};

}  // namespace orvaltic
