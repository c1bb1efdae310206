#pragma once

#include <QWidget>

#include <map>
#include <optional>
#include <string>

#include "core/panels/panel_layout.h"
#include "core/panels/panel_surface.h"

namespace orvaltic::gui {

// Puts a PanelSurface on a front panel window whose controls carry the surface's names. It
// remembers what it rendered and touches only what changed since, so it can run after every
// event. Controls a style lacks are skipped.
//
// The window state that the user changes directly (position, shown, minimised) is taken back
// with TakeWindowState, so that the surface and the renderer agree with the screen.
class PanelRenderer {
 public:
  // `controls`: the window's controls by name, as BuildControls returned them. The window's
  // flags at this point are those of its single border.
  PanelRenderer(QWidget& window, std::map<std::string, QWidget*> controls);

  void Render(const PanelSurface& surface);
  // The next Render applies everything again.
  void Invalidate() { last_.reset(); }

  // Records the window's own visibility and minimised state in `surface` and in what was
  // rendered last, and its position too when `moved` (a move event of the shown window). Before
  // the first render it does nothing.
  void TakeWindowState(PanelSurface& surface, bool moved = false);

  QWidget* Control(const std::string& name) const;

 private:
  void RenderLabel(const std::string& name, const LabelModel& label, const LabelModel* last);
  void RenderLight(const std::string& name, Color color, const Color* last);
  void RenderDisplay(const DisplayModel& display, const DisplayModel* last);
  void RenderOverlay(const control_name::Overlay& overlay_names, const OverlayModel& overlay,
                     const OverlayModel* last);
  void RenderFrames(const PanelSurface& surface, const PanelSurface* last);
  void RenderDrawers(const PanelSurface& surface, const PanelSurface* last);
  void RenderWindow(const PanelSurface& surface, const PanelSurface* last);

  QWidget& window_;
  std::map<std::string, QWidget*> controls_;
  Qt::WindowFlags bordered_flags_;  // the window's flags with its single border
  std::optional<PanelSurface> last_;
};

}  // namespace orvaltic::gui
