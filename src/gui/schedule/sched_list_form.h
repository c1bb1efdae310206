#pragma once

#include <array>

#include <QDialog>

#include "core/platform/dispatcher.h"
#include "core/schedule/sched_list.h"

class QLabel;
class QShowEvent;

namespace orvaltic::gui {

// The program status window: a view of the core's SchedList. Showing it runs FormActivate,
// which starts its clock; a click anywhere on it, Escape or the close button closes it, and the
// clock stops. The program's windows render it after every event while it is shown.
class TSchedListForm : public QDialog {
  Q_OBJECT

 public:
  TSchedListForm(SchedList& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

  // Shows the model's controls.
  void Render();

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  SchedList& model_;
  EventDispatcher& dispatcher_;

  QLabel* clock_ = nullptr;
  QLabel* scan_ = nullptr;
  std::array<QLabel*, kSchedProgramCount> lines_{};
  std::array<QLabel*, kSchedProgramCount> lights_{};
};

}  // namespace orvaltic::gui
