#pragma once

#include <array>
#include <cstdint>
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

// The minutes since 1970-01-01 00:00 of `time`'s date, hour and minute, counted as the wall
// clock shows them: the change to summer time skips an hour of them, the change back repeats one.
std::int64_t WallMinute(const DateTime& time);
// The date and time at second 00 of wall minute `minute`.
DateTime FromWallMinute(std::int64_t minute);
// How far back a tick after a gap in the clock looks for the minutes it skipped: with the
// tick's own, at most one day, so that no time of day is found twice.
inline constexpr std::int64_t kMaxSkippedMinutes = 24 * 60 - 1;

// Formats `time` by `pattern`. Tokens (letters in any case): "yyyy" four-digit year, "yy"
// two-digit year, "mm" month, "dd" day, "dddd" full weekday name, "hh" hour, "nn" minutes,
// "ss" seconds, "ampm" the morning/afternoon marker, whose presence anywhere in the pattern
// makes "hh" a 12-hour hour (12 for noon and midnight). "/" and ":" become the locale's date
// and time separators; every other character is copied.
std::string FormatDateTime(std::string_view pattern, const DateTime& time,
                           const DateLocale& locale);

}  // namespace orvaltic
