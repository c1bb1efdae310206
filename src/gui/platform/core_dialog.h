#pragma once

#include <deque>
#include <functional>
#include <string>

#include <QDialog>

#include "core/platform/dispatcher.h"

class QAbstractButton;
class QComboBox;
class QEvent;
class QLineEdit;
class QShowEvent;

namespace orvaltic::gui {

// The window flags of a dialog with a fixed single border, the system menu and the close button.
inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Takes the widget's text into the core only when the user changed it: a text read from a file
// written on Windows is shown decoded, and must go back as the bytes it came as.
void ReadText(std::string& core, const QString& shown);
// Set a text only when it differs, so the caret stays where the user left it.
void SetText(QLineEdit* edit, const std::string& text);
void SetText(QComboBox* combo, const std::string& text);

// A Qt dialog that is a view of a core dialog class: every handler runs between copying the
// user's input into the model (ReadControls) and showing the model (ShowControls), through the
// event dispatcher, which shows a conversion or file error in its box while the dialog stays
// open. Opening the dialog (not its restoring by the window system) calls Opened.
//
// A dialog whose fields are checked when the user leaves them watches each of them with
// WatchFieldExit. The check (FieldExit) runs once the focus has moved, outside Qt's focus change
// (its box takes the focus itself), and before any handler and any key that reaches the field
// the focus went to, so a refused entry stops the click as it would on leaving the field first,
// and a text the check puts into that field is there, selected, before the user types over it.
// Leaving for the cancel button is not checked.
class CoreDialog : public QDialog {
  Q_OBJECT

 protected:
  CoreDialog(EventDispatcher& dispatcher, QWidget* parent, Qt::WindowFlags flags = {});

  void showEvent(QShowEvent* event) override;

  // The dialog was opened: run FormActivate and place the window.
  virtual void Opened() = 0;
  virtual void ReadControls() = 0;
  virtual void ShowControls() = 0;
  // The check of a field the user left; false when it was refused.
  virtual bool FieldExit(const QObject* field);

  // Runs a handler of the model between reading and showing the controls, after the pending
  // field checks; a refused field stops it.
  void Run(const std::function<void()>& handler);
  // Runs the cancel handler without the pending field checks (Cancel always closes) and hides
  // the dialog.
  void RunCancel(const std::function<void()>& handler);
  // A click of `button` runs `handler`.
  void ConnectRun(QAbstractButton* button, std::function<void()> handler);
  // A click of the OK button runs `handler` and closes the dialog when the model says it closed.
  void ConnectOk(QAbstractButton* ok, std::function<void()> handler, std::function<bool()> closed);
  // A click of the cancel button rejects the dialog; leaving a field for it is not checked.
  void ConnectCancel(QAbstractButton* cancel);
  // Notes that the user left `field` when `event` says so.
  void WatchFieldExit(QObject* field, QEvent* event);
  // Gives the focus to the control the model asked for, and forgets the request.
  void MoveFocus(std::string& focus);
  // Moves the whole window, frame included, into the middle of its screen.
  void CentreOnScreen();

  EventDispatcher& dispatcher() { return dispatcher_; }

 private:
  // The checks of the fields the user left, in order; false when one was refused.
  bool RunFieldExits();
  // Runs the pending checks before input reaches `target`, the widget the focus went to;
  // true when the input is to be dropped (a check refused its field).
  bool BeforeInput(QObject* target);

  EventDispatcher& dispatcher_;
  QAbstractButton* cancel_ = nullptr;
  std::deque<const QObject*> left_fields_;
  bool in_field_exit_ = false;
  class InputGate;
  InputGate* input_gate_ = nullptr;
};

}  // namespace orvaltic::gui
