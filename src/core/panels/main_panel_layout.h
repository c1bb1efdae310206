#pragma once

#include "core/panels/panel_layout.h"

namespace orvaltic {

// The style 1 front panel as designed: the frame Panel1 holding the display group Panel2, the
// preset group Panel6 and the control group Panel3, and the hidden status overlays.
const PanelLayout& MainPanelLayout();

}  // namespace orvaltic
