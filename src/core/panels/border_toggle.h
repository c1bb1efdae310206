#pragma once

#include "core/panels/display_settings.h"
#include "core/panels/panel_set.h"

namespace orvaltic {

struct ClientSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

// The client size of panel `style` (1..7) with `border`, from the panel's own frames: the
// main panel and styles 4 and 7 are their frame, style 2 is as high as its display group and
// the main panel's control group together, styles 3 and 6 differ by a pixel or two between
// border and none, and style 5 keeps the height of its open drawer (136 or 154, else 73).
ClientSize BorderedClientSize(const PanelSet& panels, int style, BorderStyle border);

// The window border of the seven panels: the border buttons turn it on and off on all seven
// at once, and the first paint puts on the border stored in the presets file. The main
// panel's border is the one that counts. Every window keeps its top left corner.
class BorderToggle {
 public:
  BorderToggle(PanelSet& panels, const DisplaySettings& display)
      : panels_(panels), display_(display) {}

  // Every style's border button.
  void BorderBtnClick() { ToggleBorder(); }
  // None when the main panel has a border, else a single one, on all seven with their sizes.
  void ToggleBorder();
  // The first paint: exactly "bsSingle" is a single border on all seven, anything else (the
  // empty text without a presets file too) none.
  void ApplyBorderStyle();

 private:
  void SetBorder(BorderStyle border);

  PanelSet& panels_;
  const DisplaySettings& display_;
};

}  // namespace orvaltic
