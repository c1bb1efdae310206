#include "core/controller/life_cycle.h"

#include <string>

namespace orvaltic {

namespace {

std::string StyleItem(int style) {
  return "Style" + std::to_string(style);
}

}  // namespace

LifeCycle::LifeCycle(SettingsFiles& files, EventDispatcher& dispatcher, PanelSet& panels,
                     PopupMenuModel& menu, DisplaySettings& display, DisplayLook& look,
                     const Options& options, PresetButtons& preset_buttons, RadioPower& power,
                     Dialogs& dialogs, AppHost& app, const std::string& current_freq_text)
    : files_(files),
      dispatcher_(dispatcher),
      panels_(panels),
      menu_(menu),
      display_(display),
      look_(look),
      options_(options),
      preset_buttons_(preset_buttons),
      power_(power),
      dialogs_(dialogs),
      app_(app),
      current_freq_text_(current_freq_text) {}

void LifeCycle::FormCreate() {
  look_.BlackOutDisplays();
}

void LifeCycle::ReadSettingsFiles() {
  // Each reader on its own: an error in the presets file must not keep the options unread.
  dispatcher_.Run([this] { files_.ReadPresetsFile(); });
  dispatcher_.Run([this] { files_.ReadOptionsFile(); });
  PlacePanels();
}

void LifeCycle::PlacePanels() {
  panels_.ForEach([this](PanelSurface& panel) {
    panel.top = display_.PanelTop;
    panel.left = display_.PanelLeft;
  });
}

void LifeCycle::StorePanelPosition() {
  // The check mark is the record of which panel is shown.
  for (int style = 1; style <= kPanelCount; ++style) {
    if (menu_.Item(StyleItem(style)).checked) {
      display_.PanelTop = panels_.Style(style).top;
      display_.PanelLeft = panels_.Style(style).left;
      return;
    }
  }
}

void LifeCycle::FormActivate() {
  StorePanelPosition();
}

void LifeCycle::FormPaint() {
  if (!first_paint_) {
    return;
  }
  first_paint_ = false;
  preset_buttons_.SetPresetPage(1);
  panels_.SetFreqCaption(current_freq_text_);
  look_.ApplyBorderStyle();
  // Only the main panel has a window so far, so no switch is made: for "Style 2" to "Style 7"
  // the main panel stays shown with no item checked, as for a start-up style that names none.
  if (options_.StartupStyle == "Style 1") {
    UncheckStyles();
    menu_.Item(StyleItem(1)).checked = true;
  }
}

void LifeCycle::UncheckStyles() {
  for (int style = 1; style <= kPanelCount; ++style) {
    menu_.Item(StyleItem(style)).checked = false;
  }
}

bool LifeCycle::CloseRadio() {
  if (panels_.Main().PwrBtnLight == kRed) {
    StorePanelPosition();
    // Throws on failure: the close ends here, the radio stays on.
    files_.SavePresetsFile();
    const MessageResult answer = dialogs_.MessageBox(
        kKeepRadioOnQuestion, MessageKind::kConfirmation, MessageButtons::kYesNoCancel);
    switch (answer) {
      case MessageResult::kNo:
        power_.SwitchOff(false);
        break;
      case MessageResult::kYes:
        power_.SwitchOff(true);
        break;
      case MessageResult::kCancel:
      case MessageResult::kOk:
        return false;
    }
  }
  app_.Terminate();
  return true;
}

}  // namespace orvaltic
