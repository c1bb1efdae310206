#pragma once

#include <vector>

#include "core/alarm/alarm_snooze_dialog.h"
#include "core/platform/dispatcher.h"
#include "gui/platform/core_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace orvaltic::gui {

class SpinEdit;

// The alarm/snooze time dialog: a view of the core's AlarmSnoozeDialog, whose caption says
// which time it sets. Showing it runs FormActivate; every change or click copies what the user
// typed into the model and runs the handler through the event dispatcher. Created once and
// reused; it opens centred on the screen and cannot be resized.
class TAlarmSnoozeFrm : public CoreDialog {
  Q_OBJECT

 public:
  TAlarmSnoozeFrm(AlarmSnoozeDialog& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);
  ~TAlarmSnoozeFrm() override;

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  void Opened() override;
  void ReadControls() override;
  void ShowControls() override;

 private:
  struct SpinField {
    SpinEdit* edit;
    std::string AlarmSnoozeDialogControls::*text;
    bool is_date;
  };

  AlarmSnoozeDialog& model_;
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
