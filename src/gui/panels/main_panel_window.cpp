#include "gui/panels/main_panel_window.h"

#include "core/panels/main_panel_layout.h"

namespace orvaltic::gui {

TMainFrmRadio::TMainFrmRadio(PanelSurface& surface, const PopupMenuModel& menu, PanelEvents& events,
                             QWidget* parent)
    : PanelWindow(MainPanelLayout(), surface, menu, events, parent) {}

}  // namespace orvaltic::gui
