#include "core/panels/style5_drawers.h"

#include <stdexcept>

namespace orvaltic {

namespace {

DrawersModel& DrawersOf(PanelSurface& panel) {
  if (!panel.Drawers) {
    throw std::logic_error("the panel of style " + std::to_string(panel.style) + " has no drawers");
  }
  return *panel.Drawers;
}

}  // namespace

Style5Drawers::Style5Drawers(PanelSurface& style5) : panel_(style5), drawers_(DrawersOf(style5)) {}

void Style5Drawers::TakeTarget(int open_height) {
  if (panel_.client_height == kClosedHeight) {
    height_ = open_height;
  } else if (panel_.client_height == open_height) {
    height_ = kClosedHeight;
  }
}

void Style5Drawers::SlideOpen() {
  const int target = Target();
  while (panel_.client_height < target) {
    panel_.client_height += kSlideStep;
    if (repaint_) {
      repaint_();
    }
  }
  panel_.client_height = target;
}

void Style5Drawers::DownLeftBtnClick() {
  if (!controls_closed_) {
    return;
  }
  TakeTarget(kPresetsOpenHeight);
  if (panel_.client_height > Target()) {
    drawers_.controls_shown = false;
    panel_.client_height = Target();
    drawers_.down_left = true;
    drawers_.up_left = false;
    presets_closed_ = true;
    return;
  }
  drawers_.presets_shown = true;
  drawers_.controls_shown = false;
  SlideOpen();
  drawers_.down_left = false;
  drawers_.up_left = true;
  presets_closed_ = false;
}

void Style5Drawers::DownRightBtnClick() {
  if (!presets_closed_) {
    return;
  }
  TakeTarget(kControlsOpenHeight);
  if (panel_.client_height > Target()) {
    panel_.client_height = Target();
    drawers_.up_right = false;
    drawers_.down_right = true;
    controls_closed_ = true;
    return;
  }
  // Into the place of the preset drawer, right under the display group.
  drawers_.controls_top = 71;
  drawers_.controls_left = -2;
  drawers_.presets_shown = false;
  drawers_.controls_shown = true;
  SlideOpen();
  drawers_.up_right = true;
  drawers_.down_right = false;
  controls_closed_ = false;
}

void Style5Drawers::FormShow() {
  if (first_show_) {
    first_show_ = false;
    panel_.client_height = kClosedHeight;
  }
}

}  // namespace orvaltic
