#include "gui/panels/panel_layout.h"

#include <stdexcept>

#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

QFont FontOf(const TextLook& look) {
  FontSpec spec;
  spec.name = look.face;
  spec.size = look.size;
  spec.bold = look.bold;
  spec.italic = look.italic;
  return ToQFont(spec);
}

QWidget* MakeWidget(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::kFrame:
    case ControlKind::kDisplay:
    case ControlKind::kOverlay:
    case ControlKind::kLight: {
      auto* panel = new BevelPanel(parent);
      panel->SetColor(ToQColor(spec.color));
      panel->SetBevels(spec.bevel_outer, spec.bevel_inner, spec.bevel_width, 0);
      panel->SetCaption(FromCoreText(spec.caption));
      panel->SetCaptionColor(ToQColor(spec.text.color));
      if (spec.kind == ControlKind::kLight) {
        // A click on a light belongs to the button it sits on.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        panel->setAccessibleDescription(LightState(spec.name, spec.color));
      }
      return panel;
    }
    case ControlKind::kButton: {
      auto* button = new SpeedButton(parent);
      button->setText(FromCoreText(spec.caption));
      return button;
    }
    case ControlKind::kLabel: {
      auto* label = new PanelLabel(parent);
      label->setText(FromCoreText(spec.caption));
      label->setAlignment(spec.alignment);
      SetTextColor(*label, ToQColor(spec.text.color));
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
  for (const ControlSpec& spec : layout.controls) {
    QWidget* parent = &window;
    if (!spec.parent.empty()) {
      const auto found = controls.find(spec.parent);
      if (found == controls.end()) {
        throw std::logic_error("control " + spec.name + " comes before its parent " + spec.parent);
      }
      parent = found->second;
    }
    QWidget* widget = MakeWidget(spec, parent);
    widget->setObjectName(QString::fromStdString(spec.name));
    widget->setGeometry(spec.left, spec.top, spec.width, spec.height);
    widget->setFont(FontOf(spec.text));
    widget->setToolTip(FromCoreText(spec.hint));
    widget->setAccessibleName(AccessibleNameFor(spec.caption, spec.hint, spec.accessible_name));
    if (spec.kind != ControlKind::kLight) {
      widget->setAccessibleDescription(FromCoreText(spec.hint));
    }
    if (spec.reports_mouse_move) {
      widget->setMouseTracking(true);
    }
    widget->setHidden(!spec.visible);
    if (!controls.emplace(spec.name, widget).second) {
      throw std::logic_error("two controls named " + spec.name);
    }
  }
  return controls;
}

}  // namespace orvaltic::gui
