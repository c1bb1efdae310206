#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/panels/panel_events.h"

namespace orvaltic {

class RadioController;

// One handler of the controller as a window event reaches it: either one that acts on the
// controller as a whole, or one that acts on the panel that reported the event.
class Route {
 public:
  // Implicit, so that a table entry is just {"Name", &RadioController::NameClick}.
  Route(void (RadioController::*handler)()) : handler_(handler) {}
  Route(void (RadioController::*handler)(int style)) : panel_handler_(handler) {}

  void operator()(RadioController& controller, int style) const;

 private:
  void (RadioController::*handler_)() = nullptr;
  void (RadioController::*panel_handler_)(int) = nullptr;
};

// Control or menu item name -> handler.
using RouteTable = std::map<std::string, Route, std::less<>>;

// The controller's PanelEvents: every report is looked up by name and its handler runs through
// the controller's dispatcher; a name without a handler is ignored. Each style's own table is
// consulted first (style 2's "Label3" is not the main panel's "Label3"), then the names every
// panel shares with the main panel.
//
// The caption labels inside an overlay ("Current:", "Alarm:", ...) have no names of their own:
// a view reports a click on one of them as a click on the overlay.
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

  // The tables, for the views' tests and for the issues that add handlers.
  static const RouteTable& SharedClicks();
  // Style 1 .. 7.
  static const RouteTable& StyleClicks(int style);
  static const RouteTable& MouseMoves();
  static const RouteTable& MenuItems();

 private:
  void RunRoute(const Route& route, int style);

  RadioController& controller_;
};

}  // namespace orvaltic
