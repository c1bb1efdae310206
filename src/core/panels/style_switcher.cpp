#include "core/panels/style_switcher.h"

#include <array>
#include <string>
#include <utility>

namespace orvaltic {

namespace {

const std::string& StyleItem(int style) {
  static const std::array<std::string, kPanelCount> items = {"Style1", "Style2", "Style3", "Style4",
                                                             "Style5", "Style6", "Style7"};
  return items.at(static_cast<std::size_t>(style - 1));
}

}  // namespace

StyleSwitcher::StyleSwitcher(PanelSet& panels, PopupMenuModel& menu, DisplaySettings& display,
                             std::function<void(int style)> form_show)
    : panels_(panels), menu_(menu), display_(display), form_show_(std::move(form_show)) {}

void StyleSwitcher::SwitchToStyle(int style) {
  PanelSurface& shown = panels_.Style(style);  // an unknown style throws before any change
  // Until a style is checked the main panel is the one on the screen. A switch keeps the
  // window state: only the first paint of a panel started minimised can switch unseen.
  const bool minimized = panels_.Style(CheckedStyle().value_or(1)).minimized;
  StorePanelPosition();
  PlacePanels();
  Show(shown);
  shown.minimized = minimized;
  HideOtherPanels(style);
  UncheckStyles();
  menu_.Item(StyleItem(style)).checked = true;
}

void StyleSwitcher::SwitchToStartupStyle(const std::string& startup_style) {
  for (int style = 1; style <= kPanelCount; ++style) {
    if (startup_style == "Style " + std::to_string(style)) {
      SwitchToStyle(style);
      return;
    }
  }
}

void StyleSwitcher::ShowMainPanel() {
  Show(panels_.Main());
}

void StyleSwitcher::Show(PanelSurface& panel) {
  if (panel.visible) {
    return;
  }
  panel.visible = true;
  form_show_(panel.style);
}

std::optional<int> StyleSwitcher::CheckedStyle() const {
  for (int style = 1; style <= kPanelCount; ++style) {
    if (menu_.Item(StyleItem(style)).checked) {
      return style;
    }
  }
  return std::nullopt;
}

void StyleSwitcher::StorePanelPosition() {
  if (const std::optional<int> style = CheckedStyle()) {
    display_.PanelTop = panels_.Style(*style).top;
    display_.PanelLeft = panels_.Style(*style).left;
  }
}

void StyleSwitcher::PlacePanels() {
  panels_.ForEach([this](PanelSurface& panel) {
    panel.top = display_.PanelTop;
    panel.left = display_.PanelLeft;
  });
}

void StyleSwitcher::HideOtherPanels(int style) {
  panels_.ForEach([style](PanelSurface& panel) {
    if (panel.style != style) {
      panel.visible = false;
    }
  });
}

void StyleSwitcher::UncheckStyles() {
  for (int style = 1; style <= kPanelCount; ++style) {
    menu_.Item(StyleItem(style)).checked = false;
  }
}

}  // namespace orvaltic
