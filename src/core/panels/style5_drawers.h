#pragma once

#include <functional>

#include "core/panels/panel_surface.h"

namespace orvaltic {

// Style 5's window is normally only its display group. Under it lie two drawers, the preset
// drawer and the controls drawer, each opened and closed by its pair of chevron buttons; at most
// one is open at a time. An opening drawer slides out: the window grows two pixels at a time
// and is repainted after each step. A closing one shuts at once.
//
// The drawers are style 5's own: nothing here is mirrored to the other panels, and the state
// lives on while style 5 is hidden.
class Style5Drawers {
 public:
  static constexpr int kClosedHeight = 73;
  static constexpr int kPresetsOpenHeight = 136;
  static constexpr int kControlsOpenHeight = 154;
  static constexpr int kSlideStep = 2;

  explicit Style5Drawers(PanelSurface& style5);
  Style5Drawers(const Style5Drawers&) = delete;
  Style5Drawers& operator=(const Style5Drawers&) = delete;

  // The left pair of chevrons (DownLeftBtn, UpLeftBtn): the preset drawer. Does nothing while
  // the controls drawer is open.
  void DownLeftBtnClick();
  // The right pair (DownRightBtn, UpRightBtn): the controls drawer. Does nothing while the
  // preset drawer is open.
  void DownRightBtnClick();
  // Run whenever the hidden window is shown: the first time, it shrinks to the display group.
  void FormShow();

  // Runs after every step of a sliding drawer, so that the window is redrawn at that height
  // before the next step; the views set it, tests record the steps with it.
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

  bool Style5PresetsClosed() const { return presets_closed_; }
  bool Style5ControlsClosed() const { return controls_closed_; }
  // The client height the drawers ask for; 0 until a chevron was first pressed, which counts
  // as closed.
  int Style5Height() const { return height_; }

 private:
  // The next target height of a pair whose drawer is `open_height` high when open: from closed
  // to open and back; any other height leaves the target as it was.
  void TakeTarget(int open_height);
  int Target() const { return height_ == 0 ? kClosedHeight : height_; }
  // Grows the window to the target in steps with a repaint after each, then sets it exactly.
  void SlideOpen();

  PanelSurface& panel_;
  DrawersModel& drawers_;
  bool presets_closed_ = true;
  bool controls_closed_ = true;
  int height_ = 0;
  bool first_show_ = true;
  std::function<void()> repaint_;
};

}  // namespace orvaltic
