#include "core/platform/clock.h"

#include <cstddef>
#include <cstdint>

#include "core/platform/numbers.h"

namespace orvaltic {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
// Any day number works; the month is brought into 1..12 first.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  const std::int64_t month0 = month - 1;
  year += (month0 >= 0 ? month0 : month0 - 11) / 12;
  month = (month0 % 12 + 12) % 12 + 1;
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

// The date of day `days` since 1970-01-01 (Howard Hinnant's civil_from_days).
void CivilFromDays(std::int64_t days, DateTime& date) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_from_march = (5 * day_of_year + 2) / 153;
  const std::int64_t month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
  date.year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  date.month = static_cast<int>(month);
  date.day = static_cast<int>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
}

// Rounds towards minus infinity, where "/" rounds towards zero.
std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `pattern` holds `token` (lower case) at `pos`, letters in any case.
bool TokenAt(std::string_view pattern, std::size_t pos, std::string_view token) {
  if (pattern.size() - pos < token.size()) {
    return false;
  }
  for (std::size_t k = 0; k < token.size(); ++k) {
    if (ToLowerAscii(pattern[pos + k]) != token[k]) {
      return false;
    }
  }
  return true;
}

// Decimal with at least `width` digits, zero-padded; a minus sign goes in front of the zeros.
std::string Padded(int value, std::size_t width) {
  const bool negative = value < 0;
  std::string digits = FormatInt(negative ? -std::int64_t{value} : std::int64_t{value});
  if (digits.size() < width) {
    digits.insert(0, width - digits.size(), '0');
  }
  return negative ? "-" + digits : digits;
}

}  // namespace

int DateTime::DayOfWeek() const {
  // 1970-01-01 was a Thursday (4).
  const std::int64_t days = DaysFromCivil(year, month, day);
  return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

std::int64_t WallMinute(const DateTime& time) {
  return DaysFromCivil(time.year, time.month, time.day) * 1440 + time.hour * 60 + time.minute;
}

DateTime FromWallMinute(std::int64_t minute) {
  DateTime time;
  const std::int64_t days = FloorDiv(minute, 1440);
  CivilFromDays(days, time);
  const std::int64_t of_day = minute - days * 1440;
  time.hour = static_cast<int>(of_day / 60);
  time.minute = static_cast<int>(of_day % 60);
  time.second = 0;
  time.millisecond = 0;
  return time;
}

std::string FormatDateTime(std::string_view pattern, const DateTime& time,
                           const DateLocale& locale) {
  bool twelve_hour = false;
  for (std::size_t pos = 0; pos < pattern.size() && !twelve_hour; ++pos) {
    twelve_hour = TokenAt(pattern, pos, "ampm");
  }

  std::string out;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    // Longer tokens first: "yyyy" before "yy", "dddd" before "dd".
    if (TokenAt(pattern, pos, "yyyy")) {
      out += Padded(time.year, 4);
      pos += 4;
    } else if (TokenAt(pattern, pos, "yy")) {
      out += Padded((time.year % 100 + 100) % 100, 2);
      pos += 2;
    } else if (TokenAt(pattern, pos, "dddd")) {
      out += locale.long_day_names[static_cast<std::size_t>(time.DayOfWeek())];
      pos += 4;
    } else if (TokenAt(pattern, pos, "dd")) {
      out += Padded(time.day, 2);
      pos += 2;
    } else if (TokenAt(pattern, pos, "mm")) {
      out += Padded(time.month, 2);
      pos += 2;
    } else if (TokenAt(pattern, pos, "hh")) {
      int hour = time.hour;
      if (twelve_hour) {
        hour %= 12;
        if (hour == 0) {
          hour = 12;
        }
      }
      out += Padded(hour, 2);
      pos += 2;
    } else if (TokenAt(pattern, pos, "nn")) {
      out += Padded(time.minute, 2);
      pos += 2;
    } else if (TokenAt(pattern, pos, "ss")) {
      out += Padded(time.second, 2);
      pos += 2;
    } else if (TokenAt(pattern, pos, "ampm")) {
      out += time.hour < 12 ? locale.am : locale.pm;
      pos += 4;
    } else if (pattern[pos] == '/') {
      out += locale.date_separator;
      ++pos;
    } else if (pattern[pos] == ':') {
      out += locale.time_separator;
      ++pos;
    } else {
      out.push_back(pattern[pos]);
      ++pos;
    }
  }
  return out;
}

}  // namespace orvaltic
