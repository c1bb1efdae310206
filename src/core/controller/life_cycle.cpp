#include "core/controller/life_cycle.h"

#include <string>

namespace orvaltic {

LifeCycle::LifeCycle(SettingsFiles& files, EventDispatcher& dispatcher, PanelSet& panels,
                     StyleSwitcher& styles, DisplayLook& look, BorderToggle& borders,
                     const Options& options, RadioPower& power, Dialogs& dialogs, AppHost& app,
                     const std::string& current_freq_text)
    : files_(files),
      dispatcher_(dispatcher),
      panels_(panels),
      styles_(styles),
      look_(look),
      borders_(borders),
      options_(options),
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
  styles_.PlacePanels();
}

void LifeCycle::FormActivate() {
  styles_.StorePanelPosition();
}

void LifeCycle::FormPaint(bool show_freq_text) {
  if (!first_paint_) {
    return;
  }
  first_paint_ = false;
  // PresetPage stays the page the preset buttons show: 1 unless /O or /F: turned the pages
  // before this paint, and then resetting it alone would send every later recall by text to
  // the wrong page.
  if (show_freq_text) {
    panels_.SetFreqCaption(current_freq_text_);
  }
  borders_.ApplyBorderStyle();
  styles_.SwitchToStartupStyle(options_.StartupStyle);
}

bool LifeCycle::CloseRadio() {
  // One close at a time, whatever starts it: a window's close, the power button, a signal or a
  // remote's Quit that comes while the question below is open leaves the answer to that
  // question, and nothing is saved or asked a second time.
  if (closing_) {
    return false;
  }
  closing_ = true;
  const struct EndOfClose {
    bool& closing;
    ~EndOfClose() { closing = false; }
  } end_of_close{closing_};
  if (panels_.Main().PwrBtnLight == kRed) {
    if (first_paint_) {
      // The panels still carry their designed border, not the one the user chose.
      borders_.ApplyBorderStyle();
    }
    styles_.StorePanelPosition();
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
