#include "gui/options/options_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>
#include <string_view>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

template <typename Items>
QComboBox* MakeComboBox(const char* name, const Items& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setEditable(true);
  // The items are suggestions: what the user types is taken as typed, and never added to them.
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  combo->setMinimumContentsLength(10);
  for (const std::string_view item : items) {
    combo->addItem(FromCoreText(std::string(item)));
  }
  return combo;
}

QRadioButton* MakeRadioButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QRadioButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

QFormLayout* MakeFormLayout(QWidget* parent) {
  auto* form = new QFormLayout(parent);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return form;
}

void SetChecked(QRadioButton* button, QRadioButton* other, bool checked) {
  // The checked button of an exclusive pair can only be unchecked by checking the other.
  if (checked) {
    button->setChecked(true);
  } else if (button->isChecked()) {
    other->setChecked(true);
  }
}

}  // namespace

TOptionsForm::TOptionsForm(OptionsDialog& model, EventDispatcher& dispatcher, QWidget* parent)
    : CoreDialog(dispatcher, parent), model_(model) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(QStringLiteral("Options"));
  setModal(true);

  auto* card_group = new QGroupBox(QStringLiteral("Radio Card"), this);
  card_address_ = MakeComboBox("RTCardAddressComboBox", kCardAddressItems, card_group);
  MakeFormLayout(card_group)->addRow(QStringLiteral("Radio card address:"), card_address_);

  auto* form_group = new QGroupBox(QStringLiteral("Radio Form"), this);
  radio_form_ = MakeComboBox("RadioFormComboBox", kRadioFormItems, form_group);
  raised_ = MakeRadioButton("RaisedFormRadioBtn", "Raised", form_group);
  recessed_ = MakeRadioButton("RecessedFormRadioBtn", "Recessed", form_group);
  auto* bevel_row = new QHBoxLayout;
  bevel_row->addWidget(raised_);
  bevel_row->addWidget(recessed_);
  bevel_row->addStretch();
  QFormLayout* form_layout = MakeFormLayout(form_group);
  form_layout->addRow(QStringLiteral("Start up radio form:"), radio_form_);
  form_layout->addRow(bevel_row);

  auto* tune_group = new QGroupBox(QStringLiteral("Tune"), this);
  tune_rate_ = MakeComboBox("TuneRateComboBox", kTuneRateItems, tune_group);
  fine_tune_rate_ = MakeComboBox("FineTuneRateComboBox", kFineTuneRateItems, tune_group);
  scan_rate_ = MakeComboBox("ScanRateComboBox", kScanRateItems, tune_group);
  scan_method_ = MakeComboBox("ScanMethodComboBox", kScanMethodItems, tune_group);
  QFormLayout* tune_layout = MakeFormLayout(tune_group);
  tune_layout->addRow(QStringLiteral("Tune rate (MHz):"), tune_rate_);
  tune_layout->addRow(QStringLiteral("Fine tune rate (MHz):"), fine_tune_rate_);
  tune_layout->addRow(QStringLiteral("Scan rate (millisecs):"), scan_rate_);
  tune_layout->addRow(QStringLiteral("Scan method:"), scan_method_);

  auto* alarm_group = new QGroupBox(QStringLiteral("Type of Alarm"), this);
  radio_alarm_ = MakeRadioButton("RadioRadioBtn", "Radio", alarm_group);
  wave_alarm_ = MakeRadioButton("WaveFileRadioBtn", "Wave file", alarm_group);
  wave_file_label_ = new QLabel(QStringLiteral("Name of wave file:"), alarm_group);
  wave_file_label_->setObjectName(QStringLiteral("WaveFileNameLabel"));
  wave_file_edit_ = new QLineEdit(alarm_group);
  wave_file_edit_->setObjectName(QStringLiteral("WaveFileNameEdit"));
  wave_file_label_->setBuddy(wave_file_edit_);
  test_wave_ = MakeButton("TestWaveFileBtn", "Test Wave File", alarm_group);
  auto* alarm_type_row = new QHBoxLayout;
  alarm_type_row->addWidget(radio_alarm_);
  alarm_type_row->addWidget(wave_alarm_);
  alarm_type_row->addStretch();
  auto* alarm_layout = new QGridLayout(alarm_group);
  alarm_layout->addLayout(alarm_type_row, 0, 0, 1, 3);
  alarm_layout->addWidget(wave_file_label_, 1, 0);
  alarm_layout->addWidget(wave_file_edit_, 1, 1);
  alarm_layout->addWidget(test_wave_, 1, 2);
  alarm_layout->setColumnStretch(1, 1);

  ok_ = MakeButton("OKButton", "OK", this);
  ok_->setDefault(true);
  cancel_ = MakeButton("CancelButton", "Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* left = new QVBoxLayout;
  left->addWidget(card_group);
  left->addWidget(form_group);
  left->addStretch();
  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(12);
  layout->setVerticalSpacing(10);
  layout->addLayout(left, 0, 0);
  layout->addWidget(tune_group, 0, 1);
  layout->addWidget(alarm_group, 1, 0, 1, 2);
  layout->addLayout(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ConnectOk(
      ok_, [this] { model_.OKButtonClick(); }, [this] { return model_.closed(); });
  ConnectCancel(cancel_);
  ConnectRun(radio_alarm_, [this] { model_.RadioRadioBtnClick(); });
  ConnectRun(wave_alarm_, [this] { model_.WaveFileRadioBtnClick(); });
  ConnectRun(test_wave_, [this] { model_.TestWaveFileBtnClick(); });
}

void TOptionsForm::reject() {
  Run([this] { model_.CancelButtonClick(); });
  QDialog::reject();
}

void TOptionsForm::Opened() {
  adjustSize();
  CentreOnScreen();
  Run([this] { model_.FormActivate(); });
}

void TOptionsForm::ReadControls() {
  OptionsDialogControls& c = model_.controls();
  ReadText(c.RTCardAddressComboBox, card_address_->currentText());
  ReadText(c.RadioFormComboBox, radio_form_->currentText());
  ReadText(c.TuneRateComboBox, tune_rate_->currentText());
  ReadText(c.FineTuneRateComboBox, fine_tune_rate_->currentText());
  ReadText(c.ScanRateComboBox, scan_rate_->currentText());
  ReadText(c.ScanMethodComboBox, scan_method_->currentText());
  c.RaisedFormRadioBtn = raised_->isChecked();
  c.RecessedFormRadioBtn = recessed_->isChecked();
  c.RadioRadioBtn = radio_alarm_->isChecked();
  c.WaveFileRadioBtn = wave_alarm_->isChecked();
  ReadText(c.WaveFileNameEdit, wave_file_edit_->text());
}

void TOptionsForm::ShowControls() {
  OptionsDialogControls& c = model_.controls();
  SetText(card_address_, c.RTCardAddressComboBox);
  SetText(radio_form_, c.RadioFormComboBox);
  SetText(tune_rate_, c.TuneRateComboBox);
  SetText(fine_tune_rate_, c.FineTuneRateComboBox);
  SetText(scan_rate_, c.ScanRateComboBox);
  SetText(scan_method_, c.ScanMethodComboBox);
  SetChecked(raised_, recessed_, c.RaisedFormRadioBtn);
  SetChecked(recessed_, raised_, c.RecessedFormRadioBtn);
  SetChecked(radio_alarm_, wave_alarm_, c.RadioRadioBtn);
  SetChecked(wave_alarm_, radio_alarm_, c.WaveFileRadioBtn);
  SetText(wave_file_edit_, c.WaveFileNameEdit);
  wave_file_label_->setEnabled(c.WaveFileNameLabelEnabled);
  wave_file_edit_->setEnabled(c.WaveFileNameEditEnabled);
  test_wave_->setEnabled(c.TestWaveFileBtnEnabled);
  MoveFocus(c.focus);
}

}  // namespace orvaltic::gui
