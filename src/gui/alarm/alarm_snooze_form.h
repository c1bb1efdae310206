#pragma once

#include <functional>
#include <vector>

#include <QDialog>

#include "core/alarm/alarm_snooze_dialog.h"
#include "core/platform/dispatcher.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QShowEvent;

namespace orvaltic::gui {

class SpinEdit;

// The alarm/snooze time dialog: a view of the core's AlarmSnoozeDialog, whose caption says
// which time it sets. Showing it runs FormActivate; every change or click copies what the user
// typed into the model and runs the handler through the event dispatcher. Created once and
// reused; it opens centred on the screen and cannot be resized.
class TAlarmSnoozeFrm : public QDialog {
  Q_OBJECT

 public:
  TAlarmSnoozeFrm(AlarmSnoozeDialog& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct SpinField {
    SpinEdit* edit;
    std::string AlarmSnoozeDialogControls::*text;
    void (AlarmSnoozeDialog::*change)();
    bool is_date;
  };

  // Runs a handler of the model between reading and showing the controls.
  void Run(const std::function<void()>& handler);
  void ReadControls();
  void ShowControls();
  void CentreOnScreen();

  AlarmSnoozeDialog& model_;
  EventDispatcher& dispatcher_;
  // Set while the controls show the model, so that their change signals are not taken as
  // the user's.
  bool showing_ = false;

  QGroupBox* group_;
  std::vector<SpinField> spins_;
  QComboBox* ampm_;
  QCheckBox* include_date_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace orvaltic::gui
