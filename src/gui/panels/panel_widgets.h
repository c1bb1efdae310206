#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QWidget>

#include "core/panels/panel_layout.h"
#include "core/panels/panel_surface.h"

namespace orvaltic::gui {

// A panel as the front panels draw it: an outer bevel, a border in the fill colour, an inner
// bevel, the fill, and an optional caption drawn centred in the caption colour. Frames, the
// frequency display, the status overlays and the lights are all such panels.
class BevelPanel : public QWidget {
  Q_OBJECT

 public:
  explicit BevelPanel(QWidget* parent = nullptr);

  void SetColor(const QColor& color);
  QColor FillColor() const { return color_; }
  void SetBevels(Bevel outer, Bevel inner, int bevel_width, int border_width);
  Bevel OuterBevel() const { return outer_; }
  Bevel InnerBevel() const { return inner_; }
  int BevelWidth() const { return bevel_width_; }
  int BorderWidth() const { return border_width_; }
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  void SetCaptionColor(const QColor& color);
  QColor CaptionColor() const { return caption_color_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor color_;
  QColor caption_color_ = Qt::black;
  QString caption_;
  Bevel outer_ = Bevel::kRaised;
  Bevel inner_ = Bevel::kNone;
  int bevel_width_ = 1;
  int border_width_ = 0;
  bool pressed_ = false;
};

// A small bevelled button that never takes the keyboard focus and acts on a mouse click.
class SpeedButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit SpeedButton(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  // A picture drawn in the middle of the face, with the caption or without one.
  void SetPicture(ButtonPicture picture);
  ButtonPicture Picture() const { return picture_; }
  // The place of a light in the button's corner: the caption keeps a pixel clear of it, moving
  // right where centring would bring it closer.
  void SetLightPlace(const QRect& light);
  // Where the caption's ink lies on the button face as it is drawn, empty without a caption.
  QRect CaptionInk() const;

 signals:
  void mouseMoved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // The box the caption is drawn centred in, on `face`.
  QRect CaptionBox(const QRect& face) const;

  ButtonPicture picture_ = ButtonPicture::kNone;
  QRect light_;
};

// A label whose text is shown exactly as given (blanks, "&" and "<" included) and that reports
// clicks and mouse moves.
class PanelLabel : public QLabel {
  Q_OBJECT

 public:
  explicit PanelLabel(QWidget* parent = nullptr);

 signals:
  void clicked();
  void mouseMoved();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// The text colour of a label or the caption colour of a panel, for views and tests alike.
void SetTextColor(QWidget& widget, const QColor& color);
QColor TextColor(const QWidget& widget);

}  // namespace orvaltic::gui
