#include "gui/schedule/sched_list_form.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include <cstddef>

#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

constexpr int kClientWidth = 456;
constexpr int kClientHeight = 236;
constexpr int kFirstLineY = 64;
constexpr int kLineStep = 22;

// The bold dot of the lights.
constexpr char16_t kDot = u'\u2022';

struct LabelSpec {
  const char* name;
  int x, y, width, height;
  Qt::Alignment alignment;
};

constexpr LabelSpec kClock = {"CurrentDateTimeLabel", 8, 18, 424, 16, Qt::AlignHCenter};
constexpr LabelSpec kTitles = {"SchedProgTitlesLabel", 8, 42, 424, 16, Qt::AlignLeft};
constexpr LabelSpec kScan = {"ScanProgLabel", 8, 180, 424, 16, Qt::AlignLeft};

std::size_t Index(int k) {
  return static_cast<std::size_t>(k - 1);
}

QLabel* MakeLabel(const QString& name, QRect place, Qt::Alignment alignment, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

QLabel* MakeLabel(const LabelSpec& row, QWidget* parent) {
  return MakeLabel(QString::fromLatin1(row.name), QRect(row.x, row.y, row.width, row.height),
                   row.alignment, parent);
}

void SetText(QLabel* label, const QString& text) {
  if (label->text() != text) {
    label->setText(text);
  }
}

}  // namespace

TSchedListForm::TSchedListForm(SchedList& model, EventDispatcher& dispatcher, QWidget* parent)
    : QDialog(parent), model_(model), dispatcher_(dispatcher) {
  setObjectName(QStringLiteral("SchedListForm"));
  setWindowTitle(QStringLiteral("Program Status"));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setToolTip(QStringLiteral("Click on form to close"));
  setAccessibleDescription(QStringLiteral("Click or press Escape to close"));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("SchedListPanel"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setGeometry(0, 0, kClientWidth, kClientHeight);
  auto* group = new QGroupBox(QStringLiteral("Program Schedules"), panel);
  group->setObjectName(QStringLiteral("GroupBox1"));
  group->setGeometry(8, 6, kClientWidth - 16, kClientHeight - 14);

  clock_ = MakeLabel(kClock, group);
  MakeLabel(kTitles, group)->setText(QString::fromLatin1(kSchedProgTitles));
  scan_ = MakeLabel(kScan, group);

  QFont fixed(QStringLiteral("Courier New"), 9);
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  QFont dot = font();
  dot.setBold(true);
  dot.setPointSize(12);
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    const int y = kFirstLineY + kLineStep * (k - 1);
    QLabel* light = MakeLabel(QStringLiteral("Prg%1LightLabel").arg(k), QRect(12, y, 16, 18),
                              Qt::AlignHCenter, group);
    light->setFont(dot);
    light->setText(QString(QChar(kDot)));
    light->setAccessibleName(QStringLiteral("Program %1 light").arg(k));
    lights_.at(Index(k)) = light;
    QLabel* line = MakeLabel(QStringLiteral("Prog%1ListLabel").arg(k), QRect(28, y, 400, 18),
                             Qt::AlignLeft, group);
    line->setFont(fixed);
    lines_.at(Index(k)) = line;
  }

  for (QWidget* widget : findChildren<QWidget*>()) {
    widget->installEventFilter(this);
  }
  Render();
}

void TSchedListForm::Render() {
  const SchedListControls& c = model_.controls();
  SetText(clock_, FromCoreText(c.CurrentDateTimeLabel));
  SetText(scan_, FromCoreText(c.ScanProgLabel));
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    QLabel* line = lines_.at(Index(k));
    SetText(line, FromCoreText(c.ProgListLabel.at(Index(k))));
    line->setAccessibleName(line->text().simplified());
    const Color color = c.PrgLightLabel.at(Index(k));
    QLabel* light = lights_.at(Index(k));
    const QString style = QStringLiteral("color: %1").arg(ToQColor(color).name());
    if (light->styleSheet() != style) {
      light->setStyleSheet(style);
      light->setAccessibleDescription(color == kScannedLight ? QStringLiteral("examined now")
                                                             : QStringLiteral("not examined"));
    }
  }
}

void TSchedListForm::done(int result) {
  dispatcher_.Run([this] { model_.FormClose(); });
  QDialog::done(result);
}

void TSchedListForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) {
    // Restored by the window system, not opened.
    return;
  }
  dispatcher_.Run([this] { model_.FormActivate(); });
  Render();
  QScreen* target = parentWidget() != nullptr ? parentWidget()->screen() : screen();
  if (target != nullptr) {
    move(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, frameGeometry().size(),
                             target->availableGeometry())
             .topLeft());
  }
}

bool TSchedListForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    dispatcher_.Run([this] { model_.SchedListPanelClick(); });
    if (model_.closed()) {
      accept();
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvaltic::gui
