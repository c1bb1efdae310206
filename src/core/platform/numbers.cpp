#include "core/platform/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

#include "core/platform/errors.h"

namespace orvaltic {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Control characters and the blank are skipped before a number, as the settings reader and the
// edit fields may leave a tab or a blank in front of it.
std::size_t SkipLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20) {
    ++i;
  }
  return i;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// Writes the words the runtime uses for values that are not numbers.
std::string NonFiniteText(double value) {
  if (std::isnan(value)) {
    return "NAN";
  }
  return value < 0 ? "-INF" : "INF";
}

// The value rounded to 15 significant digits: the digits (without the point) and the decimal
// exponent of the first one, as in d.dddd x 10^exponent. Only for finite values.
struct Digits15 {
  std::string digits;  // exactly 15 characters
  int exponent = 0;
};

Digits15 RoundTo15(double magnitude) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, 14);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  // text is "d.ddddddddddddddde[+-]XX[X]".
  const std::size_t e = text.find('e');
  Digits15 out;
  out.digits.reserve(15);
  out.digits.push_back(text[0]);
  out.digits.append(text.substr(2, e - 2));
  const std::string_view exponent_text = text.substr(e + 1);
  const bool negative = exponent_text[0] == '-';
  int exponent = 0;
  std::from_chars(exponent_text.data() + 1, exponent_text.data() + exponent_text.size(), exponent);
  out.exponent = negative ? -exponent : exponent;
  return out;
}

}  // namespace

std::optional<double> TryStrToFloat(std::string_view text) {
  std::size_t i = SkipLeadingBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Check the whole grammar here: std::from_chars alone would accept "inf", "nan" and a
  // number followed by anything.
  const std::size_t number_start = i;
  const std::size_t int_start = i;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  const std::size_t int_end = i;
  std::size_t frac_start = i;
  std::size_t frac_end = i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    frac_start = i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
    }
    frac_end = i;
  }
  if (int_end == int_start && frac_end == frac_start) {
    return std::nullopt;
  }
  // The explicit exponent, saturated: only its sign and rough size matter when it is huge.
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    const std::size_t exponent_start = i;
    while (i < text.size() && IsDigit(text[i])) {
      if (exponent < 1'000'000'000LL) {
        exponent = exponent * 10 + (text[i] - '0');
      }
      ++i;
    }
    if (i == exponent_start) {
      return std::nullopt;
    }
    if (exponent_negative) {
      exponent = -exponent;
    }
  }
  if (i != text.size()) {
    return std::nullopt;
  }

  double value = 0;
  const char* first = text.data() + number_start;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the decimal exponent of the first significant digit.
    long long first_digit_exponent = 0;
    bool found = false;
    for (std::size_t k = int_start; k < int_end && !found; ++k) {
      if (text[k] != '0') {
        first_digit_exponent = static_cast<long long>(int_end - k) - 1;
        found = true;
      }
    }
    for (std::size_t k = frac_start; k < frac_end && !found; ++k) {
      if (text[k] != '0') {
        first_digit_exponent = -static_cast<long long>(k - frac_start) - 1;
        found = true;
      }
    }
    if (!found || first_digit_exponent + exponent < 0) {
      return negative ? -0.0 : 0.0;
    }
    return std::nullopt;
  }
  if (result.ec != std::errc() || result.ptr != last) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double StrToFloat(std::string_view text) {
  if (const auto value = TryStrToFloat(text)) {
    return *value;
  }
  throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  std::size_t i = SkipLeadingBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint32_t magnitude = 0;
  if (i < text.size() && text[i] == '$') {
    ++i;
    const std::size_t digits_start = i;
    int significant = 0;
    while (i < text.size() && HexDigitValue(text[i]) >= 0) {
      const auto digit = static_cast<std::uint32_t>(HexDigitValue(text[i]));
      if (significant > 0 || digit != 0) {
        if (++significant > 8) {
          return std::nullopt;
        }
      }
      magnitude = (magnitude << 4) | digit;
      ++i;
    }
    if (i == digits_start || i != text.size()) {
      return std::nullopt;
    }
    // A hexadecimal value is a 32-bit pattern; negation wraps the same way.
    if (negative) {
      magnitude = 0u - magnitude;
    }
    return static_cast<std::int32_t>(magnitude);
  }

  const std::size_t digits_start = i;
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) {
      return std::nullopt;
    }
    ++i;
  }
  if (i == digits_start || i != text.size()) {
    return std::nullopt;
  }
  if (negative) {
    value = -value;
  }
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::string_view text) {
  if (const auto value = TryStrToInt(text)) {
    return *value;
  }
  throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::string FormatFixed3(double value) {
  // Enough for the largest double written out in full.
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 3);
  std::string text(buffer.data(), result.ptr);
  // A value that rounds to zero shows no sign: "-0.000" would not compare equal to the
  // "0.000" of an empty preset.
  if (text == "-0.000") {
    text.erase(0, 1);
  }
  return text;
}

std::string FormatInt(std::int64_t value) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

// Infinity and NaN never come out of the strict conversion. They are written as " INF", "-INF"
// and " NAN" (sign column, then the runtime's word) rather than in 23 characters, so that a file
// holding one is rejected on reading instead of loading some arbitrary number.
std::string FormatExponent23(double value) {
  const bool negative = std::signbit(value) && value != 0;
  if (!std::isfinite(value)) {
    return std::string(negative ? "-" : " ") + (std::isnan(value) ? "NAN" : "INF");
  }
  const Digits15 rounded = RoundTo15(std::fabs(value));
  std::string text;
  text.reserve(23);
  text.push_back(negative ? '-' : ' ');
  text.push_back(rounded.digits[0]);
  text.push_back('.');
  text.append(rounded.digits, 1, std::string::npos);
  text.push_back('E');
  text.push_back(rounded.exponent < 0 ? '-' : '+');
  const int exponent = rounded.exponent < 0 ? -rounded.exponent : rounded.exponent;
  std::array<char, 4> exponent_digits{'0', '0', '0', '0'};
  int rest = exponent;
  for (std::size_t k = exponent_digits.size(); k-- > 0;) {
    exponent_digits[k] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  text.append(exponent_digits.data(), exponent_digits.size());
  return text;
}

// Infinity and NaN are written as the runtime's words "INF", "-INF" and "NAN".
std::string FormatGeneral(double value) {
  if (!std::isfinite(value)) {
    return NonFiniteText(value);
  }
  if (value == 0) {
    return "0";
  }
  Digits15 rounded = RoundTo15(std::fabs(value));
  std::string& digits = rounded.digits;
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }
  const int exponent = rounded.exponent;
  std::string text = value < 0 ? "-" : "";
  // In the 0.ddd x 10^X form X is exponent + 1: plain digits for -3 <= X <= 15.
  if (exponent >= 15 || exponent < -4) {
    text.push_back(digits[0]);
    if (digits.size() > 1) {
      text.push_back('.');
      text.append(digits, 1, std::string::npos);
    }
    text.push_back('E');
    text += FormatInt(exponent);
  } else if (exponent >= 0) {
    const auto int_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= int_digits) {
      text += digits;
      text.append(int_digits - digits.size(), '0');
    } else {
      text.append(digits, 0, int_digits);
      text.push_back('.');
      text.append(digits, int_digits, std::string::npos);
    }
  } else {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  }
  return text;
}

}  // namespace orvaltic
