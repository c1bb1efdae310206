#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "core/platform/font.h"

namespace orvaltic::gui {

// Colours in the core are 0x00BBGGRR.
inline QColor ToQColor(Color color) {
  return QColor(static_cast<int>(color & 0xFFU), static_cast<int>((color >> 8) & 0xFFU),
                static_cast<int>((color >> 16) & 0xFFU));
}

inline Color FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<Color>(rgb.red()) | (static_cast<Color>(rgb.green()) << 8) |
         (static_cast<Color>(rgb.blue()) << 16);
}

// The face, size and style of a core font (the colour is the widget's palette). A size of 0 or
// less keeps the default size: the core passes such values on, Qt does not accept them.
QFont ToQFont(const FontSpec& core_font);

}  // namespace orvaltic::gui
