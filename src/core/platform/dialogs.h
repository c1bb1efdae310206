#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/platform/font.h"

namespace orvaltic {

enum class MessageKind { kWarning, kError, kInformation, kConfirmation };
enum class MessageButtons { kOk, kYesNoCancel, kOkHelp };
enum class MessageResult { kOk, kYes, kNo, kCancel };

struct FileDialogOptions {
  std::string title;
  std::string file_name;  // offered first
  // "Description (*.EXT)|*.EXT|All Files (*.*)|*.*": pairs of description and pattern.
  std::string filter;
  std::string default_extension;   // without the point, appended when the user typed none
  bool must_exist = false;         // open: the path and the file must exist
  bool confirm_overwrite = false;  // save: ask before replacing an existing file
  bool path_must_exist = true;     // the folder of the chosen file must exist
};

// The modal dialogs the program shows. Every call blocks until the user answers; timers keep
// firing meanwhile.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box. With kOkHelp, the Help button opens the help at `help_context` and the
  // box stays open; the result is then kOk.
  virtual MessageResult MessageBox(const std::string& text, MessageKind kind,
                                   MessageButtons buttons, int help_context = 0) = 0;
  // The default system beep that precedes most error boxes.
  virtual void Beep() = 0;
  // Caption, prompt and an editable text; nullopt when cancelled.
  virtual std::optional<std::string> InputQuery(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& text) = 0;
  // The chosen file name with its path; nullopt when cancelled.
  virtual std::optional<std::string> OpenFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFileName(const FileDialogOptions& options) = 0;
  // The font dialog with effects (colour, underline, strike-out) and an Apply button, which
  // calls `on_apply` with the font as the dialog shows it. nullopt when cancelled.
  virtual std::optional<FontSpec> ChooseFont(
      const FontSpec& initial, const std::function<void(const FontSpec&)>& on_apply) = 0;
  virtual std::optional<Color> ChooseColor(Color initial) = 0;
};

}  // namespace orvaltic
