#pragma once

#include "core/panels/panel_set.h"

namespace orvaltic {

// Draws the display panels of all seven front panels raised or recessed: the inner bevel of
// each style's framing panels, plus the bevel and border widths that styles 2, 4 and 7 use to
// keep the recessed look in proportion.
void ApplyFormBevel(PanelSet& panels, bool raised);

}  // namespace orvaltic
