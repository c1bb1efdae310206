#include "core/schedule/sched_editor.h"

#include <utility>

namespace orvaltic {

namespace {

const char* Stem(SchedField kind) {
  switch (kind) {
    case SchedField::kFrequency:
      return "Freq";
    case SchedField::kDateDay:
      return "Date";
    case SchedField::kTimeBegin:
      return "Begin";
    case SchedField::kTimeEnd:
      return "End";
  }
  return "";
}

}  // namespace

std::string& SchedRowControls::Field(SchedField kind) {
  switch (kind) {
    case SchedField::kFrequency:
      return FreqEdit;
    case SchedField::kDateDay:
      return DateEdit;
    case SchedField::kTimeBegin:
      return BeginEdit;
    case SchedField::kTimeEnd:
      break;
  }
  return EndEdit;
}

std::string SchedEditName(int k, SchedField kind) {
  return "Prg" + std::to_string(k) + Stem(kind) + "Edit";
}

SchedEditor::SchedEditor(SchedPrograms& programs, const PresetStore& presets, Services services)
    : programs_(programs), presets_(presets), services_(std::move(services)) {}

void SchedEditor::FormActivate() {
  closed_ = false;
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    const SchedRec& program = programs_.Program(k);
    controls_.Prg.at(static_cast<std::size_t>(k - 1)) = {program.Frequency, program.DateDay,
                                                         program.TimeBegin, program.TimeEnd};
  }
  // A box ticked and then cancelled would otherwise claim a schedule that is off.
  controls_.ActivateCheckBox = services_.schedule_on();
}

bool SchedEditor::FieldExit(int k, SchedField kind) {
  std::string& edit = controls_.Prg.at(static_cast<std::size_t>(k - 1)).Field(kind);
  std::string text = edit;
  const bool valid = ValidateScheduleField(k, text, kind);
  // The date/day edit keeps what the user typed.
  if (kind != SchedField::kDateDay) {
    edit = std::move(text);
  }
  return valid;
}

bool SchedEditor::ValidateScheduleField(int k, std::string& text, SchedField kind) {
  const std::optional<std::string> refused = CheckScheduleField(text, kind, presets_);
  if (!refused) {
    return true;
  }
  services_.dialogs.Beep();
  services_.dialogs.MessageBox(*refused, MessageKind::kError, MessageButtons::kOk);
  controls_.focus = SchedEditName(k, kind);
  return false;
}

void SchedEditor::OKBtnClick() {
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    const SchedRowControls& row = controls_.Prg.at(static_cast<std::size_t>(k - 1));
    programs_.Program(k) = {row.FreqEdit, row.DateEdit, row.BeginEdit, row.EndEdit};
  }
  if (controls_.ActivateCheckBox != services_.schedule_on()) {
    services_.activate3_click();
  }
  closed_ = true;
}

void SchedEditor::CancelBtnClick() {
  closed_ = true;
}

void SchedEditor::ClearBtnClick() {
  services_.dialogs.Beep();
  if (services_.dialogs.MessageBox(kClearSchedulesQuestion, MessageKind::kWarning,
                                   MessageButtons::kYesNoCancel) != MessageResult::kYes) {
    return;
  }
  programs_ = SchedPrograms{};
  controls_.Prg = {};
}

void SchedEditor::HelpBtnClick() {
  services_.help_files.SetApplicationHelpFile(kScheduleHelpFile);
  services_.help.WinHelp(services_.help_files.ApplicationHelpFile(), kHelpContext,
                         kScheduleHelpContext);
}

}  // namespace orvaltic
