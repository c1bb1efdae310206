#include "gui/platform/qt_app_host.h"

#include <QApplication>
#include <QMetaObject>
#include <QWidget>

namespace orvaltic::gui {

void QtAppHost::Terminate() {
  if (terminate_requested_) {
    return;
  }
  terminate_requested_ = true;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void QtAppHost::MinimizeApplication() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isWindow() && window->isVisible() && !window->isMinimized()) {
      window->setWindowState(window->windowState() | Qt::WindowMinimized);
    }
  }
}

}  // namespace orvaltic::gui
