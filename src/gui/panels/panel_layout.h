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
  // What a screen reader calls the control: what it does or shows, in words, whatever its
  // caption (a "+" or "<" says nothing). Empty only for a fixed caption label, which is
  // called by its caption.
  std::string accessible_name;
  // The caption is a value the control shows (a frequency, a preset number, a time): the
  // screen reader hears it in the description, after the name.
  bool caption_is_value = false;
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

// The accessible name of a control as designed: its own, else its caption without
// surrounding blanks.
QString AccessibleNameFor(const ControlSpec& control);

// The accessible description of a control that is not a light: the value its caption shows,
// if it is one, and its hint, each once and leaving out what the name already says.
QString AccessibleDescriptionFor(const QString& name, const std::string& caption,
                                 const std::string& hint, bool caption_is_value);

// Marks `widget` as showing a value in its caption, for whoever renders it later.
void SetCaptionIsValue(QWidget& widget, bool caption_is_value);
bool CaptionIsValue(const QWidget& widget);

// The colour a light shows when it is on: red for the power light, lime for the others.
Color LightOnColor(const std::string& light_name);

// The accessible description of a light: "on" when it shows its on colour, else "off".
QString LightState(const std::string& light_name, Color shown);

// Creates the controls of `layout` on `window` and returns them by name.
std::map<std::string, QWidget*> BuildControls(QWidget& window, const PanelLayout& layout);

}  // namespace orvaltic::gui
