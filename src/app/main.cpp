#include <QApplication>

#include "gui/panels/main_panel_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvaltic"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALTIC_VERSION));

  orvaltic::gui::MainPanelWindow panel;
  panel.show();
  return QApplication::exec();
}
