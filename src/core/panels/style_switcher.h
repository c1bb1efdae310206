#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/panels/display_settings.h"
#include "core/panels/panel_set.h"
#include "core/panels/popup_menu.h"

namespace orvaltic {

// Which of the seven panels is shown, and the one screen position they share.
//
// The check marks of the Style items are the only record of the shown panel: no field here
// remembers it. The views show and hide their windows from each surface's `visible` and
// `minimized`, and keep the surface's `top` and `left` at where the user left the window.
class StyleSwitcher {
 public:
  // `form_show` runs the show handler of panel `style` whenever that panel, hidden so far, is
  // shown: the main panel's and style 5's have one.
  StyleSwitcher(PanelSet& panels, PopupMenuModel& menu, DisplaySettings& display,
                std::function<void(int style)> form_show);
  StyleSwitcher(const StyleSwitcher&) = delete;
  StyleSwitcher& operator=(const StyleSwitcher&) = delete;

  // The menu items Style1 .. Style7.
  void Style1Click() { SwitchToStyle(1); }
  void Style2Click() { SwitchToStyle(2); }
  void Style3Click() { SwitchToStyle(3); }
  void Style4Click() { SwitchToStyle(4); }
  void Style5Click() { SwitchToStyle(5); }
  void Style6Click() { SwitchToStyle(6); }
  void Style7Click() { SwitchToStyle(7); }

  // Panel `style` takes the place and window state of the panel shown so far, every other
  // panel is hidden, and only its Style item is checked. Choosing the shown style again
  // changes nothing that shows.
  void SwitchToStyle(int style);
  // The first paint: "Style 1" .. "Style 7", compared exactly, switches to that style; any
  // other text leaves the main panel shown with no Style item checked.
  void SwitchToStartupStyle(const std::string& startup_style);
  // Start-up: the main panel, the application's main window, is shown before any other.
  void ShowMainPanel();

  // The style whose item is checked, the first of Style1 .. Style7; none before the start-up
  // style has been applied, or after an unknown one.
  std::optional<int> CheckedStyle() const;
  // PanelTop/PanelLeft := the position of the checked style's panel; with none checked
  // nothing changes.
  void StorePanelPosition();
  // Every panel, main first, hidden ones too, to PanelTop/PanelLeft.
  void PlacePanels();
  void HideOtherPanels(int style);
  // Clears the check mark of every Style item.
  void UncheckStyles();

 private:
  // Makes `panel` visible; a panel that was hidden runs its show handler.
  void Show(PanelSurface& panel);

  PanelSet& panels_;
  PopupMenuModel& menu_;
  DisplaySettings& display_;
  std::function<void(int style)> form_show_;
};

}  // namespace orvaltic
