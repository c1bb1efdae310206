#pragma once

namespace orvaltic {

// The dialogs the controller shows modally. Each one is created once, with the windows, and
// reused; its logic lives in the core, and the platform only shows it.
enum class ModalForm {
  kOptionsForm,  // TOptionsForm
  kPresetForm,   // TPresetForm
  // TAlarmSnoozeFrm, for the alarm or the snooze as its caption says
  kAlarmSnoozeFrm,
  kSchedForm,      // TSchedForm, the schedule editor
  kSchedListForm,  // TSchedListForm, the program status window
  kAbtForm,        // TAbtForm, the about box
};

// Shows a form modally: returns when the user has closed it. Timers keep firing meanwhile.
class ModalForms {
 public:
  virtual ~ModalForms() = default;
  virtual void ShowModal(ModalForm form) = 0;
};

}  // namespace orvaltic
