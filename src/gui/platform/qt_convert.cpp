#include "gui/platform/qt_convert.h"

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

QFont ToQFont(const FontSpec& core_font) {
  QFont font(FromCoreText(core_font.name));
  if (core_font.size > 0) {
    font.setPointSize(core_font.size);
  }
  font.setBold(core_font.bold);
  font.setItalic(core_font.italic);
  font.setUnderline(core_font.underline);
  font.setStrikeOut(core_font.strike_out);
  return font;
}

}  // namespace orvaltic::gui
