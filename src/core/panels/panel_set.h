#pragma once

#include <array>
#include <functional>

#include "core/panels/panel_surface.h"

namespace orvaltic {

// The seven front panels' surfaces. Handlers change all seven through here, always in the order
// main, 2, 3, 4, 5, 6, 7; a handler that decides by a control's state reads the main panel.
class PanelSet {
 public:
  PanelSet();

  PanelSurface& Main() { return panels_[0]; }
  const PanelSurface& Main() const { return panels_[0]; }
  // Style 1 (the main panel) to 7.
  PanelSurface& Style(int style) { return panels_.at(static_cast<std::size_t>(style - 1)); }
  const PanelSurface& Style(int style) const {
    return panels_.at(static_cast<std::size_t>(style - 1));
  }

  // Runs `write` on every panel in the order main, 2, ..., 7.
  void ForEach(const std::function<void(PanelSurface&)>& write);

  void SetFreqCaption(const std::string& caption);
  void SetFreqHint(const std::string& hint);
  // How often SetFreqCaption ran: every tuning writes the display through it, so a change of
  // this count says that something was tuned.
  int FreqCaptionWrites() const { return freq_caption_writes_; }

 private:
  std::array<PanelSurface, kPanelCount> panels_;
  int freq_caption_writes_ = 0;
};

}  // namespace orvaltic
