#pragma once

#include "core/options/options_dialog.h"
#include "core/platform/dispatcher.h"
#include "gui/platform/core_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvaltic::gui {

// The Options dialog: a view of the core's OptionsDialog. Showing it runs FormActivate; every
// click copies what the user typed into the model and runs the handler through the event
// dispatcher, which shows a conversion or file error in its box while the dialog stays open.
// Created once and reused; it opens centred on the screen.
class TOptionsForm : public CoreDialog {
  Q_OBJECT

 public:
  TOptionsForm(OptionsDialog& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  void Opened() override;
  void ReadControls() override;
  void ShowControls() override;

 private:
  OptionsDialog& model_;

  QComboBox* card_address_;
  QComboBox* radio_form_;
  QRadioButton* raised_;
  QRadioButton* recessed_;
  QComboBox* tune_rate_;
  QComboBox* fine_tune_rate_;
  QComboBox* scan_rate_;
  QComboBox* scan_method_;
  QRadioButton* radio_alarm_;
  QRadioButton* wave_alarm_;
  QLabel* wave_file_label_;
  QLineEdit* wave_file_edit_;
  QPushButton* test_wave_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace orvaltic::gui
