#include "core/controller/panel_router.h"

#include <array>
#include <string>
#include <vector>

#include "core/controller/radio_controller.h"
#include "core/panels/style_layout.h"

namespace orvaltic {

namespace {

using C = RadioController;

// True when `name` is found among `items` and it and every submenu above it are enabled;
// false when it is disabled or unknown.
bool FindEnabled(const std::vector<MenuItem>& items, std::string_view name, bool& found) {
  for (const MenuItem& item : items) {
    if (item.name == name) {
      found = true;
      return item.enabled;
    }
    if (FindEnabled(item.items, name, found)) {
      return item.enabled;
    }
    if (found) {
      return false;
    }
  }
  return false;
}

bool MenuItemUsable(const PopupMenuModel& menu, std::string_view name) {
  bool found = false;
  return FindEnabled(menu.Items(), name, found);
}

}  // namespace

const MenuRouteTable& PanelRouter::MenuItems() {
  static const MenuRouteTable table = {
      {"OpenPresetFile1", [](C& c) { c.settings_files().OpenPresetFile1Click(); }},
      {"SavePresetFile1", [](C& c) { c.settings_files().SavePresetFile1Click(); }},
      {"Presets1", [](C& c) { c.Presets1Click(); }},
      {"Options1", [](C& c) { c.Options1Click(); }},
      {"Set1", [](C& c) { c.alarm_snooze().Set1Click(); }},
      {"Activate1", [](C& c) { c.alarm_snooze().Activate1Click(); }},
      {"Set2", [](C& c) { c.alarm_snooze().Set2Click(); }},
      {"Activate2", [](C& c) { c.alarm_snooze().Activate2Click(); }},
      {"Set3", [](C& c) { c.program_schedule().Set3Click(); }},
      {"Activate3", [](C& c) { c.program_schedule().Activate3Click(); }},
      {"Font1", [](C& c) { c.display_look().Font1Click(); }},
      {"Color1", [](C& c) { c.display_look().Color1Click(); }},
      {"Style1", [](C& c) { c.style_switcher().Style1Click(); }},
      {"Style2", [](C& c) { c.style_switcher().Style2Click(); }},
      {"Style3", [](C& c) { c.style_switcher().Style3Click(); }},
      {"Style4", [](C& c) { c.style_switcher().Style4Click(); }},
      {"Style5", [](C& c) { c.style_switcher().Style5Click(); }},
      {"Style6", [](C& c) { c.style_switcher().Style6Click(); }},
      {"Style7", [](C& c) { c.style_switcher().Style7Click(); }},
      {"Contents1", [](C& c) { c.help().Contents1Click(); }},
      {"About1", [](C& c) { c.help().About1Click(); }},
  };
  return table;
}

void PanelRouter::RunAction(const ControlAction& action, int style) {
  controller_.dispatcher().Run([&] { controller_.Perform(action, style); });
}

void PanelRouter::Click(int style, std::string_view control) {
  if (auto action = orvaltic::ClickAction(style, control)) {
    RunAction(*action, style);
  }
}

void PanelRouter::MouseMove(int style, std::string_view control) {
  if (auto action = orvaltic::MouseMoveAction(style, control)) {
    RunAction(*action, style);
  }
}

void PanelRouter::MenuClick(std::string_view item) {
  if (!MenuItemUsable(controller_.menu(), item)) {
    return;
  }
  if (auto it = MenuItems().find(item); it != MenuItems().end()) {
    controller_.dispatcher().Run([&] { it->second(controller_); });
  }
}

bool PanelRouter::CloseQuery(int /*style*/) {
  // A save that fails inside the close sequence has already been shown by the dispatcher; the
  // window then stays open.
  bool close = false;
  controller_.dispatcher().Run([&] { close = controller_.life_cycle().FormCloseQuery(); });
  return close;
}

void PanelRouter::Activated(int style) {
  // The style panels have no activation behaviour of their own.
  if (style == 1) {
    controller_.dispatcher().Run([&] { controller_.life_cycle().FormActivate(); });
  }
}

void PanelRouter::Painted(int style) {
  // Only the first paint does anything; later paints do not count as events, so that the
  // views' refresh after an event cannot lead to another paint event and so on.
  if (style == 1 && controller_.life_cycle().FirstPaintPending()) {
    controller_.dispatcher().Run([&] {
      const bool tuned = controller_.command_line().TunedSinceShown();
      controller_.life_cycle().FormPaint(!tuned);
      if (!tuned) {
        controller_.command_line().KeepFreqTextAfterFirstPaint();
      }
    });
  }
}

void PanelRouter::HelpKey(int style, std::string_view menu_item) {
  controller_.dispatcher().Run([&] { controller_.help().HelpKey(style, menu_item); });
}

}  // namespace orvaltic
