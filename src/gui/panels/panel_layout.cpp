#include "gui/panels/panel_layout.h"

#include <QStringList>

#include <stdexcept>

#include "gui/panels/panel_accessible.h"
#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

const char kCaptionIsValueProperty[] = "captionIsValue";

QFont FontOf(const TextLook& look) {
  FontSpec font;
  font.name = look.face;
  font.size = look.size;
  font.bold = look.bold;
  font.italic = look.italic;
  return ToQFont(font);
}

QWidget* MakeWidget(const ControlSpec& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::kFrame:
    case ControlKind::kDisplay:
    case ControlKind::kOverlay:
    case ControlKind::kLight: {
      auto* panel = new BevelPanel(parent);
      panel->SetColor(ToQColor(control.color));
      panel->SetBevels(control.bevel_outer, control.bevel_inner, control.bevel_width, 0);
      panel->SetCaption(FromCoreText(control.caption));
      panel->SetCaptionColor(ToQColor(control.text.color));
      if (control.kind == ControlKind::kLight) {
        // A click on a light belongs to the button it sits on.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        panel->setAccessibleDescription(LightState(control.name, control.color));
      }
      return panel;
    }
    case ControlKind::kButton: {
      auto* button = new SpeedButton(parent);
      button->setText(FromCoreText(control.caption));
      button->SetPicture(control.picture);
      return button;
    }
    case ControlKind::kLabel: {
      auto* label = new PanelLabel(parent);
      label->setText(FromCoreText(control.caption));
      label->setAlignment(AlignmentOf(control.alignment));
      SetTextColor(*label, ToQColor(control.text.color));
      return label;
    }
  }
  throw std::logic_error("unknown control kind");
}

}  // namespace

QString AccessibleNameFor(const ControlSpec& control) {
  if (!control.accessible_name.empty()) {
    return FromCoreText(control.accessible_name);
  }
  return FromCoreText(control.caption).trimmed();
}

QString AccessibleDescriptionFor(const QString& name, const std::string& caption,
                                 const std::string& hint, bool caption_is_value) {
  QStringList parts;
  if (caption_is_value) {
    const QString value = FromCoreText(caption).trimmed();
    if (!value.isEmpty()) {
      parts << value;
    }
  }
  const QString tip = FromCoreText(hint);
  if (!tip.isEmpty() && tip != name && !parts.contains(tip)) {
    parts << tip;
  }
  return parts.join(QStringLiteral(", "));
}

void SetCaptionIsValue(QWidget& widget, bool caption_is_value) {
  widget.setProperty(kCaptionIsValueProperty, caption_is_value);
}

bool CaptionIsValue(const QWidget& widget) {
  return widget.property(kCaptionIsValueProperty).toBool();
}

Color LightOnColor(const std::string& light_name) {
  return light_name == control_name::kPwrBtnLight ? kRed : kLime;
}

QString LightState(const std::string& light_name, Color shown) {
  return shown == LightOnColor(light_name) ? QStringLiteral("on") : QStringLiteral("off");
}

Qt::Alignment AlignmentOf(TextAlign align) {
  switch (align) {
    case TextAlign::kLeft:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case TextAlign::kCenter:
      return Qt::AlignCenter;
    case TextAlign::kRight:
      return Qt::AlignRight | Qt::AlignVCenter;
  }
  throw std::logic_error("unknown alignment");
}

std::map<std::string, QWidget*> BuildControls(QWidget& window, const PanelLayout& layout) {
  // Before the first control is named: a screen reader that is listening asks for each control's
  // interface as soon as its name is set, and keeps the first one it got.
  InstallPanelAccessibility();
  std::map<std::string, QWidget*> controls;
  for (const ControlSpec& control : layout.controls) {
    QWidget* parent = &window;
    if (!control.parent.empty()) {
      const auto found = controls.find(control.parent);
      if (found == controls.end()) {
        throw std::logic_error("control " + control.name + " comes before its parent " +
                               control.parent);
      }
      parent = found->second;
    }
    QWidget* widget = MakeWidget(control, parent);
    widget->setObjectName(QString::fromStdString(control.name));
    widget->setGeometry(control.left, control.top, control.width, control.height);
    if (auto* button = qobject_cast<SpeedButton*>(parent);
        button != nullptr && control.kind == ControlKind::kLight) {
      button->SetLightPlace(widget->geometry());
    }
    widget->setFont(FontOf(control.text));
    widget->setToolTip(PlainToolTip(FromCoreText(control.hint)));
    const QString accessible_name = AccessibleNameFor(control);
    widget->setAccessibleName(accessible_name);
    SetCaptionIsValue(*widget, control.caption_is_value);
    if (control.kind != ControlKind::kLight) {
      widget->setAccessibleDescription(AccessibleDescriptionFor(
          accessible_name, control.caption, control.hint, control.caption_is_value));
    }
    if (control.on_mouse_move.action != PanelAction::kNone) {
      widget->setMouseTracking(true);
    }
    widget->setHidden(!control.visible);
    if (!controls.emplace(control.name, widget).second) {
      throw std::logic_error("two controls named " + control.name);
    }
  }
  return controls;
}

}  // namespace orvaltic::gui
