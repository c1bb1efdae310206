#pragma once

#include <QWidget>

namespace orvaltic::gui {

// The style 1 front panel. For now the bare window: caption "S1", fixed single border, client
// area of the designed size, system menu and minimise only.
class MainPanelWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainPanelWindow(QWidget* parent = nullptr);

  static constexpr int kClientWidth = 443;
  static constexpr int kClientHeight = 140;
};

}  // namespace orvaltic::gui
