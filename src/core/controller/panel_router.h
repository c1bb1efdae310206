#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/panels/panel_actions.h"
#include "core/panels/panel_events.h"

namespace orvaltic {

class RadioController;

// Menu item name -> its handler.
using MenuRouteTable = std::map<std::string, std::function<void(RadioController&)>, std::less<>>;

// The controller's PanelEvents: a control's report is looked up in its style's layout, which
// gives every control its action whatever it is called on that style, and the controller's
// handler of that action runs through the dispatcher; a control without an action is ignored.
// Menu items are routed by name.
class PanelRouter : public PanelEvents {
 public:
  explicit PanelRouter(RadioController& controller) : controller_(controller) {}

  void Click(int style, std::string_view control) override;
  void MouseMove(int style, std::string_view control) override;
  // Items that are disabled, or lie in a disabled submenu, do nothing.
  void MenuClick(std::string_view item) override;
  bool CloseQuery(int style) override;
  void Activated(int style) override;
  void Painted(int style) override;
  void HelpKey(int style, std::string_view menu_item) override;

  static const MenuRouteTable& MenuItems();

 private:
  void RunAction(const ControlAction& action, int style);

  RadioController& controller_;
};

}  // namespace orvaltic
