#include "core/platform/printable_text.h"

#include <cstdint>

namespace orvaltic {

namespace {

// How many bytes from `at` may be shown as they are: a printable ASCII byte, or a whole UTF-8
// sequence that is not a C1 control (U+0080 to U+009F, which terminals obey as they obey ESC).
// 0 for a byte that needs an escape.
std::size_t ShownSequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return lead >= 0x20 && lead != 0x7F && lead != '\\' ? 1 : 0;
  }
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || at + length > text.size()) {
    return 0;
  }
  std::uint32_t code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
  const std::uint32_t lowest = length == 2 ? 0xA0 : length == 3 ? 0x800 : 0x10000;
  if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string shown;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (const std::size_t length = ShownSequenceLength(text, i); length != 0) {
      shown.append(text.substr(i, length));
      i += length;
      continue;
    }
    switch (byte) {
      case '\\':
        shown += "\\\\";
        break;
      case '\n':
        shown += "\\n";
        break;
      case '\r':
        shown += "\\r";
        break;
      case '\t':
        shown += "\\t";
        break;
      default:
        shown += "\\x";
        shown += kDigits[byte >> 4];
        shown += kDigits[byte & 0xFu];
    }
    ++i;
  }
  return shown;
}

std::string CutText(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) {
    return std::string(text);
  }
  std::size_t cut = max_bytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) {
    --cut;
  }
  return std::string(text.substr(0, cut)) + "...";
}

std::string ShortPrintableText(std::string_view text, std::size_t max_bytes) {
  return PrintableText(CutText(text, max_bytes));
}

}  // namespace orvaltic
