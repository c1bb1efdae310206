#pragma once

#include <QString>
#include <QWidget>

#include <map>
#include <string>

#include "core/panels/panel_layout.h"
#include "gui/panels/panel_widgets.h"

// Builds the widgets of a front panel from its layout, and the accessible texts they carry.
namespace orvaltic::gui {

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

// The Qt alignment of a caption placed by `align`.
Qt::Alignment AlignmentOf(TextAlign align);

// Creates the controls of `layout` on `window` and returns them by name.
std::map<std::string, QWidget*> BuildControls(QWidget& window, const PanelLayout& layout);

}  // namespace orvaltic::gui
