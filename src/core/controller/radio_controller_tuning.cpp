#include <optional>
#include <string>

#include "core/controller/radio_controller.h"
#include "core/platform/numbers.h"

namespace orvaltic {

namespace {

constexpr double kBandBottom = 88.0;
constexpr double kBandTop = 108.0;

constexpr char kDirectAccessCaption[] = "Direct Frequency Access";
constexpr char kDirectAccessPrompt[] = "Enter frequency:";
constexpr char kDirectAccessRangeError[] = "Valid frequency range is 88-108.";

constexpr char kScanFineTune[] = "Fine Tune";
constexpr char kScanTuneRate[] = "Tune Rate";

// Each press starts again from the three-decimal text on the display, so rounding never
// accumulates; a caption that is no number throws before anything is tuned.
void TuneBy(RadioController& radio, double step) {
  const double frequency = StrToFloat(radio.Panels().Main().FreqPanel.caption) + step;
  radio.Card().SetFrequency(frequency);
  radio.Panels().SetFreqCaption(FormatFixed3(frequency));
}

}  // namespace

void RadioController::TuneUpBtnClick() {
  if (power_on_) {
    TuneBy(*this, options_.TuneRate);
  }
}

void RadioController::TuneDownBtnClick() {
  if (power_on_) {
    TuneBy(*this, -options_.TuneRate);
  }
}

void RadioController::FineTuneUpBtnClick() {
  if (power_on_) {
    TuneBy(*this, options_.FineTuneRate);
  }
}

void RadioController::FineTuneDownBtnClick() {
  if (power_on_) {
    TuneBy(*this, -options_.FineTuneRate);
  }
}

// Every press sets the direction, also one that stops the scan. Enabling before setting the
// interval makes a changed ScanRate restart the period, so the first tick always comes one
// ScanRate after the starting press.
void RadioController::ScanUpBtnClick() {
  if (!power_on_) {
    return;
  }
  scan_up_ = true;
  Timer& timer3 = TimerN(3);
  if (scan_up_toggle_) {
    scan_up_toggle_ = false;
    timer3.SetEnabled(true);
    timer3.SetInterval(options_.ScanRate);
  } else {
    scan_up_toggle_ = true;
    timer3.SetEnabled(false);
  }
}

void RadioController::ScanDownBtnClick() {
  if (!power_on_) {
    return;
  }
  scan_up_ = false;
  Timer& timer3 = TimerN(3);
  if (scan_down_toggle_) {
    scan_down_toggle_ = false;
    timer3.SetEnabled(true);
    timer3.SetInterval(options_.ScanRate);
  } else {
    scan_down_toggle_ = true;
    timer3.SetEnabled(false);
  }
}

void RadioController::Timer3Timer() {
  if (!power_on_) {
    return;
  }
  const std::string& method = options_.ScanMethod;
  if (method == kScanFineTune || method == kScanTuneRate) {
    const double step = method == kScanFineTune ? options_.FineTuneRate : options_.TuneRate;
    scan_freq_ = scan_up_ ? scan_freq_ + step : scan_freq_ - step;
    card_->SetFrequency(scan_freq_);
    // The wrap follows the write: the tick that crosses an edge sends the frequency beyond it
    // and shows the opposite edge, from which the next tick steps.
    if (scan_up_ && scan_freq_ > kBandTop) {
      scan_freq_ = kBandBottom;
    } else if (!scan_up_ && scan_freq_ < kBandBottom) {
      scan_freq_ = kBandTop;
    }
    panels_.SetFreqCaption(FormatFixed3(scan_freq_));
    return;
  }

  // Through the presets: empty ones are skipped, except that the search stops at either end
  // and a wrap takes the preset it lands on.
  int& current = CurrentPreset();
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
  AccessPreset(FormatFixed3(presets_.PresetFreq(current)));
}

void RadioController::DirectAccessBtnClick() {
  if (!power_on_) {
    return;
  }
  double frequency = 0.0;
  for (;;) {
    // Filled from the display each round: a rejected entry is not offered again.
    direct_freq_text_ = panels_.Main().FreqPanel.caption;
    const std::optional<std::string> answer =
        platform_.dialogs.InputQuery(kDirectAccessCaption, kDirectAccessPrompt, direct_freq_text_);
    if (!answer) {
      return;
    }
    direct_freq_text_ = *answer;
    const std::optional<double> value = TryStrToFloat(direct_freq_text_);
    if (value && *value >= kBandBottom && *value <= kBandTop) {
      frequency = *value;
      break;
    }
    platform_.dialogs.Beep();
    platform_.dialogs.MessageBox(kDirectAccessRangeError, MessageKind::kError, MessageButtons::kOk);
  }

  direct_freq_text_ = FormatFixed3(frequency);
  // Named strings, not literals: GCC 12 at -O3 misreads a literal assigned in these lambdas as
  // an overlapping copy (-Wrestrict).
  const std::string blank(1, ' ');
  const std::string direct_mark(1, 'D');
  panels_.ForEach([&](PanelSurface& panel) {
    panel.FreqPanel.caption = direct_freq_text_;
    if (panel.StationIDLabel) {
      panel.StationIDLabel->caption = blank;
    }
  });
  panels_.ForEach([&](PanelSurface& panel) { panel.PresetDisplay.caption = direct_mark; });
  DeactivatePresetButtons();
  card_->SetFrequency(frequency);
}

}  // namespace orvaltic
