#include "gui/platform/text_codec.h"

#include <array>
#include <cstddef>

namespace orvaltic::gui {
namespace {

// 0x80..0x9F of Windows-1252. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep
// the C1 control of the same value, as Windows itself maps them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

QString FromCp1252(const std::string& text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F) {
      out.append(QChar(kCp1252High[byte - 0x80U]));
    } else {
      out.append(QChar(static_cast<char16_t>(byte)));
    }
  }
  return out;
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra = 0;
    unsigned lower = 0x80;  // allowed range of the first continuation byte
    unsigned upper = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      if (lead == 0xE0) {
        lower = 0xA0;  // overlong
      } else if (lead == 0xED) {
        upper = 0x9F;  // surrogates
      }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      if (lead == 0xF0) {
        lower = 0x90;  // overlong
      } else if (lead == 0xF4) {
        upper = 0x8F;  // above U+10FFFF
      }
    } else {
      return false;
    }
    if (n - i <= extra) {
      return false;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      const unsigned lo = k == 1 ? lower : 0x80;
      const unsigned hi = k == 1 ? upper : 0xBF;
      if (byte < lo || byte > hi) {
        return false;
      }
    }
    i += extra + 1;
  }
  return true;
}

QString FromCoreText(const std::string& text) {
  if (IsValidUtf8(text)) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }
  return FromCp1252(text);
}

std::string ToCoreText(const QString& text) {
  return text.toUtf8().toStdString();
}

QString PlainToolTip(const QString& text) {
  if (text.isEmpty()) {
    return {};
  }
  return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

}  // namespace orvaltic::gui
