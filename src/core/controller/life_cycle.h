#pragma once

#include <string>

#include "core/controller/radio_power.h"
#include "core/controller/settings_files.h"
#include "core/options/options.h"
#include "core/panels/border_toggle.h"
#include "core/panels/display_look.h"
#include "core/panels/display_settings.h"
#include "core/panels/panel_set.h"
#include "core/panels/style_switcher.h"
#include "core/platform/app_host.h"
#include "core/platform/dialogs.h"
#include "core/platform/dispatcher.h"

namespace orvaltic {

inline constexpr char kKeepRadioOnQuestion[] = "Keep radio on in background?";

// The program's start-up after the windows exist, the main panel's activation and first
// paint, and the close sequence.
//
// The views keep each surface's `top` and `left` at their window's position, so that storing
// the panel position reads where the user left the window.
class LifeCycle {
 public:
  LifeCycle(SettingsFiles& files, EventDispatcher& dispatcher, PanelSet& panels,
            StyleSwitcher& styles, DisplayLook& look, BorderToggle& borders, const Options& options,
            RadioPower& power, Dialogs& dialogs, AppHost& app,
            const std::string& current_freq_text);
  LifeCycle(const LifeCycle&) = delete;
  LifeCycle& operator=(const LifeCycle&) = delete;

  // The main form's creation: the display goes dark (black on black).
  void FormCreate();
  // The presets file "Orvaltic.CFG", then the options file, then the panels placed at
  // PanelTop/PanelLeft. A reader's error is shown through the dispatcher and start-up goes on.
  void ReadSettingsFiles();
  // Every activation of the main panel: the shown panel's position is stored.
  void FormActivate();
  // The main panel's first paint (later paints do nothing): CurrentFreqText in every FreqPanel
  // (unless `show_freq_text` is false: something was tuned before this paint, and the display
  // shows it), the stored border, and the switch to the start-up style.
  void FormPaint(bool show_freq_text = true);
  bool FirstPaintPending() const { return first_paint_; }
  // The close sequence. Returns true when the program is to end (the host has been asked to
  // terminate); false when the user cancelled. A failed save of the presets file throws
  // InOutError: the close stops there with the radio still on. A close before the first paint
  // (a second /O) first puts on the stored border, so the save writes back the border read.
  // A close requested while one is under way (its question open) returns false at once.
  bool CloseRadio();
  // A window's close request: runs CloseRadio; the close goes ahead only when it returns true.
  bool FormCloseQuery() { return CloseRadio(); }

 private:
  SettingsFiles& files_;
  EventDispatcher& dispatcher_;
  PanelSet& panels_;
  StyleSwitcher& styles_;
  DisplayLook& look_;
  BorderToggle& borders_;
  const Options& options_;
  RadioPower& power_;
  Dialogs& dialogs_;
  AppHost& app_;
  const std::string& current_freq_text_;
  bool first_paint_ = true;
  bool closing_ = false;
};

}  // namespace orvaltic
