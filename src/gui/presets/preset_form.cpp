#include "gui/presets/preset_form.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstddef>
#include <string>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

constexpr int kClientWidth = 447;
constexpr int kClientHeight = 319;

enum class Kind { kButton, kGroup, kLabel, kRowLabel, kEdit };

// One control of the window. In a row control, "%1" in the name and the accessible name
// stands for the row (name) or the preset shown in it (accessible name).
struct ControlSpec {
  const char* name;
  Kind kind;
  int x, y, width, height;  // in the window, or in the group for the group's controls
  const char* caption;
  const char* hint;
  const char* accessible_name;
};

// The button column at the right, in tab order, before the group.
constexpr ControlSpec kButtons[] = {
    {"OKBtn", Kind::kButton, 356, 14, 83, 27, "&OK", "Accept entries and return to radio", "OK"},
    {"CancelBtn", Kind::kButton, 356, 47, 83, 27, "&Cancel", "Cancel entries and return to radio",
     "Cancel"},
    {"PrevBtn", Kind::kButton, 356, 80, 83, 27, "&Previous", "Display the previous 10 entries",
     "Previous 10 presets"},
    {"NextBtn", Kind::kButton, 356, 113, 83, 27, "&Next", "Display the next 10 entries",
     "Next 10 presets"},
    {"EditBtn", Kind::kButton, 356, 146, 83, 27, "&Edit", "Edit data", "Edit presets"},
    {"ClearBtn", Kind::kButton, 356, 179, 83, 27, "C&lear", "", "Clear all presets"},
};

constexpr ControlSpec kGroup = {"GroupBox1",
                                Kind::kGroup,
                                8,
                                8,
                                337,
                                303,
                                "Presets and Station IDs",
                                "",
                                "Presets and Station IDs"};

constexpr ControlSpec kColumnTitles[] = {
    {"Label21", Kind::kLabel, 40, 18, 75, 16, "Presets", "", "Presets"},
    {"Label22", Kind::kLabel, 123, 18, 202, 16, "Station IDs", "", "Station IDs"},
};

// One row of the group; row r stands `kRowStep` * (r - 1) below the first. The row label's
// caption comes from the model.
constexpr int kFirstRowY = 38;
constexpr int kRowStep = 26;
constexpr ControlSpec kRowLabel = {"Label%1", Kind::kRowLabel, 4, 2, 32, 17, "", "", ""};
constexpr ControlSpec kFreqEdit = {
    "PresetEdit%1",       Kind::kEdit, 40, 0, 75, 21, "", "Double click for direct access",
    "Preset %1 frequency"};
constexpr ControlSpec kNameEdit = {"StationNameEdit%1",     Kind::kEdit, 123, 0, 202, 21, "", "",
                                   "Preset %1 station name"};
constexpr char kFreqEditDescription[] =
    "Double click or press Enter to tune this frequency at once";

QString Fill(const char* pattern, int number) {
  return QString::fromLatin1(pattern).arg(number);
}

// Creates a control of the table; the row number fills a row control's name.
QWidget* Create(const ControlSpec& control, QWidget* parent, int row = 0) {
  QWidget* widget = nullptr;
  const QString caption = QString::fromLatin1(control.caption);
  switch (control.kind) {
    case Kind::kButton: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);
      widget = button;
      break;
    }
    case Kind::kGroup:
      widget = new QGroupBox(caption, parent);
      break;
    case Kind::kLabel:
    case Kind::kRowLabel: {
      auto* label = new QLabel(caption, parent);
      label->setTextFormat(Qt::PlainText);
      if (control.kind == Kind::kRowLabel) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      widget = label;
      break;
    }
    case Kind::kEdit:
      widget = new QLineEdit(parent);
      break;
  }
  const int y = row == 0 ? control.y : kFirstRowY + kRowStep * (row - 1) + control.y;
  widget->setGeometry(control.x, y, control.width, control.height);
  widget->setObjectName(row == 0 ? QString::fromLatin1(control.name) : Fill(control.name, row));
  widget->setToolTip(QString::fromLatin1(control.hint));
  if (row == 0 && *control.accessible_name != '\0') {
    widget->setAccessibleName(QString::fromLatin1(control.accessible_name));
  }
  return widget;
}

std::size_t Index(int r) {
  return static_cast<std::size_t>(r - 1);
}

}  // namespace

