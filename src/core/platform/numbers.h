#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvaltic {

// Number conversion and formatting that never depends on the process locale: the settings
// files and the display always use a point as the decimal separator.

// Strict decimal conversion: optional leading blanks, an optional sign, digits with an optional
// point and fraction (at least one digit), an optional exponent ("e" or "E", optional sign,
// digits), and nothing after. Empty text, "inf", "nan", hex floats, a comma or a trailing blank
// fail. A value too large for a double fails; one too small reads as 0.
std::optional<double> TryStrToFloat(std::string_view text);
// As TryStrToFloat; throws ConvertError "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);

// Strict signed 32-bit integer conversion: optional leading blanks, an optional sign, then
// decimal digits or "$" followed by hexadecimal digits (up to 8; values above $7FFFFFFF wrap
// to negative as a 32-bit pattern). Nothing may follow.
std::optional<std::int32_t> TryStrToInt(std::string_view text);
// As TryStrToInt; throws ConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// "%.3f" with a point: 107.9 -> "107.900".
std::string FormatFixed3(double value);

// Plain decimal integer with a leading "-" when negative.
std::string FormatInt(std::int64_t value);

// The 23-character exponent form of the options file: a blank or "-", one digit, a point,
// 14 digits, "E", a sign and a four-digit exponent, rounded to 15 significant digits.
// 0.1 -> " 1.00000000000000E-0001".
std::string FormatExponent23(double value);

// The general form with 15 significant digits and no trailing zeros: 0.1 -> "0.1",
// 0.1 + 0.2 -> "0.3", 100 -> "100"; exponent form ("1E-5", "1.5E20") when the decimal point
// would lie more than 15 places right or more than 4 places left of the first digit.
std::string FormatGeneral(double value);

}  // namespace orvaltic
