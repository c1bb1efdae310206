#include "core/panels/panel_set.h"

namespace orvaltic {

PanelSet::PanelSet() {
  for (int style = 1; style <= kPanelCount; ++style) {
    Style(style) = DesignedSurface(style);
  }
}

void PanelSet::ForEach(const std::function<void(PanelSurface&)>& write) {
  for (auto& panel : panels_) {
    write(panel);
  }
}

void PanelSet::SetFreqCaption(const std::string& caption) {
  ++freq_caption_writes_;
  ForEach([&](PanelSurface& p) { p.FreqPanel.caption = caption; });
}

void PanelSet::SetFreqHint(const std::string& hint) {
  ForEach([&](PanelSurface& p) { p.FreqPanel.hint = hint; });
}

}  // namespace orvaltic
