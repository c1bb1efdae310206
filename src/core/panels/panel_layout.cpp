#include "core/panels/panel_layout.h"

#include <algorithm>

namespace orvaltic {

namespace control_name {

std::string Preset(int n) {
  return std::string("Preset").append(std::to_string(n));
}

std::string PresetLight(int n) {
  return Preset(n).append("Light");
}

}  // namespace control_name

const ControlSpec* PanelLayout::Find(std::string_view name) const {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [name](const ControlSpec& c) { return c.name == name; });
  return found != controls.end() ? &*found : nullptr;
}

}  // namespace orvaltic
