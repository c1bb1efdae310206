#pragma once

#include "core/panels/display_settings.h"
#include "core/panels/panel_set.h"
#include "core/platform/dialogs.h"
#include "core/platform/dispatcher.h"
#include "core/platform/font.h"

namespace orvaltic {

// The look of the seven displays: the stored display settings at power-on, and the font and
// colour dialogs afterwards. The main panel's display is the reference the dialogs start from
// and the presets file saves.
class DisplayLook {
 public:
  // `dispatcher` runs each Apply of the font dialog as an event of its own, so the panels show
  // the applied font while the dialog stays open.
  DisplayLook(DisplaySettings& display, PanelSet& panels, Dialogs& dialogs,
              EventDispatcher& dispatcher)
      : display_(display), panels_(panels), dialogs_(dialogs), dispatcher_(dispatcher) {}

  // The main form's creation: the digits go black on the black display until power-on. The
  // style panels 2 to 5 do the same at their creation, which follows at once.
  void BlackOutDisplays();
  // Power-on: the stored font, colour and style on every display, main first; the small labels
  // inside a display take the font colour only.
  void ApplyDisplaySettings();

  // The menu item Font1: the font dialog opens on the main panel's display font; OK puts the
  // chosen font on every display, Cancel keeps what Apply put there.
  void Font1Click();
  // The font dialog's Apply button.
  void FontDialog1Apply(const FontSpec& font) { ApplyDisplayFont(font); }
  // `font` (face, size, style, colour) on every display, main first; the small labels inside
  // take its colour only. The stored display settings stay as they are until a save.
  void ApplyDisplayFont(const FontSpec& font);
  // The menu item Color1: the colour dialog opens on the main panel's display background; the
  // colour chosen becomes every display's background and nothing else.
  void Color1Click();

 private:
  DisplaySettings& display_;
  PanelSet& panels_;
  Dialogs& dialogs_;
  EventDispatcher& dispatcher_;
};

}  // namespace orvaltic
