#include "gui/panels/popup_menu_view.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMetaObject>

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

namespace orvaltic::gui {

namespace {

class HelpKeyWatcher : public QObject {
 public:
  HelpKeyWatcher(QMenu& root, std::function<void(const std::string&)> report)
      : QObject(&root), root_(root), report_(std::move(report)) {}

  void Watch(QMenu& menu) {
    menu.installEventFilter(this);
    for (QAction* action : menu.actions()) {
      if (QMenu* submenu = action->menu()) {
        Watch(*submenu);
      }
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) {
      return false;
    }
    const QAction* highlighted = menu->activeAction();
    if (highlighted == nullptr && menu != &root_) {
      highlighted = menu->menuAction();
    }
    const std::string item =
        highlighted != nullptr ? highlighted->objectName().toStdString() : std::string();
    root_.close();
    if (!item.empty()) {
      // After the menu has gone: the help window must not open under a popup's grab.
      QMetaObject::invokeMethod(
          root_.parent() != nullptr ? root_.parent() : QCoreApplication::instance(),
          [report = report_, item] { report(item); }, Qt::QueuedConnection);
    }
    return true;
  }

 private:
  QMenu& root_;
  std::function<void(const std::string&)> report_;
};

}  // namespace

void WatchHelpKey(QMenu& menu, std::function<void(const std::string& item)> report) {
  auto* watcher = new HelpKeyWatcher(menu, std::move(report));
  watcher->Watch(menu);
}

}  // namespace orvaltic::gui
