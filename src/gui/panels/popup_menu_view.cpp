#include "gui/panels/popup_menu_view.h"

#include <QAction>

#include <vector>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

const char kItemName[] = "menuItemName";

void SetCommon(QAction& action, const MenuItem& item) {
  action.setObjectName(QString::fromStdString(item.name));
  action.setEnabled(item.enabled);
  // Only a checked item shows a mark; an unchecked one looks like any other item.
  action.setCheckable(item.checked);
  action.setChecked(item.checked);
  action.setProperty("helpContext", item.help_context);
}

void AddItems(QMenu& menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.IsSeparator()) {
      menu.addSeparator()->setObjectName(QString::fromStdString(item.name));
      continue;
    }
    if (!item.items.empty()) {
      QMenu* submenu = menu.addMenu(FromCoreText(item.caption));
      submenu->setObjectName(QString::fromStdString(item.name));
      SetCommon(*submenu->menuAction(), item);
      AddItems(*submenu, item.items);
      continue;
    }
    QAction* action = menu.addAction(FromCoreText(item.caption));
    SetCommon(*action, item);
    action->setProperty(kItemName, QString::fromStdString(item.name));
  }
}

}  // namespace

std::unique_ptr<QMenu> MakePopupMenu(const PopupMenuModel& model, QWidget* parent) {
  auto menu = std::make_unique<QMenu>(parent);
  menu->setObjectName(QStringLiteral("PopupMenu1"));
  AddItems(*menu, model.Items());
  return menu;
}

std::string MenuItemName(const QAction* action) {
  if (action == nullptr) {
    return {};
  }
  return action->property(kItemName).toString().toStdString();
}

}  // namespace orvaltic::gui
