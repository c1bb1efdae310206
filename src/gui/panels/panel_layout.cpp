#include "gui/panels/panel_layout.h"

#include <stdexcept>

#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

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
      return button;
    }
    case ControlKind::kLabel: {
      auto* label = new PanelLabel(parent);
      label->setText(FromCoreText(control.caption));
      label->setAlignment(control.alignment);
      SetTextColor(*label, ToQColor(control.text.color));
      return label;
    }
  }
  throw std::logic_error("unknown control kind");
}

}  // namespace

QString AccessibleNameFor(const std::string& caption, const std::string& hint,
                          const std::string& fallback) {
  const QString trimmed = FromCoreText(caption).trimmed();
  if (!trimmed.isEmpty()) {
    return trimmed;
  }
  if (!hint.empty()) {
    return FromCoreText(hint);
  }
  return FromCoreText(fallback);
}

Color LightOnColor(const std::string& light_name) {
  return light_name == "PwrBtnLight" ? kRed : kLime;
}

QString LightState(const std::string& light_name, Color shown) {
  return shown == LightOnColor(light_name) ? QStringLiteral("on") : QStringLiteral("off");
}

std::map<std::string, QWidget*> BuildControls(QWidget& window, const PanelLayout& layout) {
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
    widget->setFont(FontOf(control.text));
    widget->setToolTip(FromCoreText(control.hint));
    widget->setAccessibleName(
        AccessibleNameFor(control.caption, control.hint, control.accessible_name));
    if (control.kind != ControlKind::kLight) {
      widget->setAccessibleDescription(FromCoreText(control.hint));
    }
    if (control.reports_mouse_move) {
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
