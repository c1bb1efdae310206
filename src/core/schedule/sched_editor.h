#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/platform/dialogs.h"
#include "core/platform/help.h"
#include "core/presets/preset_store.h"
#include "core/schedule/sched_field.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

inline constexpr char kClearSchedulesQuestion[] =
    "You are about to clear all schedules.\r\nOnce erased, the data cannot be recovered.\r\n\n"
    "Is this your choice?";
inline constexpr char kScheduleHelpFile[] = "Orvaltic.HLP";
inline constexpr int kScheduleHelpContext = 26;

// The edits of one program's row.
struct SchedRowControls {
  std::string FreqEdit;
  std::string DateEdit;
  std::string BeginEdit;
  std::string EndEdit;

  std::string& Field(SchedField kind);
  friend bool operator==(const SchedRowControls&, const SchedRowControls&) = default;
};

// What the schedule editor's controls show: program k's row is element k - 1. The Qt dialog
// copies the user's input in before a handler runs and renders it after.
struct SchedEditorControls {
  std::array<SchedRowControls, kSchedProgramCount> Prg;
  // Mirrors the schedule's on/off state; OK switches the schedule to match it.
  bool ActivateCheckBox = false;
  // The control a handler moved the keyboard focus to; the view moves it and clears this.
  std::string focus;

  friend bool operator==(const SchedEditorControls&, const SchedEditorControls&) = default;
};

// The name of program k's edit of `kind`: "Prg3DateEdit".
std::string SchedEditName(int k, SchedField kind);

// The logic of TSchedForm: the five programs' twenty edits with their field checks, OK, Cancel,
// Clear and Help. Created once and reused.
class SchedEditor {
 public:
  struct Services {
    Dialogs& dialogs;
    Help& help;
    HelpFiles& help_files;
    // The schedule's state, and its switch (Activate3Click).
    std::function<bool()> schedule_on;
    std::function<void()> activate3_click;
  };

  SchedEditor(SchedPrograms& programs, const PresetStore& presets, Services services);

  SchedEditorControls& controls() { return controls_; }
  const SchedEditorControls& controls() const { return controls_; }
  // True once OK or Cancel was pressed; the view then closes the dialog.
  bool closed() const { return closed_; }

  // Fills the edits from the programs and the box from the schedule's state.
  void FormActivate();
  // The exit handler of program k's edit of `kind` (Prg1FreqEditExit .. Prg5EndEditExit). False
  // when the text was refused: the box has been shown and the focus asked back.
  bool FieldExit(int k, SchedField kind);
  // The check of one field: may rewrite `text`; a refusal beeps, shows its box and asks the
  // focus back into that edit.
  bool ValidateScheduleField(int k, std::string& text, SchedField kind);
  // Stores all twenty edits unchecked and switches the schedule as the box says.
  void OKBtnClick();
  void CancelBtnClick();
  // Asks first; Yes empties all programs and edits at once.
  void ClearBtnClick();
  void HelpBtnClick();

 private:
  SchedPrograms& programs_;
  const PresetStore& presets_;
  Services services_;
  SchedEditorControls controls_;
  bool closed_ = false;
};

}  // namespace orvaltic
