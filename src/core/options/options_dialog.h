#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/options/options.h"
#include "core/panels/panel_set.h"
#include "core/platform/settings_reads.h"
#include "core/platform/sound.h"

namespace orvaltic {

// The items of the dialog's combo boxes; every combo box is editable, so its text may be
// anything.
inline constexpr std::array<std::string_view, 3> kCardAddressItems = {"$30C", "$20C", ""};
inline constexpr std::array<std::string_view, 7> kRadioFormItems = {
    "Style 1", "Style 2", "Style 3", "Style 4", "Style 5", "Style 6", "Style 7"};
inline constexpr std::array<std::string_view, 6> kTuneRateItems = {"0.050", "0.100", "0.150",
                                                                   "0.200", "0.250", "0.300"};
inline constexpr std::array<std::string_view, 5> kFineTuneRateItems = {"0.01", "0.02", "0.03",
                                                                       "0.04", "0.05"};
inline constexpr std::array<std::string_view, 15> kScanRateItems = {
    "100", "200",  "300",  "400",  "500",  "600",  "700", "800",
    "900", "1000", "2000", "3000", "4000", "5000", "6000"};
inline constexpr std::array<std::string_view, 3> kScanMethodItems = {"Fine Tune", "Tune Rate",
                                                                     "Presets"};

// What the options dialog's controls show. The Qt dialog copies the user's input in before a
// handler runs and renders it after.
struct OptionsDialogControls {
  // Texts of the editable combo boxes. The card address keeps its text across openings when
  // the port is neither of the two offered, so its designed text matters: empty.
  std::string RTCardAddressComboBox;
  std::string RadioFormComboBox;
  std::string TuneRateComboBox;
  std::string FineTuneRateComboBox;
  std::string ScanRateComboBox;
  std::string ScanMethodComboBox;

  // Checked states; each pair is one group of radio buttons.
  bool RaisedFormRadioBtn = true;
  bool RecessedFormRadioBtn = false;
  bool RadioRadioBtn = false;
  bool WaveFileRadioBtn = true;

  std::string WaveFileNameEdit;

  // Enabled states of the wave-file controls.
  bool WaveFileNameLabelEnabled = true;
  bool WaveFileNameEditEnabled = true;
  bool TestWaveFileBtnEnabled = true;

  // The control a handler moved the keyboard focus to; the view moves it and clears this.
  std::string focus;

  friend bool operator==(const OptionsDialogControls&, const OptionsDialogControls&) = default;
};

// The logic of the Options dialog. Created once and reused: whatever no handler sets keeps
// what it showed last time.
class OptionsDialog {
 public:
  // OK saves through `reads` (the radio's record of settings files not read completely) when
  // given, so that such a file is kept as .bak before it is replaced.
  OptionsDialog(Options& options, PanelSet& panels, Sound& sound,
                std::string file_path = kOptionsFileName, SettingsReads* reads = nullptr);

  OptionsDialogControls& controls() { return controls_; }
  const OptionsDialogControls& controls() const { return controls_; }

  // True once OK saved the options or Cancel was pressed; the view then closes the dialog.
  bool closed() const { return closed_; }

  // Shows the options in the controls; the dialog is open from here on.
  void FormActivate();
  // Commits the fields one by one. A text that does not convert throws ConvertError from the
  // middle: the fields before it are committed, the dialog stays open and nothing is saved.
  // A failed save throws InOutError and also leaves the dialog open.
  void OKButtonClick();
  void CancelButtonClick();
  void RadioRadioBtnClick();
  void WaveFileRadioBtnClick();
  // Plays the file named in the edit (not the stored name), once and asynchronously.
  void TestWaveFileBtnClick();

 private:
  void EnableWaveFileControls(bool enabled);

  Options& options_;
  PanelSet& panels_;
  Sound& sound_;
  std::string file_path_;
  SettingsReads* reads_;
  OptionsDialogControls controls_;
  bool closed_ = false;
};

}  // namespace orvaltic
