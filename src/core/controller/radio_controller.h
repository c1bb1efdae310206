#pragma once

#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <set>
#include <string>

#include "core/alarm/alarm_times.h"
#include "core/controller/app_host.h"
#include "core/controller/modal_forms.h"
#include "core/controller/panel_router.h"
#include "core/options/options.h"
#include "core/options/options_dialog.h"
#include "core/panels/display_settings.h"
#include "core/panels/panel_events.h"
#include "core/panels/panel_set.h"
#include "core/panels/popup_menu.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/dispatcher.h"
#include "core/platform/help.h"
#include "core/platform/io_port.h"
#include "core/platform/settings_reads.h"
#include "core/platform/sound.h"
#include "core/platform/timer.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_store.h"
#include "core/radio/radio_card.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

// Everything the controller reaches outside itself.
struct Platform {
  IoPort& port;
  TimerHost& timers;
  Clock& clock;
  Dialogs& dialogs;
  Sound& sound;
  Help& help;
  AppHost& app;
  ModalForms& forms;
};

inline constexpr char kApplicationHelpFile[] = "C:\\Orvaltic\\Orvaltic.HLP";
inline constexpr char kKeepRadioOnQuestion[] = "Keep radio on in background?";

// The main form's logic: it owns the program-wide state, the seven panel surfaces, the popup
// menu, the seven timers and the card, and exposes every handler by its name. The Qt windows
// only render the surfaces and the menu and report their events to Events(), which runs the
// handlers through Dispatcher().
//
// Files are read and written in `working_folder` ("" = the process's working directory), where
// the settings files live.
//
// The views keep each surface's `top` and `left` at their window's position, so that storing
// the panel position reads where the user left the window.
class RadioController {
 public:
  // `settings_report` is told when a save keeps a settings file that could not be read
  // completely as NAME.bak.
  explicit RadioController(const Platform& platform, std::string working_folder = "",
                           std::ostream& settings_report = std::cerr);
  RadioController(const RadioController&) = delete;
  RadioController& operator=(const RadioController&) = delete;
  ~RadioController();

  // --- Life cycle -------------------------------------------------------------------------
  // The main form's creation: the display goes dark (black on black). The style panels 2 to 5
  // do the same at their creation, which follows at once; it is done here with the main form's.
  void FormCreate();
  // Start-up after the windows exist: the presets file "Orvaltic.CFG", then the options file,
  // then the panels placed at PanelTop/PanelLeft. A reader's error is shown through the
  // dispatcher and start-up goes on.
  void ReadSettingsFiles();
  // Every panel, main first, to PanelTop/PanelLeft.
  void PlacePanels();
  // PanelTop/PanelLeft := the position of the panel whose Style item is checked; with no item
  // checked nothing changes.
  void StorePanelPosition();
  // Every activation of the main panel: the shown panel's position is stored.
  void FormActivate();
  // The main panel's first paint (later paints do nothing): PresetPage := 1, CurrentFreqText
  // in every FreqPanel, the stored border, and the start-up style's check mark.
  void FormPaint();
  // The border read from the presets file: exactly "bsSingle" is a single border, anything
  // else (an empty text when there was no file) none. Only the main panel is sized here.
  void ApplyBorderStyle();
  // Clears the check mark of every Style item.
  void UncheckStyles();
  // The close sequence. Returns true when the program is to end (the host has been asked to
  // terminate); false when the user cancelled. A failed save of the presets file throws
  // InOutError: the close stops there with the radio still on.
  bool CloseRadio();
  // A window's close request: runs CloseRadio; the close goes ahead only when it returns true.
  bool FormCloseQuery();

  // --- Handlers -----------------------------------------------------------------------------
  // Power on, tuning CurrentFreqText through AccessPreset before the power light goes red; or,
  // with the power light red, the close sequence.
  void PwrBtnClick();
  void MuteBtnClick();
  void IncVolumeBtnClick();
  void DecVolumeBtnClick();
  void ApplyDisplaySettings();
  void Label3Click();
  void OpenPresetFile1Click();
  void SavePresetFile1Click();
  // Shows the options dialog modally.
  void Options1Click();
  // The Label1 hint of panel `style` (only that panel's).
  void Label1MouseMove(int style = 1);
  // Close the overlay of panel `style` (each panel's overlays are its own).
  void AlarmPanelClick(int style = 1);
  void SnoozePanelClick(int style = 1);
  void Timer1Timer();
  void Timer2Timer() { card_->Timer2Timer(); }

