#include "gui/panels/main_panel_window.h"

namespace orvaltic::gui {

MainPanelWindow::MainPanelWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("MainFrmRadio"));
  setWindowTitle(QStringLiteral("S1"));
  setFixedSize(kClientWidth, kClientHeight);
}

}  // namespace orvaltic::gui
