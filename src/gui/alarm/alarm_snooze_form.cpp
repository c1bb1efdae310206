#include "gui/alarm/alarm_snooze_form.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <string>
#include <string_view>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

// A spin edit whose text is the model's: stepping shows single digits with a leading zero, as
// leaving the field after typing one does, and the model may rewrite the text.
class SpinEdit : public QSpinBox {
 public:
  SpinEdit(const SpinEditRange& range, QWidget* parent) : QSpinBox(parent) {
    // Without bounds, the field's length still limits the year.
    const bool bounded = range.min != range.max;
    setRange(bounded ? range.min : 0, bounded ? range.max : 9999);
    lineEdit()->setMaxLength(range.max_length);
    setFixedWidth(fontMetrics().horizontalAdvance(QString(range.max_length + 1, QLatin1Char('0'))) +
                  40);
  }

  void SetText(const QString& text) {
    if (lineEdit()->text() != text) {
      lineEdit()->setText(text);
    }
  }

 protected:
  QString textFromValue(int value) const override {
    return FromCoreText(TwoDigitText(std::to_string(value)));
  }
};

namespace {

// The dialog's spin edits, left to right, each with its label above it.
struct SpinRow {
  const char* name;
  const char* label;
  const char* accessible_name;
  SpinEditRange range;
  std::string AlarmSnoozeDialogControls::*text;
  // A plain function rather than a member pointer: GCC 12's AddressSanitizer build miscompiles
  // a member-function pointer called from inside a lambda.
  void (*exit)(AlarmSnoozeDialog&);
  bool is_date;
};

const SpinRow kSpinRows[] = {
    {"MonthSpinEdit", "Month", "Month", kMonthRange, &AlarmSnoozeDialogControls::MonthSpinEdit,
     [](AlarmSnoozeDialog& d) { d.MonthSpinEditExit(); }, true},
    {"DaySpinEdit", "Day", "Day", kDayRange, &AlarmSnoozeDialogControls::DaySpinEdit,
     [](AlarmSnoozeDialog& d) { d.DaySpinEditExit(); }, true},
    {"YearSpinEdit", "Year", "Year", kYearRange, &AlarmSnoozeDialogControls::YearSpinEdit,
     [](AlarmSnoozeDialog& d) { d.YearSpinEditExit(); }, true},
    {"HoursSpinEdit", "Hrs", "Hours", kHoursRange, &AlarmSnoozeDialogControls::HoursSpinEdit,
     [](AlarmSnoozeDialog& d) { d.HoursSpinEditExit(); }, false},
    {"MinutesSpinEdit", "Mins", "Minutes", kMinutesRange,
     &AlarmSnoozeDialogControls::MinutesSpinEdit,
     [](AlarmSnoozeDialog& d) { d.MinutesSpinEditExit(); }, false},
};

QLabel* MakeLabel(const QString& name, const char* caption, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(buddy);
  return label;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QString::fromLatin1(caption));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TAlarmSnoozeFrm::TAlarmSnoozeFrm(AlarmSnoozeDialog& model, EventDispatcher& dispatcher,
                                 QWidget* parent)
    : CoreDialog(dispatcher, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), model_(model) {
  setObjectName(QStringLiteral("AlarmSnoozeFrm"));
  setModal(true);

  group_ = new QGroupBox(this);
  group_->setObjectName(QStringLiteral("AlarmSnoozeGroupBox"));
  auto* grid = new QGridLayout(group_);
  int column = 0;
  for (const SpinRow& row : kSpinRows) {
    auto* edit = new SpinEdit(row.range, group_);
    edit->setObjectName(QString::fromLatin1(row.name));
    edit->setAccessibleName(QString::fromLatin1(row.accessible_name));
    grid->addWidget(MakeLabel(QString::fromLatin1(row.name).replace(QLatin1String("SpinEdit"),
                                                                    QLatin1String("Label")),
                              row.label, edit, group_),
                    0, column);
    grid->addWidget(edit, 1, column);
    spins_.push_back({edit, row.text, row.is_date});
    // Only once the user leaves the field (or presses Enter): a rewrite on every key would move
    // the caret and leave no room for the second digit.
    connect(edit, &QSpinBox::editingFinished, this, [this, exit = row.exit] {
      if (!showing_) {
        Run([this, exit] { exit(model_); });
      }
    });
    ++column;
  }

  ampm_ = new QComboBox(group_);
  ampm_->setObjectName(QStringLiteral("AMPMComboBox"));
  ampm_->setAccessibleName(QStringLiteral("AM or PM"));
  ampm_->view()->setAccessibleName(QStringLiteral("AM or PM choices"));
  ampm_->setEditable(true);
  ampm_->setInsertPolicy(QComboBox::NoInsert);
  ampm_->setCompleter(nullptr);
  for (const std::string_view item : kAMPMItems) {
    ampm_->addItem(FromCoreText(std::string(item)));
  }
  grid->addWidget(MakeLabel(QStringLiteral("AMPMLabel"), "am/pm", ampm_, group_), 0, column);
  grid->addWidget(ampm_, 1, column);

  include_date_ = new QCheckBox(QStringLiteral("Include date"), group_);
  include_date_->setObjectName(QStringLiteral("IncludeDateCheckBox"));
  include_date_->setAccessibleName(QStringLiteral("Include date"));
  grid->addWidget(include_date_, 2, 0, 1, column + 1);
  ConnectRun(include_date_, [this] { model_.IncludeDateCheckBoxClick(); });

  ok_ = MakeButton("OKBtn", "OK", this);
  ok_->setDefault(true);
  cancel_ = MakeButton("CancelBtn", "Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ConnectOk(
      ok_, [this] { model_.OKBtnClick(); }, [this] { return model_.closed(); });
  ConnectCancel(cancel_);
  ShowControls();
}

TAlarmSnoozeFrm::~TAlarmSnoozeFrm() {
  // A field that has the focus finishes its editing when the closing dialog takes the focus
  // away, by then too late to run a handler here.
  for (const SpinField& spin : spins_) {
    QObject::disconnect(spin.edit, nullptr, this, nullptr);
  }
}

void TAlarmSnoozeFrm::reject() {
  Run([this] { model_.CancelBtnClick(); });
  QDialog::reject();
}

void TAlarmSnoozeFrm::Opened() {
  Run([this] { model_.FormActivate(); });
  // Fitted to what the model shows before it is placed.
  adjustSize();
  CentreOnScreen();
  include_date_->setFocus(Qt::OtherFocusReason);
}

void TAlarmSnoozeFrm::ReadControls() {
  AlarmSnoozeDialogControls& c = model_.controls();
  for (const SpinField& spin : spins_) {
    ReadText(c.*spin.text, spin.edit->text());
  }
  ReadText(c.AMPMComboBox, ampm_->currentText());
  c.IncludeDateCheckBox = include_date_->isChecked();
}

void TAlarmSnoozeFrm::ShowControls() {
  AlarmSnoozeDialogControls& c = model_.controls();
  showing_ = true;
  setWindowTitle(FromCoreText(c.Caption));
  group_->setTitle(FromCoreText(c.AlarmSnoozeGroupBox));
  for (const SpinField& spin : spins_) {
    spin.edit->SetText(FromCoreText(c.*spin.text));
    if (spin.is_date) {
      spin.edit->setEnabled(c.DateSpinEditsEnabled);
    }
  }
  SetText(ampm_, c.AMPMComboBox);
  include_date_->setChecked(c.IncludeDateCheckBox);
  MoveFocus(c.focus);
  showing_ = false;
}

}  // namespace orvaltic::gui