TPresetForm::TPresetForm(PresetEditor& model, EventDispatcher& dispatcher, QWidget* parent)
    : CoreDialog(dispatcher, parent), model_(model) {
  setObjectName(QStringLiteral("PresetForm"));
  setWindowTitle(QStringLiteral("Presets"));
  setModal(true);
  // A fixed single border with the system menu and the minimise button.
  setWindowFlags(kFixedDialogFlags | Qt::WindowMinimizeButtonHint);
  setFixedSize(kClientWidth, kClientHeight);

  QWidget* previous = nullptr;
  const auto chain = [&previous](QWidget* next) {
    if (previous != nullptr) {
      QWidget::setTabOrder(previous, next);
    }
    previous = next;
  };
  for (const ControlSpec& control : kButtons) {
    auto* button = static_cast<QPushButton*>(Create(control, this));
    chain(button);
    const std::string name = control.name;
    if (name == "OKBtn") {
      ConnectOk(
          button, [this] { model_.OKBtnClick(); }, [this] { return model_.closed(); });
    } else if (name == "CancelBtn") {
      ConnectCancel(button);
    } else if (name == "PrevBtn") {
      ConnectRun(button, [this] { model_.PrevBtnClick(); });
    } else if (name == "NextBtn") {
      ConnectRun(button, [this] { model_.NextBtnClick(); });
    } else if (name == "EditBtn") {
      ConnectRun(button, [this] { model_.EditBtnClick(); });
    } else if (name == "ClearBtn") {
      ConnectRun(button, [this] { model_.ClearBtnClick(); });
    }
  }

  QWidget* group = Create(kGroup, this);
  for (const ControlSpec& control : kColumnTitles) {
    Create(control, group);
  }
  for (int r = 1; r <= kPresetRows; ++r) {
    row_labels_[Index(r)] = static_cast<QLabel*>(Create(kRowLabel, group, r));
    auto* freq = static_cast<QLineEdit*>(Create(kFreqEdit, group, r));
    freq->setAccessibleDescription(QString::fromLatin1(kFreqEditDescription));
    freq->installEventFilter(this);
    freq_edits_[Index(r)] = freq;
    name_edits_[Index(r)] = static_cast<QLineEdit*>(Create(kNameEdit, group, r));
    // The zig-zag: odd rows frequency then name, even rows name then frequency.
    if (r % 2 == 1) {
      chain(freq);
      chain(name_edits_[Index(r)]);
    } else {
      chain(name_edits_[Index(r)]);
      chain(freq);
    }
  }
  ShowControls();
}

void TPresetForm::reject() {
  RunCancel([this] { model_.CancelBtnClick(); });
}

void TPresetForm::Opened() {
  CentreOnScreen();
  Run([this] { model_.FormActivate(); });
}

bool TPresetForm::eventFilter(QObject* watched, QEvent* event) {
  const int r = FreqRow(watched);
  if (r == 0) {
    return QDialog::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::FocusOut:
      WatchFieldExit(watched, event);
      break;
    case QEvent::MouseButtonDblClick:
      Run([this, r] { model_.PresetEditDblClick(r); });
      break;
    case QEvent::KeyPress: {
      // The keyboard's way to the double click's direct access.
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Run([this, r] { model_.PresetEditDblClick(r); });
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

bool TPresetForm::FieldExit(const QObject* field) {
  return model_.PresetEditExit(FreqRow(field));
}

void TPresetForm::ReadControls() {
  PresetEditorControls& c = model_.controls();
  for (int r = 1; r <= kPresetRows; ++r) {
    ReadText(c.PresetEdit[Index(r)], freq_edits_[Index(r)]->text());
    ReadText(c.StationNameEdit[Index(r)], name_edits_[Index(r)]->text());
  }
}

void TPresetForm::ShowControls() {
  PresetEditorControls& c = model_.controls();
  for (int r = 1; r <= kPresetRows; ++r) {
    const int preset = model_.EditPageLast() - kPresetRows + r;
    QLineEdit* freq = freq_edits_[Index(r)];
    QLineEdit* name = name_edits_[Index(r)];
    SetText(freq, c.PresetEdit[Index(r)]);
    SetText(name, c.StationNameEdit[Index(r)]);
    freq->setReadOnly(c.ReadOnly);
    name->setReadOnly(c.ReadOnly);
    freq->setAccessibleName(Fill(kFreqEdit.accessible_name, preset));
    name->setAccessibleName(Fill(kNameEdit.accessible_name, preset));
    row_labels_[Index(r)]->setText(FromCoreText(c.Label[Index(r)]));
  }
  MoveFocus(c.focus);
}

int TPresetForm::FreqRow(const QObject* object) const {
  for (int r = 1; r <= kPresetRows; ++r) {
    if (object == freq_edits_[Index(r)]) {
      return r;
    }
  }
  return 0;
}

}  // namespace orvaltic::gui
