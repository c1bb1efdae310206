#pragma once

#include <QMenu>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "core/panels/popup_menu.h"

namespace orvaltic::gui {

// The popup menu as it stands in `model`: every item's action (or submenu) is named after the
// item, with its caption ("&" marks the accelerator, as in Qt), enabled state, check mark and
// help context (property "helpContext"). Built anew for each popup, so it always shows the
// model's current state.
std::unique_ptr<QMenu> MakePopupMenu(const PopupMenuModel& model, QWidget* parent = nullptr);

// F1 on `menu` or one of its submenus closes the menu and then, back in the event loop, reports
// the highlighted item: the item under the cursor of the innermost open menu, or, when nothing
// is highlighted there, the submenu's own item.
void WatchHelpKey(QMenu& menu, std::function<void(const std::string& item)> report);

// The item name of an action of such a menu; empty for a submenu or separator.
std::string MenuItemName(const QAction* action);

}  // namespace orvaltic::gui
