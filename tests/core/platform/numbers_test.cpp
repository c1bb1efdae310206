#include "core/platform/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/platform/errors.h"

namespace orvaltic {
namespace {

struct FloatCase {
  const char* text;
  double value;
};

TEST(StrToFloatTest, AcceptsDecimalNumbers) {
  const FloatCase cases[] = {
      {"107.9", 107.9},
      {"0", 0.0},
      {"  88.1", 88.1},
      {"\t88.1", 88.1},
      {"+99.5", 99.5},
      {"-0.5", -0.5},
      {" -12", -12.0},
      {"1.", 1.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"1e5", 1e5},
      {"1E-2", 0.01},
      {"2.5e+3", 2500.0},
      {"007.50", 7.5},
      {"1e-400", 0.0},
      {"1e308", 1e308},
      {" 1.00000000000000E-0001", 0.1},
      {"-1.5E+0020", -1.5e20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto value = TryStrToFloat(c.text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.value);
    EXPECT_EQ(StrToFloat(c.text), c.value);
  }
}

TEST(StrToFloatTest, RejectsEverythingElse) {
  const char* const cases[] = {
      "",      " ",     "inf",   "-inf",   "nan",   "Infinity", "0x1p3", "0x10",      "99,5",
      "99.5 ", "99.5x", ".",     "-.",     "e5",    "1e",       "1e+",   "1e-",       "+-1",
      "- 1",   "1 e5",  "1e400", "-1e400", "1.2.3", "$10",      "1,000", "\302\2401",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(TryStrToFloat(text).has_value());
  }
}

TEST(StrToFloatTest, HugeExponentsOverflowOrUnderflow) {
  EXPECT_FALSE(TryStrToFloat("1e99999999999999999999").has_value());
  EXPECT_EQ(TryStrToFloat("1e-99999999999999999999"), 0.0);
  EXPECT_EQ(TryStrToFloat("0.000000000000000000001e-400"), 0.0);
  EXPECT_EQ(TryStrToFloat("0e99999999999999999999"), 0.0);
  EXPECT_EQ(TryStrToFloat("0.0000000001e+318"), 1e308);
}

TEST(StrToFloatTest, ThrowsWithTheWholeTextInTheMessage) {
  for (const char* text : {"abc", "", " 99.5 ", "1,5"}) {
    SCOPED_TRACE(text);
    try {
      StrToFloat(text);
      ADD_FAILURE() << "no ConvertError";
    } catch (const ConvertError& e) {
      EXPECT_EQ(std::string(e.what()),
                "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
  EXPECT_THROW(StrToFloat("nan"), ConvertError);
}

struct IntCase {
  const char* text;
  std::int32_t value;
};

TEST(StrToIntTest, AcceptsDecimalAndHexadecimal) {
  const IntCase cases[] = {
      {"0", 0},
      {"  42", 42},
      {"+7", 7},
      {"-15", -15},
      {"$30C", 780},
      {"$30c", 780},
      {"-$10", -16},
      {"+$20C", 524},
      {"$FFFFFFFF", -1},
      {"$80000000", std::numeric_limits<std::int32_t>::min()},
      {"$000000000001", 1},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"0000000000002147483647", 2147483647},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TryStrToInt(c.text), c.value);
    EXPECT_EQ(StrToInt(c.text), c.value);
  }
}

TEST(StrToIntTest, RejectsEverythingElse) {
  const char* const cases[] = {
      "",
      " ",
      "$",
      "-",
      "12 ",
      "1.0",
      "1e3",
      "$1G",
      "$-10",
      "0x30C",
      "2147483648",
      "-2147483649",
      "99999999999999999999",
      "$100000000",
      "- 5",
      "12a",
      "+",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(TryStrToInt(text).has_value());
  }
  try {
    StrToInt("12 ");
    ADD_FAILURE() << "no ConvertError";
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'12 ' is not a valid integer value");
  }
}

struct FormatCase {
  double value;
  const char* text;
};

TEST(FormatFixed3Test, ThreeDecimalsWithAPoint) {
  const FormatCase cases[] = {
      {107.9, "107.900"},   {88.0, "88.000"},
      {0.0, "0.000"},       {-0.5, "-0.500"},
      {99.9996, "100.000"}, {1.0005, "1.000"},
      {2.5e-4, "0.000"},    {-1e-4, "0.000"},
      {-0.0, "0.000"},      {123456789.0, "123456789.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatFixed3(c.value), c.text);
  }
  EXPECT_EQ(FormatFixed3(1e300).size(), 305u);
}

TEST(FormatExponent23Test, TwentyThreeCharacters) {
  const FormatCase cases[] = {
      {0.1, " 1.00000000000000E-0001"},
      {0.01, " 1.00000000000000E-0002"},
      {0.05, " 5.00000000000000E-0002"},
      {0.15, " 1.50000000000000E-0001"},
      {0.0, " 0.00000000000000E+0000"},
      {-0.0, " 0.00000000000000E+0000"},
      {100.0, " 1.00000000000000E+0002"},
      {-2.5, "-2.50000000000000E+0000"},
      {0.1 + 0.2, " 3.00000000000000E-0001"},
      {9.9999999999999999, " 1.00000000000000E+0001"},
      {123456789012345678.0, " 1.23456789012346E+0017"},
      {1e-300, " 1.00000000000000E-0300"},
      {5e-324, " 4.94065645841247E-0324"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string text = FormatExponent23(c.value);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(text.size(), 23u);
  }
}

TEST(FormatExponent23Test, NonFiniteValuesCannotBeReadBack) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatExponent23(inf), " INF");
  EXPECT_EQ(FormatExponent23(-inf), "-INF");
  EXPECT_EQ(FormatExponent23(std::nan("")), " NAN");
  for (double value : {inf, -inf, std::nan("")}) {
    EXPECT_FALSE(TryStrToFloat(FormatExponent23(value)).has_value());
  }
}

TEST(FormatGeneralTest, FifteenDigitsWithoutTrailingZeros) {
  const FormatCase cases[] = {
      {0.1, "0.1"},
      {0.05, "0.05"},
      {0.01, "0.01"},
      {0.1 + 0.2, "0.3"},
      {100.0, "100"},
      {0.0001, "0.0001"},
      {1e-5, "1E-5"},
      {1.5e20, "1.5E20"},
      {1e15, "1E15"},
      {1e14, "100000000000000"},
      {-0.25, "-0.25"},
      {0.0, "0"},
      {-0.0, "0"},
      {107.9, "107.9"},
      {123.456, "123.456"},
      {-1.25e-7, "-1.25E-7"},
      {999999999999999.0, "999999999999999"},
      {9999999999999999.0, "1E16"},
      {0.00012345, "0.00012345"},
      {2.0 / 3.0, "0.666666666666667"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatGeneral(c.value), c.text);
  }
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FormatGeneral(std::nan("")), "NAN");
}

// What the options file writes must read back, and both forms carry the same 15 digits.
TEST(FormatRoundTripTest, WrittenFormsReadBackAlike) {
  for (double value : {0.1, 0.01, 0.05, 0.15, 1.0 / 3.0, 88.123456789, -2.5e-12, 6.02e23}) {
    SCOPED_TRACE(value);
    const auto from_exponent = TryStrToFloat(FormatExponent23(value));
    const auto from_general = TryStrToFloat(FormatGeneral(value));
    ASSERT_TRUE(from_exponent.has_value());
    ASSERT_TRUE(from_general.has_value());
    EXPECT_EQ(*from_exponent, *from_general);
    EXPECT_NEAR(*from_exponent, value, std::fabs(value) * 1e-14);
  }
}

// Restores the "C" locale however the test ends.
class CommaLocale {
 public:
  CommaLocale() : ok_(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {}
  ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

TEST(NumbersLocaleTest, DecimalCommaLocaleStillUsesAPoint) {
  CommaLocale locale;
  if (!locale.ok()) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(FormatFixed3(107.9), "107.900");
  EXPECT_EQ(FormatGeneral(0.05), "0.05");
  EXPECT_EQ(FormatExponent23(0.1), " 1.00000000000000E-0001");
  EXPECT_EQ(StrToFloat("99.5"), 99.5);
  EXPECT_FALSE(TryStrToFloat("99,5").has_value());
}

}  // namespace
}  // namespace orvaltic
