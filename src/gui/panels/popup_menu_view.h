#pragma once

#include <QMenu>
#include <QString>

#include <memory>
#include <string>

#include "core/panels/popup_menu.h"

namespace orvaltic::gui {

// The popup menu as it stands in `model`: every item's action (or submenu) is named after the
// item, with its caption ("&" marks the accelerator, as in Qt), enabled state, check mark and
// help context (property "helpContext"). Built anew for each popup, so it always shows the
// model's current state.
std::unique_ptr<QMenu> MakePopupMenu(const PopupMenuModel& model, QWidget* parent = nullptr);

// The item name of an action of such a menu; empty for a submenu or separator.
std::string MenuItemName(const QAction* action);

}  // namespace orvaltic::gui
