#include "gui/panels/panel_widgets.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPolygon>

#include "gui/platform/qt_convert.h"

namespace orvaltic::gui {

namespace {

const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(0, 0, 0);

// Lines along the top and left edges in `top_left`, along the bottom and right edges in
// `bottom_right`, `width` times, each time one pixel further in.
void Frame3D(QPainter& painter, QRect& rect, const QColor& top_left, const QColor& bottom_right,
             int width) {
  for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
    painter.setPen(top_left);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottom_right);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    rect.adjust(1, 1, -1, -1);
  }
}

void DrawBevel(QPainter& painter, QRect& rect, Bevel bevel, int width) {
  if (bevel == Bevel::kRaised) {
    Frame3D(painter, rect, kHighlight, kShadow, width);
  } else if (bevel == Bevel::kLowered) {
    Frame3D(painter, rect, kShadow, kHighlight, width);
  }
}

// A left press followed by a left release inside `widget` is a click; true on that release.
bool ReleaseEndsClick(const QWidget& widget, const QMouseEvent& event, bool& pressed) {
  const bool click = pressed && event.button() == Qt::LeftButton &&
                     widget.rect().contains(event.position().toPoint());
  pressed = false;
  return click;
}

// Where the glyphs of `text` lie when it is drawn centred in `box`, its own bounding box: leading
// blanks take room but leave no ink.
QRect CaptionInkIn(const QFontMetrics& metrics, const QRect& box, const QString& text) {
  qsizetype first = 0;
  while (first < text.size() && text.at(first).isSpace()) {
    ++first;
  }
  const QString shown = text.mid(first);
  if (shown.isEmpty()) {
    return {};
  }
  const int baseline = box.top() + metrics.ascent();
  const int start = box.left() + metrics.horizontalAdvance(text.left(first));
  return metrics.tightBoundingRect(shown).translated(start, baseline);
}

// A chevron in a 10 x 10 pixel square around `centre`, pointing up or down.
void DrawChevron(QPainter& painter, QPoint centre, bool up, const QColor& color) {
  const int rim = up ? 2 : -2;  // the open side, away from the tip
  const QPolygon chevron(
      {centre + QPoint(-4, rim), centre + QPoint(0, -rim), centre + QPoint(4, rim)});
  painter.save();
  painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawPolyline(chevron);
  painter.restore();
}

}  // namespace

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent), color_(ToQColor(kButtonFace)) {}

void BevelPanel::SetColor(const QColor& color) {
  if (color != color_) {
    color_ = color;
    update();
  }
}

void BevelPanel::SetBevels(Bevel outer, Bevel inner, int bevel_width, int border_width) {
  if (outer != outer_ || inner != inner_ || bevel_width != bevel_width_ ||
      border_width != border_width_) {
    outer_ = outer;
    inner_ = inner;
    bevel_width_ = bevel_width;
    border_width_ = border_width;
    update();
  }
}

void BevelPanel::SetCaption(const QString& caption) {
  if (caption != caption_) {
    caption_ = caption;
    update();
  }
}

void BevelPanel::SetCaptionColor(const QColor& color) {
  if (color != caption_color_) {
    caption_color_ = color;
    update();
  }
}

void BevelPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect rect = this->rect();
  painter.fillRect(rect, color_);
  DrawBevel(painter, rect, outer_, bevel_width_);
  rect.adjust(border_width_, border_width_, -border_width_, -border_width_);
  DrawBevel(painter, rect, inner_, bevel_width_);
  if (!caption_.isEmpty()) {
    painter.setFont(font());
    painter.setPen(caption_color_);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, caption_);
  }
}

void BevelPanel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void BevelPanel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (ReleaseEndsClick(*this, *event, pressed_)) {
    emit clicked();
  }
}

SpeedButton::SpeedButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover, false);
}

QSize SpeedButton::sizeHint() const {
  const QSize caption = fontMetrics().size(Qt::TextSingleLine, text());
  return {caption.width() + 8, caption.height() + 8};
}

void SpeedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect rect = this->rect();
  painter.fillRect(rect, ToQColor(kButtonFace));
  const bool down = isDown() || isChecked();
  if (down) {
    Frame3D(painter, rect, kDarkShadow, kHighlight, 1);
    Frame3D(painter, rect, kShadow, ToQColor(kButtonFace), 1);
  } else {
    Frame3D(painter, rect, kHighlight, kDarkShadow, 1);
    Frame3D(painter, rect, ToQColor(kButtonFace), kShadow, 1);
  }
  // A pressed button's face moves one pixel down and right, as if pushed in.
  const QRect face = down ? rect.translated(1, 1) : rect;
  if (!text().isEmpty()) {
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(CaptionBox(face), Qt::AlignCenter | Qt::TextSingleLine, text());
  }
  if (picture_ != ButtonPicture::kNone) {
    DrawChevron(painter, face.center(), picture_ == ButtonPicture::kChevronUp,
                palette().color(QPalette::ButtonText));
  }
}

namespace {

// The face inside the two bevel lines of a button that is not pressed.
QRect FaceOf(const QRect& button) {
  return button.adjusted(2, 2, -2, -2);
}

}  // namespace

void SpeedButton::SetLightPlace(const QRect& light) {
  if (light_ != light) {
    light_ = light;
    update();
  }
}

QRect SpeedButton::CaptionBox(const QRect& face) const {
  const QFontMetrics metrics(font());
  QRect box = metrics.boundingRect(face, Qt::AlignCenter | Qt::TextSingleLine, text());
  if (light_.isNull()) {
    return box;
  }
  // Centred, the ink may come next to the light or under it (a narrow "Power" or "10"): it
  // moves right until one pixel lies free between them.
  const QRect ink = CaptionInkIn(metrics, box, text());
  const QRect clear = light_.adjusted(-1, -1, 1, 1);
  if (!ink.isEmpty() && ink.intersects(clear)) {
    box.translate(clear.right() + 1 - ink.left(), 0);
  }
  return box;
}

QRect SpeedButton::CaptionInk() const {
  if (text().isEmpty()) {
    return {};
  }
  const QFontMetrics metrics(font());
  return CaptionInkIn(metrics, CaptionBox(FaceOf(rect())), text());
}

void SpeedButton::SetPicture(ButtonPicture picture) {
  if (picture_ != picture) {
    picture_ = picture;
    update();
  }
}

void SpeedButton::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved();
  QAbstractButton::mouseMoveEvent(event);
}

PanelLabel::PanelLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setFocusPolicy(Qt::NoFocus);
}

void PanelLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void PanelLabel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (ReleaseEndsClick(*this, *event, pressed_)) {
    emit clicked();
  }
}

void PanelLabel::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved();
  QLabel::mouseMoveEvent(event);
}

void SetTextColor(QWidget& widget, const QColor& color) {
  if (auto* panel = qobject_cast<BevelPanel*>(&widget)) {
    panel->SetCaptionColor(color);
    return;
  }
  if (widget.palette().color(QPalette::WindowText) != color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
  }
}

QColor TextColor(const QWidget& widget) {
  if (const auto* panel = qobject_cast<const BevelPanel*>(&widget)) {
    return panel->CaptionColor();
  }
  return widget.palette().color(QPalette::WindowText);
}

}  // namespace orvaltic::gui
