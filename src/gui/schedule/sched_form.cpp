#include "gui/schedule/sched_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstddef>
#include <string>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

constexpr int kClientWidth = 424;
constexpr int kClientHeight = 260;

enum class Kind { kButton, kCheckBox, kLabel };

// One control outside the rows, in tab order after them.
struct ControlSpec {
  const char* name;
  Kind kind;
  int x, y, width, height;
  const char* caption;
  const char* hint;
  const char* accessible_name;
};

constexpr ControlSpec kBelow[] = {
    {"ActivateCheckBox", Kind::kCheckBox, 8, 226, 84, 23, "Activate",
     "Select to start scheduling timer", "Activate schedule"},
    {"OKBtn", Kind::kButton, 104, 224, 74, 27, "&OK", "Accept entries and return to radio", "OK"},
    {"CancelBtn", Kind::kButton, 184, 224, 74, 27, "&Cancel", "Reject changes and return to radio",
     "Cancel"},
    {"ClearBtn", Kind::kButton, 264, 224, 74, 27, "C&lear", "Erase all data",
     "Clear all schedules"},
    {"HelpBtn", Kind::kButton, 344, 224, 74, 27, "&Help", "Display help on program scheduling",
     "Help"},
};

// The group's columns: the two-line head and the edits below it, one per program. "%1" in a
// name or an accessible name stands for the program.
struct ColumnSpec {
  SchedField kind;
  int x, width;
  const char* head;
  const char* form;
  const char* accessible_name;
};

constexpr ColumnSpec kColumns[] = {
    {SchedField::kFrequency, 60, 80, "Frequency", "(00.000)", "Program %1 frequency or station"},
    {SchedField::kDateDay, 148, 80, "Date/Day", "(mm/dd/yy)", "Program %1 date or day"},
    {SchedField::kTimeBegin, 236, 80, "Time Begin", "(hh:mm PM)", "Program %1 begin time"},
    {SchedField::kTimeEnd, 324, 80, "Time End", "(hh:mm PM)", "Program %1 end time"},
};
constexpr int kHeadY = 16;
constexpr int kFirstRowY = 56;
constexpr int kRowStep = 30;

QLabel* MakeLabel(const QString& name, const QString& caption, QRect place, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  return label;
}

std::size_t Index(int k) {
  return static_cast<std::size_t>(k - 1);
}

std::size_t Column(SchedField kind) {
  return static_cast<std::size_t>(kind);
}

}  // namespace

TSchedForm::TSchedForm(SchedEditor& model, EventDispatcher& dispatcher, QWidget* parent)
    : CoreDialog(dispatcher, parent), model_(model) {
  setObjectName(QStringLiteral("SchedForm"));
  setWindowTitle(QStringLiteral("Schedules"));
  setModal(true);
  setWindowFlags(kFixedDialogFlags);
  setFixedSize(kClientWidth, kClientHeight);

  auto* group = new QGroupBox(QStringLiteral("Program Schedules"), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  group->setGeometry(8, 4, kClientWidth - 16, kFirstRowY + kRowStep * kSchedProgramCount + 4);
  for (const ColumnSpec& column : kColumns) {
    const QString stem = QString::fromStdString(SchedEditName(1, column.kind)).mid(4).chopped(4);
    MakeLabel(stem + QStringLiteral("HeadLabel"), QString::fromLatin1(column.head),
              QRect(column.x, kHeadY, column.width, 18), group);
    MakeLabel(stem + QStringLiteral("FormLabel"), QString::fromLatin1(column.form),
              QRect(column.x, kHeadY + 18, column.width, 18), group);
  }

  QWidget* previous = nullptr;
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    const int y = kFirstRowY + kRowStep * (k - 1);
    QLabel* row_label = MakeLabel(QStringLiteral("Prog%1Label").arg(k),
                                  QStringLiteral("Prog %1:").arg(k), QRect(6, y, 50, 21), group);
    for (const ColumnSpec& column : kColumns) {
      auto* edit = new QLineEdit(group);
      edit->setObjectName(QString::fromStdString(SchedEditName(k, column.kind)));
      edit->setAccessibleName(QString::fromLatin1(column.accessible_name).arg(k));
      edit->setGeometry(column.x, y, column.width, 21);
      edit->installEventFilter(this);
      if (column.kind == SchedField::kFrequency) {
        row_label->setBuddy(edit);
      }
      if (previous != nullptr) {
        QWidget::setTabOrder(previous, edit);
      }
      previous = edit;
      Edit(k, column.kind) = edit;
    }
  }

  for (const ControlSpec& control : kBelow) {
    QWidget* widget = nullptr;
    const QString caption = QString::fromLatin1(control.caption);
    if (control.kind == Kind::kCheckBox) {
      activate_ = new QCheckBox(caption, this);
      widget = activate_;
    } else {
      auto* button = new QPushButton(caption, this);
      button->setAutoDefault(false);
      widget = button;
      const std::string name = control.name;
      if (name == "OKBtn") {
        ConnectOk(
            button, [this] { model_.OKBtnClick(); }, [this] { return model_.closed(); });
      } else if (name == "CancelBtn") {
        ConnectCancel(button);
      } else if (name == "ClearBtn") {
        ConnectRun(button, [this] { model_.ClearBtnClick(); });
      } else if (name == "HelpBtn") {
        ConnectRun(button, [this] { model_.HelpBtnClick(); });
      }
    }
    widget->setObjectName(QString::fromLatin1(control.name));
    widget->setGeometry(control.x, control.y, control.width, control.height);
    widget->setToolTip(QString::fromLatin1(control.hint));
    widget->setAccessibleName(QString::fromLatin1(control.accessible_name));
    QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  ShowControls();
}

QLineEdit*& TSchedForm::Edit(int k, SchedField kind) {
  return edits_.at(Index(k)).at(Column(kind));
}

void TSchedForm::reject() {
  RunCancel([this] { model_.CancelBtnClick(); });
}

void TSchedForm::Opened() {
  CentreOnScreen();
  Run([this] { model_.FormActivate(); });
  Edit(1, SchedField::kFrequency)->setFocus(Qt::OtherFocusReason);
}

bool TSchedForm::eventFilter(QObject* watched, QEvent* event) {
  // Only the edits are watched.
  WatchFieldExit(watched, event);
  return QDialog::eventFilter(watched, event);
}

bool TSchedForm::FieldExit(const QObject* field) {
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    for (const ColumnSpec& column : kColumns) {
      if (field == Edit(k, column.kind)) {
        return model_.FieldExit(k, column.kind);
      }
    }
  }
  return true;
}

void TSchedForm::ReadControls() {
  SchedEditorControls& c = model_.controls();
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    for (const ColumnSpec& column : kColumns) {
      ReadText(c.Prg.at(Index(k)).Field(column.kind), Edit(k, column.kind)->text());
    }
  }
  c.ActivateCheckBox = activate_->isChecked();
}

void TSchedForm::ShowControls() {
  SchedEditorControls& c = model_.controls();
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    for (const ColumnSpec& column : kColumns) {
      SetText(Edit(k, column.kind), c.Prg.at(Index(k)).Field(column.kind));
    }
  }
  activate_->setChecked(c.ActivateCheckBox);
  MoveFocus(c.focus);
}

}  // namespace orvaltic::gui
