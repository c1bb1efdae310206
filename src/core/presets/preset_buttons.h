#pragma once

#include <set>
#include <string>

#include "core/panels/panel_set.h"
#include "core/platform/dialogs.h"
#include "core/platform/timer.h"
#include "core/presets/preset_store.h"
#include "core/radio/radio_card.h"

namespace orvaltic {

// PresetDisplay after a frequency was tuned that is no preset's.
inline constexpr char kDirectMark[] = "D";

// The ten preset buttons of every panel, their pages of ten, the memory button with its
// window, and AccessPreset, the tuning of a frequency given as text.
class PresetButtons {
 public:
  // `memory_timer` is Timer1: the owner routes its ticks to Timer1Timer. `power_on` is the
  // radio's PowerOn, read at every press.
  PresetButtons(PresetStore& presets, PanelSet& panels, RadioCard& card, Dialogs& dialogs,
                Timer& memory_timer, const bool& power_on);
  PresetButtons(const PresetButtons&) = delete;
  PresetButtons& operator=(const PresetButtons&) = delete;

  // Tunes a frequency given as text: the preset with exactly that "%.3f" text is recalled on
  // its page, any other number in the band is tuned directly and marked "D".
  void AccessPreset(const std::string& text);
  // Recalls preset n + PresetOffset (n = 1..10), or with the memory armed first stores the
  // frequency shown into it.
  void ActivatePresetButton(int n);
  // Recalls preset n + PresetOffset as its button does, but never stores, whatever the memory
  // light says: for recalls the user did not make with the button itself (AccessPreset, a
  // remote control).
  void RecallPresetButton(int n) { PressPresetButton(n, false); }
  // Button n's hint on every panel := the station name of the preset it recalls. Works with
  // the radio off.
  void PresetMouseMove(int n);
  // All 70 preset lights off.
  void DeactivatePresetButtons();
  // After a page change: lights the button of the preset shown in PresetDisplay when it is on
  // the new page, else puts all preset lights off.
  void RefreshPresetLights();
  // The previous / next page of ten, wrapping between pages 1 and 10.
  void Prev10BtnClick();
  void Next10BtnClick();
  // Arms or disarms the memory; the window ends at Timer1's next tick, which a second press
  // does not put off.
  void MemoryBtnClick();
  void Timer1Timer() { EndMemoryWindow(); }
  void EndMemoryWindow();

  // The preset last recalled or stored by a preset button (1..100; 0 before any). The preset
  // scan steps it.
  int& CurrentPreset() { return current_preset_; }
  int CurrentPreset() const { return current_preset_; }
  int PresetOffset() const { return preset_offset_; }
  // Always the page of PresetOffset: 1 + PresetOffset / 10.
  int PresetPage() const { return preset_page_; }
  // The presets of the shown page; empty until the first page change.
  const std::set<int>& PagePresets() const { return page_presets_; }

 private:
  // ActivatePresetButton; `may_store` false makes it a recall even with the memory armed.
  void PressPresetButton(int n, bool may_store);
  // PresetPage, PagePresets, the lights and the captions after PresetOffset changed.
  void ShowPresetPage();

  PresetStore& presets_;
  PanelSet& panels_;
  RadioCard& card_;
  Dialogs& dialogs_;
  Timer& memory_timer_;
  const bool& power_on_;

  int preset_offset_ = 0;
  int preset_page_ = 1;
  std::set<int> page_presets_;
  int current_preset_ = 0;
};

}  // namespace orvaltic
