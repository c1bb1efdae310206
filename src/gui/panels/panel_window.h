#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/panels/panel_events.h"
#include "core/panels/panel_surface.h"
#include "core/panels/popup_menu.h"
#include "gui/panels/panel_layout.h"
#include "gui/panels/panel_renderer.h"

class QMenu;

namespace orvaltic::gui {

// A front panel window: the controls of a PanelLayout, a view of one PanelSurface, and the
// reports of the user's actions to PanelEvents. It has no logic of its own: clicks, mouse
// moves, menu choices, close requests, activation and the first paint all go to `events`,
// and whoever handles them calls Render() afterwards.
//
// The window keeps the surface's window state (position, shown, minimised) in step with what
// the user does to the window, because the controller reads the position of the shown panel.
class PanelWindow : public QWidget {
  Q_OBJECT

 public:
  PanelWindow(const PanelLayout& layout, PanelSurface& surface, const PopupMenuModel& menu,
              PanelEvents& events, QWidget* parent = nullptr);
  ~PanelWindow() override;

  int Style() const { return style_; }
  // Puts the surface on the widgets; only what changed since the last render is touched.
  void Render();
  // Opens the popup menu at `global_pos` and reports the item chosen, if any.
  void PopupMenuAt(const QPoint& global_pos);
  // The popup menu while it is open, else null.
  QMenu* OpenPopupMenu() const { return open_menu_; }

  QWidget* Control(const std::string& name) const { return renderer_.Control(name); }

 protected:
  bool event(QEvent* event) override;
  // A window without border has no caption bar to drag: its frames and background move it.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Connect(const PanelLayout& layout, const std::map<std::string, QWidget*>& controls);

  int style_;
  PanelSurface& surface_;
  const PopupMenuModel& menu_;
  PanelEvents& events_;
  PanelRenderer renderer_;
  QMenu* open_menu_ = nullptr;
  bool painted_ = false;
  // Where the mouse took hold of the window, while it moves the window itself (a platform
  // without a window-manager move).
  std::optional<QPoint> drag_offset_;
};

}  // namespace orvaltic::gui
