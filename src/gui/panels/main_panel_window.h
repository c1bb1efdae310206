#pragma once

#include "core/panels/panel_events.h"
#include "core/panels/panel_surface.h"
#include "core/panels/popup_menu.h"
#include "gui/panels/panel_window.h"

namespace orvaltic::gui {

// The style 1 front panel `MainFrmRadio`, the application's main window: caption "S1", fixed
// single border, system menu and minimise box, client area 443 x 140 as designed.
class TMainFrmRadio : public PanelWindow {
  Q_OBJECT

 public:
  TMainFrmRadio(PanelSurface& surface, const PopupMenuModel& menu, PanelEvents& events,
                QWidget* parent = nullptr);

  static constexpr int kClientWidth = 443;
  static constexpr int kClientHeight = 140;
};

}  // namespace orvaltic::gui
