#include "core/panels/border_toggle.h"

#include <stdexcept>
#include <string>

namespace orvaltic {

namespace {

constexpr int kDrawerClosedHeight = 73;
constexpr int kPresetDrawerHeight = 136;
constexpr int kControlsDrawerHeight = 154;

// The height style 5 keeps: its drawer's, which its client height shows.
int Style5Height(const PanelSurface& style5) {
  const int height = style5.client_height;
  return height == kPresetDrawerHeight || height == kControlsDrawerHeight ? height
                                                                          : kDrawerClosedHeight;
}

}  // namespace

ClientSize BorderedClientSize(const PanelSet& panels, int style, BorderStyle border) {
  const bool on = border == BorderStyle::kSingle;
  const PanelSurface& panel = panels.Style(style);
  switch (style) {
    case 1: {
      const FramePanel& frame = panel.Frame("Panel1");
      return {frame.width - 4, frame.height - 4};
    }
    case 2:
      return {panel.Frame("Panel1").width,
              panel.Frame("Panel2").height + panels.Main().Frame("Panel3").height + 18};
    case 3: {
      const FramePanel& controls = panel.Frame("Panel3");
      return {panel.Frame("Panel2").width + controls.width - (on ? 4 : 6),
              controls.height - (on ? 2 : 3)};
    }
    case 4: {
      const FramePanel& frame = panel.Frame("Panel1");
      return {frame.width, frame.height + 1};
    }
    case 5:
      return {panel.Frame("Panel2").width - 4, Style5Height(panel)};
    case 6: {
      const FramePanel& frame = panel.Frame("Panel1");
      return {frame.width - (on ? 6 : 4), frame.height - (on ? 4 : 3)};
    }
    case 7: {
      const FramePanel& frame = panel.Frame("Panel1");
      return {frame.width + 1, frame.height + 1};
    }
    default:
      throw std::out_of_range("panel style " + std::to_string(style));
  }
}

void BorderToggle::ToggleBorder() {
  SetBorder(panels_.Main().border == BorderStyle::kSingle ? BorderStyle::kNone
                                                          : BorderStyle::kSingle);
}

void BorderToggle::ApplyBorderStyle() {
  SetBorder(display_.BorderStyleText == "bsSingle" ? BorderStyle::kSingle : BorderStyle::kNone);
}

void BorderToggle::SetBorder(BorderStyle border) {
  // Main first: style 2's height reads the main panel's frames.
  for (int style = 1; style <= kPanelCount; ++style) {
    PanelSurface& panel = panels_.Style(style);
    panel.border = border;
    const ClientSize size = BorderedClientSize(panels_, style, border);
    panel.client_width = size.width;
    panel.client_height = size.height;
  }
}

}  // namespace orvaltic
