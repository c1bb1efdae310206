#pragma once

namespace orvaltic {

// What a click or a mouse move on a front-panel control does. Each style's layout gives every
// control that reacts its action, whatever the control is called on that style ("PwrBtn" on the
// main panel, "SpeedButton15" on style 7); the controller runs the handler of the action.
enum class PanelAction {
  kNone,
  kPower,              // PwrBtnClick
  kMute,               // MuteBtnClick
  kVolumeDown,         // DecVolumeBtnClick
  kVolumeUp,           // IncVolumeBtnClick
  kPreset,             // ActivatePresetButton(n), n = 1..10
  kMemory,             // MemoryBtnClick
  kPreviousPage,       // Prev10BtnClick
  kNextPage,           // Next10BtnClick
  kTuneDown,           // TuneDownBtnClick
  kTuneUp,             // TuneUpBtnClick
  kFineTuneDown,       // FineTuneDownBtnClick
  kFineTuneUp,         // FineTuneUpBtnClick
  kScanDown,           // ScanDownBtnClick
  kScanUp,             // ScanUpBtnClick
  kDirectAccess,       // DirectAccessBtnClick
  kBorder,             // BorderBtnClick: the border of all seven panels on/off
  kMinimize,           // Label3Click
  kCloseAlarmStatus,   // AlarmPanelClick, on the reporting panel
  kCloseSnoozeStatus,  // SnoozePanelClick, on the reporting panel
  kShowFileName,       // Label1MouseMove: the FM label's hint, on the reporting panel
  kShowStationName,    // PresetMouseMove(n): a preset button's hint, n = 1..10
  kAlarm,              // AlarmBtnClick: the alarm on/off
  kSnooze,             // SnoozeBtnClick: the snooze on/off
  kShowAlarmStatus,    // AlarmDisplayLabelClick, on the reporting panel
  kShowSnoozeStatus,   // SnoozeDisplayLabelClick, on the reporting panel
  kShowProgramStatus,  // ProgLabelClick: the program status window
  kHelp,               // HelpBtnClick: help topic 1
  kPresetDrawer,       // DownLeftBtnClick: style 5's preset drawer open/closed
  kControlsDrawer,     // DownRightBtnClick: style 5's controls drawer open/closed
};

// One control's reaction: the action and, for the preset actions, the button number.
struct ControlAction {
  PanelAction action = PanelAction::kNone;
  int n = 0;
  friend bool operator==(const ControlAction&, const ControlAction&) = default;
};

}  // namespace orvaltic
