#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace orvaltic::gui::testing {

// A combo or spin box's own edit and popup list, and an edit's clear button, are part of the
// control around them.
inline bool InsideAnotherControl(const QWidget& widget) {
  for (const QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) != nullptr ||
        qobject_cast<const QAbstractSpinBox*>(up) != nullptr ||
        qobject_cast<const QLineEdit*>(up) != nullptr) {
      return true;
    }
  }
  return false;
}

// The object names of the controls in `window` a user operates (buttons, boxes, edits, lists)
// that a screen reader would announce without a name.
inline QStringList UnnamedControls(const QWidget& window) {
  QStringList unnamed;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const bool operated = qobject_cast<QAbstractButton*>(widget) != nullptr ||
                          qobject_cast<QAbstractSpinBox*>(widget) != nullptr ||
                          qobject_cast<QComboBox*>(widget) != nullptr ||
                          qobject_cast<QAbstractItemView*>(widget) != nullptr ||
                          qobject_cast<QLineEdit*>(widget) != nullptr;
    if (!operated || InsideAnotherControl(*widget)) {
      continue;
    }
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty()) {
      unnamed << widget->objectName();
    }
  }
  return unnamed;
}

}  // namespace orvaltic::gui::testing
