#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/panels/panel_set.h"
#include "core/platform/dialogs.h"
#include "core/presets/preset_store.h"

namespace orvaltic {

// The editor shows the presets ten rows at a time.
inline constexpr int kPresetRows = 10;

inline constexpr char kPresetRangeMessage[] =
    "The valid frequency range is 88.0 to 108.0.\r\n\nA zero (0) must be entered if the "
    "frequency\r\nis undetermined.";
inline constexpr char kClearPresetsQuestion[] =
    "You are about to clear all Presets.\r\nOnce erased, the data cannot be\r\nrecovered.\r\n\n"
    "Is this your choice?";

// What the preset editor's controls show. Row r (1..10) is element r - 1 of each array. The Qt
// dialog copies the user's input in before a handler runs and renders it after.
struct PresetEditorControls {
  std::array<std::string, kPresetRows> PresetEdit;
  std::array<std::string, kPresetRows> StationNameEdit;
  // The row labels as designed (row 2's with a leading blank) until the first page change.
  std::array<std::string, kPresetRows> Label = {
      "1:", " 2:", "3:", "4:", "5:", "6:", "7:", "8:", "9:", "10:"};
  // All twenty fields: read-only in view mode, editable after Edit.
  bool ReadOnly = true;

  // The control a handler moved the keyboard focus to; the view moves it and clears this.
  std::string focus;

  friend bool operator==(const PresetEditorControls&, const PresetEditorControls&) = default;
};

// The logic of the preset editor: a working copy of the 100 presets, shown a page of ten at a
// time, committed to the store and saved by OK. Created once and reused: the page shown last
// and the row labels stay between openings.
class PresetEditor {
 public:
  // `save_presets_file` writes the presets file in use and throws InOutError when it cannot;
  // `access_preset` tunes a frequency given as text (the double click).
  PresetEditor(PresetStore& presets, PanelSet& panels, Dialogs& dialogs,
               std::function<void()> save_presets_file,
               std::function<void(const std::string&)> access_preset);

  PresetEditorControls& controls() { return controls_; }
  const PresetEditorControls& controls() const { return controls_; }

  // True once OK saved the presets or Cancel was pressed; the view then closes the dialog.
  bool closed() const { return closed_; }
  // The number of the last preset of the page shown: 10, 20, ... 100.
  int EditPageLast() const { return edit_page_last_; }
  // The working copy, n = 1..100.
  double EditPresetFreq(int n) const { return working_.PresetFreq(n); }
  const std::string& EditStationName(int n) const { return working_.StationName(n); }

  // Opens the dialog in view mode with a fresh working copy.
  void FormActivate();
  // Store the shown rows into the working copy and show the next / previous page, wrapping
  // between presets 91-100 and 1-10. A frequency field that is no number throws ConvertError
  // before anything changes.
  void NextBtnClick();
  void PrevBtnClick();
  void EditBtnClick();
  // Row r's frequency field lost the focus. False when its text was refused: the box has been
  // shown and the focus is asked back.
  bool PresetEditExit(int r);
  // Direct access to the frequency typed in row r; the dialog stays open.
  void PresetEditDblClick(int r);
  // Commits the working copy and the shown rows, then saves. A field that is no number throws
  // ConvertError with nothing changed; a failed save throws InOutError after the store has
  // changed. Either way the dialog stays open.
  void OKBtnClick();
  void CancelBtnClick();
  // Asks first; Yes empties all 100 presets in the store at once.
  void ClearBtnClick();

  // The check of one frequency entry: a number in the band, or 0. A valid text is rewritten
  // in "%.3f" form; a refused one gets the beep and the range box and stays as it was.
  bool ValidatePresetEntry(std::string& text);
  void ClearPresets();

 private:
  // The numbers of the ten frequency fields; throws ConvertError at the first that is none.
  std::array<double, kPresetRows> ReadShownRows() const;
  void StoreShownRows(const std::array<double, kPresetRows>& freqs);
  void TurnPage(int step);
  void FillRows();
  int PresetOfRow(int r) const { return edit_page_last_ - kPresetRows + r; }
  void ShowStationOfRecalledPreset();

  PresetStore& presets_;
  PanelSet& panels_;
  Dialogs& dialogs_;
  std::function<void()> save_presets_file_;
  std::function<void(const std::string&)> access_preset_;

  PresetEditorControls controls_;
  // EditPresetFreq and EditStationName.
  PresetStore working_;
  int edit_page_last_ = kPresetRows;
  bool closed_ = false;
};

}  // namespace orvaltic
