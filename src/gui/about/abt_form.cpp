#include "gui/about/abt_form.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "gui/platform/core_dialog.h"

namespace orvaltic::gui {

namespace {

// The OK button's check mark: a green tick, drawn so that it looks the same with every style.
QPixmap CheckMark() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(0, 128, 0), 2.6);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  return picture;
}

QLabel* Text(QWidget* parent, const char* name, const QString& text, QRect place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  return label;
}

}  // namespace

TAbtForm::TAbtForm(QWidget* parent) : QDialog(parent, kFixedDialogFlags) {
  setObjectName(QStringLiteral("AbtForm"));
  setWindowTitle(QStringLiteral("About Orvaltic"));
  setFixedSize(kClientWidth, kClientHeight);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(QPixmap(QStringLiteral(":/orvaltic/orvaltic-32.png")));
  icon->setGeometry(12, 10, 32, 32);
  icon->setAccessibleName(QStringLiteral("Orvaltic icon"));

  QLabel* name = Text(this, "ProductName", QStringLiteral("Orvaltic"), {96, 6, 155, 30});
  QFont serif(QStringLiteral("Times New Roman"), 18, QFont::Bold);
  serif.setStyleHint(QFont::Serif);
  name->setFont(serif);
  name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QPalette red = name->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  name->setPalette(red);

  QLabel* version = Text(this, "Version", QStringLiteral("Version 1.30"), {96, 36, 155, 16});
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* rule = new QFrame(this);
  rule->setObjectName(QStringLiteral("Bevel1"));
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(8, 56, 247, 4);

  QFont small = font();
  small.setPointSize(8);
  const char* lines[] = {"Comments1", "Comments2", "Comments3"};
  const QString texts[] = {QStringLiteral("Drives the FM radio card"),
                           QStringLiteral("100 presets, alarm, snooze"),
                           QStringLiteral("and scheduled programs")};
  for (int i = 0; i < 3; ++i) {
    Text(this, lines[i], texts[i], {10, 66 + 16 * i, 170, 16})->setFont(small);
  }

  auto* ok = new QPushButton(QIcon(CheckMark()), QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("BitBtn1"));
  ok->setAccessibleName(QStringLiteral("OK"));
  ok->setGeometry(184, 104, 71, 27);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TAbtForm::showEvent(QShowEvent* event) {
  opener_ = QApplication::activeWindow();
  QScreen* screen = opener_ != nullptr ? opener_->screen() : QApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
  QDialog::showEvent(event);
}

void TAbtForm::done(int result) {
  QDialog::done(result);
  if (opener_ != nullptr && opener_ != this) {
    opener_->activateWindow();
  }
}

}  // namespace orvaltic::gui
