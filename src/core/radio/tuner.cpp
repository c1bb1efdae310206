#include "core/radio/tuner.h"

#include <optional>
#include <string>

#include "core/platform/numbers.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

constexpr char kDirectAccessCaption[] = "Direct Frequency Access";
constexpr char kDirectAccessPrompt[] = "Enter frequency:";
constexpr char kDirectAccessRangeError[] = "Valid frequency range is 88-108.";

constexpr char kScanFineTune[] = "Fine Tune";
constexpr char kScanTuneRate[] = "Tune Rate";

}  // namespace

Tuner::Tuner(RadioCard& card, PanelSet& panels, const Options& options, PresetStore& presets,
             PresetButtons& preset_buttons, Dialogs& dialogs, Timer& scan_timer,
             const bool& power_on)
    : card_(card),
      panels_(panels),
      options_(options),
      presets_(presets),
      preset_buttons_(preset_buttons),
      dialogs_(dialogs),
      scan_timer_(scan_timer),
      power_on_(power_on) {}

void Tuner::TuneBy(double step) {
  const double frequency = StrToFloat(panels_.Main().FreqPanel.caption) + step;
  card_.SetFrequency(frequency);
  panels_.SetFreqCaption(FormatFixed3(frequency));
}

void Tuner::TuneUpBtnClick() {
  if (power_on_) {
    TuneBy(options_.TuneRate);
  }
}

void Tuner::TuneDownBtnClick() {
  if (power_on_) {
    TuneBy(-options_.TuneRate);
  }
}

void Tuner::FineTuneUpBtnClick() {
  if (power_on_) {
    TuneBy(options_.FineTuneRate);
  }
}

void Tuner::FineTuneDownBtnClick() {
  if (power_on_) {
    TuneBy(-options_.FineTuneRate);
  }
}

void Tuner::ScanUpBtnClick() {
  StartOrStopScan(true, scan_up_toggle_);
}

void Tuner::ScanDownBtnClick() {
  StartOrStopScan(false, scan_down_toggle_);
}

// Every press sets the direction, also one that stops the scan. Enabling before setting the
// interval makes a changed ScanRate restart the period, so the first tick always comes one
// ScanRate after the starting press.
void Tuner::StartOrStopScan(bool up, bool& toggle) {
  if (!power_on_) {
    return;
  }
  scan_up_ = up;
  if (toggle) {
    toggle = false;
    scan_timer_.SetEnabled(true);
    scan_timer_.SetInterval(options_.ScanRate);
  } else {
    toggle = true;
    scan_timer_.SetEnabled(false);
  }
}

void Tuner::ScanStep() {
  if (!power_on_) {
    return;
  }
  const std::string& method = options_.ScanMethod;
  if (method == kScanFineTune || method == kScanTuneRate) {
    const double step = method == kScanFineTune ? options_.FineTuneRate : options_.TuneRate;
    scan_freq_ = scan_up_ ? scan_freq_ + step : scan_freq_ - step;
    card_.SetFrequency(scan_freq_);
    // The wrap follows the write: the tick that crosses an edge sends the frequency beyond it
    // and shows the opposite edge, from which the next tick steps.
    if (scan_up_ && scan_freq_ > kBandHigh) {
      scan_freq_ = kBandLow;
    } else if (!scan_up_ && scan_freq_ < kBandLow) {
      scan_freq_ = kBandHigh;
    }
    panels_.SetFreqCaption(FormatFixed3(scan_freq_));
    return;
  }

  // Through the presets: empty ones are skipped, except that the search stops at either end
  // and a wrap takes the preset it lands on.
  int& current = preset_buttons_.CurrentPreset();
  if (scan_up_) {
    ++current;
    if (current > kPresetCount) {
      current = 1;
    } else {
      while (presets_.PresetFreq(current) == 0.0 && current < kPresetCount) {
        ++current;
      }
    }
  } else {
    --current;
    if (current < 1) {
      current = kPresetCount;
    } else {
      while (presets_.PresetFreq(current) == 0.0 && current > 1) {
        --current;
      }
    }
  }
  preset_buttons_.AccessPreset(FormatFixed3(presets_.PresetFreq(current)));
}

void Tuner::DirectAccessBtnClick() {
  if (!power_on_) {
    return;
  }
  double frequency = 0.0;
  for (;;) {
    // Filled from the display each round: a rejected entry is not offered again.
    direct_freq_text_ = panels_.Main().FreqPanel.caption;
    const std::optional<std::string> answer =
        dialogs_.InputQuery(kDirectAccessCaption, kDirectAccessPrompt, direct_freq_text_);
    if (!answer) {
      return;
    }
    direct_freq_text_ = *answer;
    const std::optional<double> value = TryStrToFloat(direct_freq_text_);
    if (value && InBand(*value)) {
      frequency = *value;
      break;
    }
    dialogs_.Beep();
    dialogs_.MessageBox(kDirectAccessRangeError, MessageKind::kError, MessageButtons::kOk);
  }

  direct_freq_text_ = FormatFixed3(frequency);
  // Named strings, not literals: GCC 12 at -O3 misreads a literal assigned in these lambdas as
  // an overlapping copy (-Wrestrict).
  const std::string blank(1, ' ');
  const std::string direct_mark(kDirectMark);
  panels_.ForEach([&](PanelSurface& panel) {
    panel.FreqPanel.caption = direct_freq_text_;
    if (panel.StationIDLabel) {
      panel.StationIDLabel->caption = blank;
    }
  });
  panels_.ForEach([&](PanelSurface& panel) { panel.PresetDisplay.caption = direct_mark; });
  preset_buttons_.DeactivatePresetButtons();
  card_.SetFrequency(frequency);
}

}  // namespace orvaltic
