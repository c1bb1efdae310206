#pragma once

#include <string_view>

namespace orvaltic {

// What a front-panel window reports. Controls are named as on the panels ("PwrBtn", "Preset3",
// "Label1", "AlarmPanel", "AlarmLabel", ...); `style` is the window's style, 1 for the main
// panel. The controller routes each report to the handler of the same role.
class PanelEvents {
 public:
  virtual ~PanelEvents() = default;
  virtual void Click(int style, std::string_view control) = 0;
  virtual void MouseMove(int style, std::string_view control) = 0;
  virtual void MenuClick(std::string_view item) = 0;
  // The window is about to close (system menu, window manager); false keeps it open.
  virtual bool CloseQuery(int style) = 0;
  virtual void Activated(int style) = 0;
  virtual void Painted(int style) = 0;
  // F1 on panel `style`, with `menu_item` the highlighted item of its open popup menu ("" when
  // none is open).
  virtual void HelpKey(int /*style*/, std::string_view /*menu_item*/) {}
};

}  // namespace orvaltic
