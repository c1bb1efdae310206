#include "core/panels/panel_surface.h"

#include <stdexcept>
#include <string>

namespace orvaltic {

namespace {

struct StyleDesign {
  int client_width;
  int client_height;
  int display_font_size;
  std::map<std::string, FramePanel> frames;
};

FramePanel Frame(int width, int height) {
  FramePanel f;
  f.width = width;
  f.height = height;
  f.bevel_inner = Bevel::kRaised;
  return f;
}

StyleDesign DesignOf(int style) {
  switch (style) {
    case 1:
      return {443, 140, 20, {{"Panel1", Frame(447, 143)}, {"Panel3", Frame(425, 50)}}};
    case 2:
      return {488, 139, 20, {{"Panel1", Frame(488, 138)}, {"Panel2", Frame(181, 70)}}};
    case 3:
      return {313,
              152,
              24,
              {{"Panel2", Frame(221, 91)}, {"Panel3", Frame(97, 155)}, {"Panel6", Frame(221, 62)}}};
    case 4:
      return {259, 261, 20, {{"Panel1", Frame(259, 259)}}};
    case 5:
      return {187,
              219,
              20,
              {{"Panel2", Frame(192, 74)}, {"Panel3", Frame(192, 82)}, {"Panel6", Frame(192, 63)}}};
    case 6:
      return {372, 173, 8, {{"Panel1", Frame(376, 176)}}};
    case 7:
      return {485, 172, 28, {{"Panel1", Frame(484, 171)}}};
    default:
      throw std::out_of_range("panel style " + std::to_string(style));
  }
}

}  // namespace

PanelSurface DesignedSurface(int style) {
  const StyleDesign design = DesignOf(style);
  PanelSurface s;
  s.style = style;
  s.caption = std::string("S").append(std::to_string(style));
  s.client_width = design.client_width;
  s.client_height = design.client_height;
  s.frames = design.frames;

  s.FreqPanel.font.name = "Arial";
  s.FreqPanel.font.size = design.display_font_size;
  s.FreqPanel.color = kBlack;

  const bool new_layout = style >= 6;
  s.Label1.caption = new_layout ? "FM" : " FM";
  s.AlarmDisplayLabel.hint = "Click to show Alarm status";
  s.SnoozeDisplayLabel.hint = "Click to show Snooze status";
  s.ProgLabel.hint = "Click to show program status";
  if (new_layout) {
    s.StationIDLabel = LabelModel{};
  }
  if (style == 5) {
    s.Drawers = DrawersModel{};
  }

  for (int n = 1; n <= 10; ++n) {
    auto& button = s.Presets[static_cast<std::size_t>(n - 1)];
    const std::string number = std::to_string(n);
    if (style == 1 || (style <= 5 && n < 10)) {
      button.caption = std::string(2, ' ').append(number);
    } else if (style <= 5) {
      button.caption = " 10";
    } else {
      button.caption = number;
    }
    if (style <= 5) {
      button.hint = std::string("Preset ").append(number);
    }
  }
  return s;
}

}  // namespace orvaltic
