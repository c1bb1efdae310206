#pragma once

#include <array>

#include "core/platform/dispatcher.h"
#include "core/schedule/sched_editor.h"
#include "gui/platform/core_dialog.h"

class QCheckBox;
class QLineEdit;

namespace orvaltic::gui {

// The schedule editor: a view of the core's SchedEditor. Showing it runs FormActivate; every
// button copies what the user typed into the model and runs the handler through the event
// dispatcher.
//
// An edit is checked when the user leaves it with Tab, Shift+Tab or the mouse, before any
// button's handler runs. Leaving for Cancel is not checked: Cancel always closes.
class TSchedForm : public CoreDialog {
  Q_OBJECT

 public:
  TSchedForm(SchedEditor& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Opened() override;
  void ReadControls() override;
  void ShowControls() override;
  bool FieldExit(const QObject* field) override;

 private:
  QLineEdit*& Edit(int k, SchedField kind);

  SchedEditor& model_;

  std::array<std::array<QLineEdit*, 4>, kSchedProgramCount> edits_{};
  QCheckBox* activate_ = nullptr;
};

}  // namespace orvaltic::gui
