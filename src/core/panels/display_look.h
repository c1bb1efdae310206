#pragma once

#include "core/panels/display_settings.h"
#include "core/panels/panel_set.h"

namespace orvaltic {

// The look of the seven displays and the main panel's border, from the stored display
// settings. The font and colour dialogs and the border button will change it here too.
class DisplayLook {
 public:
  DisplayLook(DisplaySettings& display, PanelSet& panels) : display_(display), panels_(panels) {}

  // The main form's creation: the digits go black on the black display until power-on. The
  // style panels 2 to 5 do the same at their creation, which follows at once.
  void BlackOutDisplays();
  // Power-on: the stored font, colour and style on every display, main first; the small labels
  // inside a display take the font colour only.
  void ApplyDisplaySettings();
  // The border read from the presets file: exactly "bsSingle" is a single border, anything else
  // (an empty text when there was no file) none. Only the main panel is sized here.
  void ApplyBorderStyle();

 private:
  DisplaySettings& display_;
  PanelSet& panels_;
};

}  // namespace orvaltic
