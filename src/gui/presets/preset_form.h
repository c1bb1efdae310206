#pragma once

#include <array>
#include <deque>
#include <functional>

#include <QDialog>

#include "core/platform/dispatcher.h"
#include "core/presets/preset_editor.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace orvaltic::gui {

// The preset editor: a view of the core's PresetEditor. Showing it runs FormActivate; every
// button copies what the user typed into the model and runs the handler through the event
// dispatcher, which shows a conversion or file error in its box while the dialog stays open.
//
// A frequency field is checked when the user leaves it with Tab, Shift+Tab or the mouse. The
// check runs once the focus has moved, outside Qt's focus change (its box takes the focus
// itself), and before any button's handler, so a refused entry stops the click as it would on
// leaving the field first. Leaving for Cancel is not checked: Cancel always closes.
class TPresetForm : public QDialog {
  Q_OBJECT

 public:
  TPresetForm(PresetEditor& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs a handler of the model between reading and showing the controls, after the pending
  // field checks; a refused field stops it.
  void Run(const std::function<void()>& handler);
  // The checks of the fields the user left, in order; false when one was refused.
  bool RunFieldExits();
  void ReadControls();
  void ShowControls();
  void CentreOnScreen();
  // The row (1..10) of a frequency field, 0 for anything else.
  int FreqRow(const QObject* object) const;

  PresetEditor& model_;
  EventDispatcher& dispatcher_;

  std::array<QLabel*, kPresetRows> row_labels_{};
  std::array<QLineEdit*, kPresetRows> freq_edits_{};
  std::array<QLineEdit*, kPresetRows> name_edits_{};
  QPushButton* cancel_ = nullptr;

  std::deque<int> left_rows_;
  bool in_field_exit_ = false;
};

}  // namespace orvaltic::gui
