#pragma once

#include <QString>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

#include "core/panels/panel_surface.h"
#include "gui/panels/panel_widgets.h"

namespace orvaltic::gui {

enum class ControlKind {
  kFrame,    // a grouping panel
  kDisplay,  // the frequency display: a panel with a centred caption
  kOverlay,  // a status panel that closes on a click
  kLight,    // a 6 x 6 state light; clicks go through to the button under it
  kButton,   // a speed button
  kLabel,
};

struct TextLook {
  std::string face = "Arial";
  int size = 8;  // points
  bool bold = false;
  bool italic = false;
  Color color = kBlack;
};

// One control of a front panel as designed. Positions are relative to the parent control;
// parents come before their children.
struct ControlSpec {
  ControlKind kind = ControlKind::kLabel;
  std::string name;    // the objectName, which the controller's reports use
  std::string parent;  // empty: the window itself
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string caption;
  std::string hint;
  TextLook text;
  Color color = kButtonFace;  // fill of panels and lights
  Bevel bevel_outer = Bevel::kRaised;
  Bevel bevel_inner = Bevel::kNone;
  int bevel_width = 1;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  bool visible = true;
  bool reports_click = false;       // a click is reported under `name`, or `reports_as`
  std::string reports_as;           // the name a click reports when not the control's own
  bool reports_mouse_move = false;  // moving the mouse over it is reported under `name`
  // What a screen reader calls a control without caption and hint (lights, frames).
  std::string accessible_name;
};

// A front panel window as designed: the caption, client size and background of the window
// and every control in creation order.
struct PanelLayout {
  int style = 1;
  std::string window_name;  // the window's objectName
  std::string caption;
  int client_width = 0;
  int client_height = 0;
  Color background = kButtonFace;
  std::vector<ControlSpec> controls;
};

// The accessible name of a control: its caption without surrounding blanks, or its hint when
// it has no caption, or the fallback.
QString AccessibleNameFor(const std::string& caption, const std::string& hint,
                          const std::string& fallback = {});

// The colour a light shows when it is on: red for the power light, lime for the others.
Color LightOnColor(const std::string& light_name);

// The accessible description of a light: "on" when it shows its on colour, else "off".
QString LightState(const std::string& light_name, Color shown);

// Creates the controls of `layout` on `window` and returns them by name.
std::map<std::string, QWidget*> BuildControls(QWidget& window, const PanelLayout& layout);

}  // namespace orvaltic::gui
