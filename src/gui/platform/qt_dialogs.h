#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/platform/dialogs.h"

class QFileDialog;
class QMessageBox;

namespace orvaltic::gui {

// The program's modal dialogs in Qt. Boxes are parented to the given widget, or to the active
// window when there is none.
class QtDialogs : public Dialogs {
 public:
  // `show_help` opens the help at a context number (the Help button of a message box).
  explicit QtDialogs(std::function<void(int context)> show_help, QWidget* parent = nullptr);

  MessageResult MessageBox(const std::string& text, MessageKind kind, MessageButtons buttons,
                           int help_context = 0) override;
  void Beep() override;
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override;
  std::optional<std::string> OpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> SaveFileName(const FileDialogOptions& options) override;
  std::optional<FontSpec> ChooseFont(const FontSpec& initial,
                                     const std::function<void(const FontSpec&)>& on_apply) override;
  std::optional<Color> ChooseColor(Color initial) override;

 private:
  QWidget* Parent() const;
  // Puts a dialog that changes the panel beside it, clear of its display.
  void PlaceBesidePanel(QWidget& dialog) const;
  std::optional<std::string> RunFileDialog(const FileDialogOptions& options, bool save);

  std::function<void(int)> show_help_;
  QPointer<QWidget> parent_;
};

// The message box for `text`, `kind` and `buttons`, before it is shown.
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, MessageKind kind,
                                            MessageButtons buttons, QWidget* parent);

// A file dialog set up from `options`, before it is shown. Qt's own dialog rather than the
// desktop's, so that it behaves the same everywhere.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogOptions& options, bool save,
                                            QWidget* parent);

// Turns "Text files (*.TXT)|*.TXT|All Files (*.*)|*.*" (pairs of a description and patterns
// separated by ";") into Qt's "Text files (*.TXT);;All Files (*)". A pattern list in brackets
// at the end of a description is replaced by the real patterns; "*.*" means every file. An
// unpaired description at the end and pairs without patterns are dropped.
QString ConvertFilter(const std::string& filter);

}  // namespace orvaltic::gui
