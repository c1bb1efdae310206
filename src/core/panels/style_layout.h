#pragma once

#include <optional>
#include <string_view>

#include "core/panels/panel_actions.h"
#include "core/panels/panel_layout.h"

namespace orvaltic {

// The front panel of style `style` (1..7); style 1 is the main panel. Throws std::out_of_range
// for any other style.
const PanelLayout& StyleLayout(int style);

// What a click on, or the mouse moving over, the control `control` of style `style` does, as
// that style's layout says; nullopt when the style has no such control, or it does not react.
std::optional<ControlAction> ClickAction(int style, std::string_view control);
std::optional<ControlAction> MouseMoveAction(int style, std::string_view control);

}  // namespace orvaltic
