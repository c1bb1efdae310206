#pragma once

#include <string>

#include "core/platform/font.h"

namespace orvaltic {

// The display look and panel position as the presets file keeps them. The live look is on the
// panels; these are what the next power-on puts there and what the last save took from them.
struct DisplaySettings {
  std::string DisplayFontName = "Arial";
  Color DisplayFontColor = kLime;
  int DisplayFontSize = 20;
  std::string DisplayFontStyle = "Regular";  // "Regular", "Bold", "Italic" or "Bold+Italic"
  Color DisplayColor = kBlack;
  std::string BorderStyleText;  // "bsSingle" means border on; anything else off
  int PanelTop = 0;
  int PanelLeft = 0;

  friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

}  // namespace orvaltic