  // --- Preset buttons, pages, memory and preset access (radio_controller_presets.cpp) -------
  // Tunes a frequency given as text: the preset with exactly that "%.3f" text is recalled on
  // its page, any other number in the band is tuned directly and marked "D".
  void AccessPreset(const std::string& text);
  // Recalls preset n + PresetOffset (n = 1..10), or with the memory armed first stores the
  // frequency shown into it.
  void ActivatePresetButton(int n);
  void Preset1Click() { ActivatePresetButton(1); }
  void Preset2Click() { ActivatePresetButton(2); }
  void Preset3Click() { ActivatePresetButton(3); }
  void Preset4Click() { ActivatePresetButton(4); }
  void Preset5Click() { ActivatePresetButton(5); }
  void Preset6Click() { ActivatePresetButton(6); }
  void Preset7Click() { ActivatePresetButton(7); }
  void Preset8Click() { ActivatePresetButton(8); }
  void Preset9Click() { ActivatePresetButton(9); }
  void Preset10Click() { ActivatePresetButton(10); }
  // Button n's hint on every panel := the station name of the preset it recalls. Works with
  // the radio off.
  void PresetMouseMove(int n);
  void Preset1MouseMove() { PresetMouseMove(1); }
  void Preset2MouseMove() { PresetMouseMove(2); }
  void Preset3MouseMove() { PresetMouseMove(3); }
  void Preset4MouseMove() { PresetMouseMove(4); }
  void Preset5MouseMove() { PresetMouseMove(5); }
  void Preset6MouseMove() { PresetMouseMove(6); }
  void Preset7MouseMove() { PresetMouseMove(7); }
  void Preset8MouseMove() { PresetMouseMove(8); }
  void Preset9MouseMove() { PresetMouseMove(9); }
  void Preset10MouseMove() { PresetMouseMove(10); }
  // All 70 preset lights off.
  void DeactivatePresetButtons();
  // After a page change: lights the button of the preset shown in PresetDisplay when it is on
  // the new page, else puts all preset lights off.
  void RefreshPresetLights();
  // The previous / next page of ten, wrapping between pages 1 and 10.
  void Prev10BtnClick();
  void Next10BtnClick();
  // Arms or disarms the memory; the window ends at Timer1's next tick, which a second press
  // does not put off.
  void MemoryBtnClick();
  // The preset last recalled or stored by a preset button (1..100; 0 before any). The preset
  // scan steps it.
  int& CurrentPreset() { return current_preset_; }
  int CurrentPreset() const { return current_preset_; }
  int PresetOffset() const { return preset_offset_; }
  // The presets of the shown page; empty until the first page change.
  const std::set<int>& PagePresets() const { return page_presets_; }
  // (end of preset section)

  // --- Tuning, fine tuning, scanning and direct access (radio_controller_tuning.cpp) --------
  // One step from the frequency shown on the main panel, with no band limit.
  void TuneUpBtnClick();
  void TuneDownBtnClick();
  void FineTuneUpBtnClick();
  void FineTuneDownBtnClick();
  // Set the scan direction; each button's own toggle starts or stops Timer3.
  void ScanUpBtnClick();
  void ScanDownBtnClick();
  // One scan step: through the band from ScanFreq, or through the presets.
  void Timer3Timer();
  // Asks for a frequency until one in the band is entered or the box is cancelled.
  void DirectAccessBtnClick();
  double ScanFreq() const { return scan_freq_; }
  bool ScanUp() const { return scan_up_; }
  bool ScanUpToggle() const { return scan_up_toggle_; }
  bool ScanDownToggle() const { return scan_down_toggle_; }
  const std::string& DirectFreqText() const { return direct_freq_text_; }
  // (end of tuning section)

  // --- State --------------------------------------------------------------------------------
  bool PowerOn() const { return power_on_; }
  PanelSet& Panels() { return panels_; }
  const PanelSet& Panels() const { return panels_; }
  PopupMenuModel& Menu() { return menu_; }
  const PopupMenuModel& Menu() const { return menu_; }
  Options& options() { return options_; }
  // The options dialog's logic, created with the windows and reused.
  OptionsDialog& OptionsForm() { return options_form_; }
  PresetStore& Presets() { return presets_; }
  DisplaySettings& Display() { return display_; }
  AlarmTimes& Alarm() { return alarm_; }
  SchedPrograms& Schedule() { return schedule_; }
  std::string& CurrentFreqText() { return current_freq_text_; }
  int PresetPage() const { return preset_page_; }
  bool FirstPaintPending() const { return first_paint_; }
  RadioCard& Card() { return *card_; }
  EventDispatcher& Dispatcher() { return dispatcher_; }
  HelpFiles& HelpFileNames() { return help_files_; }
  // Where the windows report clicks, mouse moves, menu choices, close requests, activations
  // and paints.
  PanelEvents& Events() { return router_; }
  // Timer1 .. Timer7.
  Timer& TimerN(int n);
  const std::string& WorkingFolder() const { return working_folder_; }
  // The path of a settings file: relative names are taken in the working folder.
  std::string SettingsPath(const std::string& file_name) const;
  // The settings files this run could not read completely.
  SettingsReads& SettingsFileReads() { return settings_reads_; }

 private:
  PresetFileFields FileFields();
  // Timer n's handler, run through the dispatcher.
  void SetTimerHandler(int n, void (RadioController::*handler)());

  Platform platform_;
  std::string working_folder_;
  EventDispatcher dispatcher_;
  HelpFiles help_files_;
  SettingsReads settings_reads_;

  Options options_;
  PresetStore presets_;
  DisplaySettings display_;
  AlarmTimes alarm_;
  SchedPrograms schedule_;
  std::string current_freq_text_ = "107.900";
  bool power_on_ = false;
  int preset_page_ = 1;
  bool first_paint_ = true;

  PanelSet panels_;
  PopupMenuModel menu_;
  OptionsDialog options_form_;
  std::array<std::unique_ptr<Timer>, 7> timers_;
  // Writes to options_.CardPort as it stands at each write.
  std::unique_ptr<RadioCard> card_;
  PanelRouter router_;

  // Preset section state.
  // ActivatePresetButton; `may_store` false makes it a recall even with the memory armed.
  void RecallPresetButton(int n, bool may_store);
  // PresetPage, PagePresets, the lights and the captions after PresetOffset changed.
  void ShowPresetPage();
  int preset_offset_ = 0;
  std::set<int> page_presets_;
  int current_preset_ = 0;
  // (end of preset section state)

  // Tuning section state.
  // The band scan's position: only band-scan ticks move it, so a scan goes on from where the
  // last one stood, whatever was tuned in between.
  double scan_freq_ = 88.0;
  bool scan_up_ = false;
  // True: the next press of that scan button starts a scan; false: it stops it.
  bool scan_down_toggle_ = true;
  bool scan_up_toggle_ = true;
  std::string direct_freq_text_;
  // (end of tuning section state)
};

}  // namespace orvaltic
