#include "gui/platform/qt_convert.h"

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

QFont ToQFont(const FontSpec& spec) {
  QFont font(FromCoreText(spec.name));
  if (spec.size > 0) {
    font.setPointSize(spec.size);
  }
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setStrikeOut(spec.strike_out);
  return font;
}

}  // namespace orvaltic::gui
