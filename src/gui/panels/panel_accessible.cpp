#include "gui/panels/panel_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "gui/panels/panel_widgets.h"
#include "gui/panels/panel_window.h"

namespace orvaltic::gui {

namespace {

// A panel's control or the panel itself: the name and description are the widget's own, never
// the tool tip.
class PanelControlAccessible : public QAccessibleWidget {
 public:
  PanelControlAccessible(QWidget* widget, QAccessible::Role role)
      : QAccessibleWidget(widget, role) {}

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty()) {
          return widget()->accessibleName();
        }
        if (widget()->isWindow()) {
          return widget()->windowTitle();
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget())) {
          return label->text();
        }
        return {};
      case QAccessible::Description:
        return widget()->accessibleDescription();
      default:
        return QAccessibleWidget::text(t);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (const auto* button = qobject_cast<const SpeedButton*>(widget())) {
      state.pressed = button->isDown();
    }
    return state;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (qobject_cast<const SpeedButton*>(widget()) != nullptr) {
      names.prepend(pressAction());
    }
    return names;
  }

  void doAction(const QString& action) override {
    auto* button = qobject_cast<SpeedButton*>(widget());
    if (button != nullptr && action == pressAction()) {
      button->click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

bool Is(const QString& class_name, const QMetaObject& meta) {
  return class_name == QLatin1String(meta.className());
}

QAccessibleInterface* PanelAccessible(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) {
    return nullptr;
  }
  // Without this a plain widget, top-level or not, is presented as a filler.
  if (Is(class_name, PanelWindow::staticMetaObject)) {
    return new PanelControlAccessible(widget, QAccessible::Window);
  }
  if (Is(class_name, SpeedButton::staticMetaObject)) {
    return new PanelControlAccessible(widget, QAccessible::Button);
  }
  if (Is(class_name, PanelLabel::staticMetaObject)) {
    return new PanelControlAccessible(widget, QAccessible::StaticText);
  }
  if (Is(class_name, BevelPanel::staticMetaObject)) {
    return new PanelControlAccessible(widget, QAccessible::Client);
  }
  return nullptr;
}

}  // namespace

void InstallPanelAccessibility() {
  static const bool kInstalled = [] {
    QAccessible::installFactory(&PanelAccessible);
    return true;
  }();
  static_cast<void>(kInstalled);
}

}  // namespace orvaltic::gui
