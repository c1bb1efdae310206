#include "core/presets/preset_editor.h"

#include <cstddef>
#include <string>
#include <utility>

#include "core/platform/numbers.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

std::size_t Row(int r) {
  return static_cast<std::size_t>(r - 1);
}

}  // namespace

PresetEditor::PresetEditor(PresetStore& presets, PanelSet& panels, Dialogs& dialogs,
                           std::function<void()> save_presets_file,
                           std::function<void(const std::string&)> access_preset)
    : presets_(presets),
      panels_(panels),
      dialogs_(dialogs),
      save_presets_file_(std::move(save_presets_file)),
      access_preset_(std::move(access_preset)) {}

void PresetEditor::FormActivate() {
  closed_ = false;
  controls_.ReadOnly = true;
  working_ = presets_;
  // The row labels still show the page shown last, which is the page filled here.
  FillRows();
  controls_.focus = "OKBtn";
}

void PresetEditor::NextBtnClick() {
  TurnPage(kPresetRows);
}

void PresetEditor::PrevBtnClick() {
  TurnPage(-kPresetRows);
}

void PresetEditor::TurnPage(int step) {
  StoreShownRows(ReadShownRows());
  edit_page_last_ += step;
  if (edit_page_last_ > kPresetCount) {
    edit_page_last_ = kPresetRows;
  } else if (edit_page_last_ < kPresetRows) {
    edit_page_last_ = kPresetCount;
  }
  for (int r = 1; r <= kPresetRows; ++r) {
    controls_.Label[Row(r)] = std::to_string(PresetOfRow(r)) + ":";
  }
  FillRows();
}

void PresetEditor::EditBtnClick() {
  controls_.ReadOnly = false;
}

bool PresetEditor::PresetEditExit(int r) {
  std::string& freq = controls_.PresetEdit.at(Row(r));
  if (!ValidatePresetEntry(freq)) {
    controls_.focus = "PresetEdit" + std::to_string(r);
    return false;
  }
  // A typed station gets its frequency as a provisional name. An empty preset (0) has no
  // station, so it is left without one: otherwise merely tabbing through a cleared page in
  // edit mode would name every empty preset "0.000".
  std::string& name = controls_.StationNameEdit[Row(r)];
  if (name.empty() && !controls_.ReadOnly && StrToFloat(freq) != 0) {
    name = freq;
  }
  return true;
}

void PresetEditor::PresetEditDblClick(int r) {
  access_preset_(controls_.PresetEdit.at(Row(r)));
}

void PresetEditor::OKBtnClick() {
  StoreShownRows(ReadShownRows());
  for (int n = 1; n <= kPresetCount; ++n) {
    presets_.PresetFreq(n) = working_.PresetFreq(n);
    presets_.StationName(n) = working_.StationName(n);
  }
  // The panels follow the store before the save: a save that fails keeps the dialog open, but
  // the store has changed all the same.
  ShowStationOfRecalledPreset();
  save_presets_file_();
  closed_ = true;
}

void PresetEditor::ShowStationOfRecalledPreset() {
  const auto preset = TryStrToInt(panels_.Main().PresetDisplay.caption);
  if (!preset || *preset < 1 || *preset > kPresetCount) {
    // "D" after a direct tuning, or nothing recalled yet.
    return;
  }
  // Only the name: the card and the frequency shown stay as they are, even when the recalled
  // preset's frequency was edited.
  const std::string& name = presets_.StationName(*preset);
  panels_.SetFreqHint(name);
  panels_.Style(6).StationIDLabel->caption = name;
  panels_.Style(7).StationIDLabel->caption = name;
}

void PresetEditor::CancelBtnClick() {
  closed_ = true;
}

void PresetEditor::ClearBtnClick() {
  dialogs_.Beep();
  if (dialogs_.MessageBox(kClearPresetsQuestion, MessageKind::kWarning,
                          MessageButtons::kYesNoCancel) == MessageResult::kYes) {
    ClearPresets();
  }
}

bool PresetEditor::ValidatePresetEntry(std::string& text) {
  const auto value = TryStrToFloat(text);
  if (value && (InBand(*value) || *value == 0)) {
    // + 0.0 turns a typed -0 into 0, shown as 0.000.
    text = FormatFixed3(*value + 0.0);
    return true;
  }
  dialogs_.Beep();
  dialogs_.MessageBox(kPresetRangeMessage, MessageKind::kError, MessageButtons::kOk);
  return false;
}

void PresetEditor::ClearPresets() {
  for (int n = 1; n <= kPresetCount; ++n) {
    presets_.PresetFreq(n) = 0;
    presets_.StationName(n).clear();
    working_.PresetFreq(n) = 0;
    working_.StationName(n).clear();
  }
  controls_.PresetEdit.fill(FormatFixed3(0));
  controls_.StationNameEdit.fill(std::string());
}

std::array<double, kPresetRows> PresetEditor::ReadShownRows() const {
  std::array<double, kPresetRows> freqs{};
  for (int r = 1; r <= kPresetRows; ++r) {
    freqs[Row(r)] = StrToFloat(controls_.PresetEdit[Row(r)]);
  }
  return freqs;
}

void PresetEditor::StoreShownRows(const std::array<double, kPresetRows>& freqs) {
  for (int r = 1; r <= kPresetRows; ++r) {
    working_.PresetFreq(PresetOfRow(r)) = freqs[Row(r)];
    working_.StationName(PresetOfRow(r)) = controls_.StationNameEdit[Row(r)];
  }
}

void PresetEditor::FillRows() {
  for (int r = 1; r <= kPresetRows; ++r) {
    controls_.PresetEdit[Row(r)] = FormatFixed3(working_.PresetFreq(PresetOfRow(r)));
    controls_.StationNameEdit[Row(r)] = working_.StationName(PresetOfRow(r));
  }
}

}  // namespace orvaltic
