#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvaltic {

// A local date and time as the clock shows it.
struct DateTime {
  int year = 1899;
  int month = 12;  // 1..12
  int day = 30;    // 1..31
  int hour = 0;    // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  // 0 = Sunday .. 6 = Saturday, computed from the date.
  int DayOfWeek() const;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The user's regional settings that date/time texts depend on.
struct DateLocale {
  std::string date_separator = "/";
  std::string time_separator = ":";
  // Sunday first.
  std::array<std::string, 7> long_day_names = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
  std::string am = "AM";
  std::string pm = "PM";

  static DateLocale English() { return DateLocale{}; }
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
  // The user's regional settings for date and time texts shown to the user.
  virtual DateLocale Locale() const { return DateLocale::English(); }
};

// Formats `time` by `pattern`. Tokens (letters in any case): "yyyy" four-digit year, "yy"
// two-digit year, "mm" month, "dd" day, "dddd" full weekday name, "hh" hour, "nn" minutes,
// "ss" seconds, "ampm" the morning/afternoon marker, whose presence anywhere in the pattern
// makes "hh" a 12-hour hour (12 for noon and midnight). "/" and ":" become the locale's date
// and time separators; every other character is copied.
std::string FormatDateTime(std::string_view pattern, const DateTime& time,
                           const DateLocale& locale);

}  // namespace orvaltic
