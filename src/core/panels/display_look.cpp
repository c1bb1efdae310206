#include "core/panels/display_look.h"

#include <optional>
#include <string>
#include <vector>

namespace orvaltic {

namespace {

// The small labels inside a display, in the order their colour is set.
std::vector<LabelModel*> SmallDisplayLabels(PanelSurface& panel) {
  std::vector<LabelModel*> labels = {&panel.AlarmDisplayLabel, &panel.SnoozeDisplayLabel,
                                     &panel.PresetDisplay, &panel.Label1};
  if (panel.StationIDLabel) {
    labels.push_back(&*panel.StationIDLabel);
  }
  labels.push_back(&panel.ProgLabel);
  return labels;
}

// A font style is a set: the stored word replaces all of it. Any other word leaves the font as
// it is.
void ApplyFontStyleWord(FontSpec& font, const std::string& word) {
  bool bold = false;
  bool italic = false;
  if (word == "Bold+Italic") {
    bold = italic = true;
  } else if (word == "Bold") {
    bold = true;
  } else if (word == "Italic") {
    italic = true;
  } else if (word != "Regular") {
    return;
  }
  font.bold = bold;
  font.italic = italic;
  font.underline = false;
  font.strike_out = false;
}

}  // namespace

void DisplayLook::BlackOutDisplays() {
  for (int style = 1; style <= 5; ++style) {
    panels_.Style(style).FreqPanel.font.color = kBlack;
  }
}

void DisplayLook::ApplyDisplaySettings() {
  PanelSurface& main = panels_.Main();
  FontSpec& main_font = main.FreqPanel.font;
  main_font.color = display_.DisplayFontColor;
  main.FreqPanel.color = display_.DisplayColor;
  main_font.name = display_.DisplayFontName;
  main_font.color = display_.DisplayFontColor;
  main_font.size = display_.DisplayFontSize;
  ApplyFontStyleWord(main_font, display_.DisplayFontStyle);
  for (LabelModel* label : SmallDisplayLabels(main)) {
    label->font_color = display_.DisplayFontColor;
  }

  for (int style = 2; style <= kPanelCount; ++style) {
    PanelSurface& panel = panels_.Style(style);
    FontSpec& font = panel.FreqPanel.font;
    font.name = display_.DisplayFontName;
    font.size = display_.DisplayFontSize;
    font.bold = main_font.bold;
    font.italic = main_font.italic;
    font.underline = main_font.underline;
    font.strike_out = main_font.strike_out;
    font.color = display_.DisplayFontColor;
    panel.FreqPanel.color = display_.DisplayColor;
    for (LabelModel* label : SmallDisplayLabels(panel)) {
      label->font_color = display_.DisplayFontColor;
    }
  }
}

void DisplayLook::Font1Click() {
  const std::optional<FontSpec> chosen = dialogs_.ChooseFont(
      panels_.Main().FreqPanel.font,
      [this](const FontSpec& font) { dispatcher_.Run([&] { FontDialog1Apply(font); }); });
  if (chosen) {
    ApplyDisplayFont(*chosen);
  }
}

void DisplayLook::ApplyDisplayFont(const FontSpec& font) {
  panels_.ForEach([&](PanelSurface& panel) {
    panel.FreqPanel.font = font;
    for (LabelModel* label : SmallDisplayLabels(panel)) {
      label->font_color = panel.FreqPanel.font.color;
    }
  });
}

void DisplayLook::Color1Click() {
  const std::optional<Color> chosen = dialogs_.ChooseColor(panels_.Main().FreqPanel.color);
  if (!chosen) {
    return;
  }
  panels_.ForEach([&](PanelSurface& panel) { panel.FreqPanel.color = *chosen; });
}

}  // namespace orvaltic
