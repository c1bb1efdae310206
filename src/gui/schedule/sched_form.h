#pragma once

#include <array>
#include <deque>
#include <functional>
#include <utility>

#include <QDialog>

#include "core/platform/dispatcher.h"
#include "core/schedule/sched_editor.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace orvaltic::gui {

// The schedule editor: a view of the core's SchedEditor. Showing it runs FormActivate; every
// button copies what the user typed into the model and runs the handler through the event
// dispatcher.
//
// An edit is checked when the user leaves it with Tab, Shift+Tab or the mouse. The check runs
// once the focus has moved, outside Qt's focus change (its box takes the focus itself), and
// before any button's handler, so a refused entry stops the click. Leaving for Cancel is not
// checked: Cancel always closes.
class TSchedForm : public QDialog {
  Q_OBJECT

 public:
  TSchedForm(SchedEditor& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Field = std::pair<int, SchedField>;  // program 1..5 and the edit's kind

  void Run(const std::function<void()>& handler);
  // The checks of the edits the user left, in order; false when one was refused.
  bool RunFieldExits();
  void ReadControls();
  void ShowControls();
  void CentreOnScreen();
  QLineEdit*& Edit(int k, SchedField kind);

  SchedEditor& model_;
  EventDispatcher& dispatcher_;

  std::array<std::array<QLineEdit*, 4>, kSchedProgramCount> edits_{};
  QCheckBox* activate_ = nullptr;
  QPushButton* cancel_ = nullptr;

  std::deque<Field> left_fields_;
  bool in_field_exit_ = false;
};

}  // namespace orvaltic::gui
