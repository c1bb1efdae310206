#pragma once

#include <string>

#include "core/options/options.h"
#include "core/panels/panel_set.h"
#include "core/platform/dialogs.h"
#include "core/platform/timer.h"
#include "core/presets/preset_buttons.h"
#include "core/presets/preset_store.h"
#include "core/radio/radio_card.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

// Tuning in steps from the frequency shown, the band and preset scans, and direct frequency
// entry.
class Tuner {
 public:
  // `scan_timer` is Timer3: the owner routes its ticks to Timer3Timer. `power_on` is the radio's
  // PowerOn, read at every press and tick.
  Tuner(RadioCard& card, PanelSet& panels, const Options& options, PresetStore& presets,
        PresetButtons& preset_buttons, Dialogs& dialogs, Timer& scan_timer, const bool& power_on);
  Tuner(const Tuner&) = delete;
  Tuner& operator=(const Tuner&) = delete;

  // One step from the frequency shown on the main panel, with no band limit.
  void TuneUpBtnClick();
  void TuneDownBtnClick();
  void FineTuneUpBtnClick();
  void FineTuneDownBtnClick();
  // Set the scan direction; each button's own toggle starts or stops Timer3.
  void ScanUpBtnClick();
  void ScanDownBtnClick();
  void Timer3Timer() { ScanStep(); }
  // One scan step: through the band from ScanFreq, or through the presets.
  void ScanStep();
  // Asks for a frequency until one in the band is entered or the box is cancelled.
  void DirectAccessBtnClick();

  double ScanFreq() const { return scan_freq_; }
  bool ScanUp() const { return scan_up_; }
  bool ScanUpToggle() const { return scan_up_toggle_; }
  bool ScanDownToggle() const { return scan_down_toggle_; }
  const std::string& DirectFreqText() const { return direct_freq_text_; }

 private:
  // Each press starts again from the three-decimal text on the display, so rounding never
  // accumulates; a caption that is no number throws before anything is tuned.
  void TuneBy(double step);
  void StartOrStopScan(bool up, bool& toggle);

  RadioCard& card_;
  PanelSet& panels_;
  const Options& options_;
  PresetStore& presets_;
  PresetButtons& preset_buttons_;
  Dialogs& dialogs_;
  Timer& scan_timer_;
  const bool& power_on_;

  // The band scan's position: only band-scan ticks move it, so a scan goes on from where the
  // last one stood, whatever was tuned in between.
  double scan_freq_ = kBandLow;
  bool scan_up_ = false;
  // True: the next press of that scan button starts a scan; false: it stops it.
  bool scan_down_toggle_ = true;
  bool scan_up_toggle_ = true;
  std::string direct_freq_text_;
};

}  // namespace orvaltic
