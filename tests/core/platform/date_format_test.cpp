#include <gtest/gtest.h>

#include <string>

#include "core/platform/clock.h"

namespace orvaltic {
namespace {

// 8 December 2026, 15:30:00, a Tuesday.
constexpr DateTime kAfternoon{2026, 12, 8, 15, 30, 0, 0};

DateLocale GermanLike() {
  DateLocale locale;
  locale.date_separator = ".";
  locale.time_separator = ".";
  locale.long_day_names = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                           "Donnerstag", "Freitag", "Samstag"};
  locale.am = "";
  locale.pm = "";
  return locale;
}

struct PatternCase {
  const char* pattern;
  const char* english;
  const char* german_like;
};

TEST(FormatDateTimeTest, PatternsInUse) {
  const PatternCase cases[] = {
      {"mm/dd/yyyy hh:nn:ss AMPM", "12/08/2026 03:30:00 PM", "12.08.2026 03.30.00 "},
      {"hh:nn:ss AMPM", "03:30:00 PM", "03.30.00 "},
      {"mm/dd/yy dddd hh:nn AMPM", "12/08/26 Tuesday 03:30 PM", "12.08.26 Dienstag 03.30 "},
      {"mm/dd/yy dddd hh:nn:ss AMPM", "12/08/26 Tuesday 03:30:00 PM",
       "12.08.26 Dienstag 03.30.00 "},
      {"hh:nn AMPM", "03:30 PM", "03.30 "},
      {"dddd", "Tuesday", "Dienstag"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FormatDateTime(c.pattern, kAfternoon, DateLocale::English()), c.english);
    EXPECT_EQ(FormatDateTime(c.pattern, kAfternoon, GermanLike()), c.german_like);
  }
}

TEST(FormatDateTimeTest, TokensAndLiterals) {
  const DateTime time{2026, 3, 4, 5, 6, 7, 0};
  const struct {
    const char* pattern;
    const char* text;
  } cases[] = {
      {"YYYY-MM-DD HH:NN:SS", "2026-03-04 05:06:07"},  // tokens in any case
      {"hh:nn", "05:06"},                              // no AMPM: 24-hour
      {"d m h y", "d m h y"},                          // single letters are copied
      {"ddd", "04d"},
      {"yyy", "26y"},
      {"ddddd", "Wednesdayd"},
      {"[ampm] hh", "[AM] 05"},
      {"hh AmPm", "05 AM"},
      {"a.m. x", "a.m. x"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FormatDateTime(c.pattern, time, DateLocale::English()), c.text);
  }
}

TEST(FormatDateTimeTest, TwelveHourClockAroundNoonAndMidnight) {
  const struct {
    int hour;
    const char* twelve;
    const char* twenty_four;
  } cases[] = {
      {0, "12:00 AM", "00:00"},  {1, "01:00 AM", "01:00"},  {11, "11:00 AM", "11:00"},
      {12, "12:00 PM", "12:00"}, {13, "01:00 PM", "13:00"}, {23, "11:00 PM", "23:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hour);
    const DateTime time{2026, 12, 8, c.hour, 0, 0, 0};
    EXPECT_EQ(FormatDateTime("hh:nn AMPM", time, DateLocale::English()), c.twelve);
    EXPECT_EQ(FormatDateTime("hh:nn", time, DateLocale::English()), c.twenty_four);
  }
}

TEST(FormatDateTimeTest, YearsAndSeparators) {
  const DateLocale english = DateLocale::English();
  EXPECT_EQ(FormatDateTime("mm/dd/yy", {2000, 1, 1, 0, 0, 0, 0}, english), "01/01/00");
  EXPECT_EQ(FormatDateTime("yy yyyy", {2009, 1, 1, 0, 0, 0, 0}, english), "09 2009");
  EXPECT_EQ(FormatDateTime("yyyy", {999, 1, 1, 0, 0, 0, 0}, english), "0999");

  DateLocale wide;
  wide.date_separator = "\xe2\x80\x94";  // em dash, three bytes
  wide.time_separator = "h";
  wide.am = "vorm.";
  wide.pm = "nachm.";
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn AMPM", kAfternoon, wide),
            "08\xe2\x80\x94"
            "12\xe2\x80\x94"
            "2026 03h30 nachm.");
}

TEST(DateTimeTest, DayOfWeekOfKnownDates) {
  const struct {
    int year, month, day, weekday;
  } cases[] = {
      {1601, 1, 1, 1},  {1899, 12, 30, 6}, {1900, 3, 1, 4},   {1970, 1, 1, 4},
      {2000, 2, 29, 2}, {2026, 12, 8, 2},  {9999, 12, 31, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ((DateTime{c.year, c.month, c.day, 0, 0, 0, 0}.DayOfWeek()), c.weekday);
  }
  EXPECT_EQ(DateTime{}.DayOfWeek(), 6);
  EXPECT_EQ(WallMinute({1970, 1, 2, 1, 2, 30, 500}), 1440 + 62);
  EXPECT_EQ(FromWallMinute(-1), (DateTime{1969, 12, 31, 23, 59, 0, 0}));
}

// Walks day by day across month ends and leap days: each day is one weekday after the last, and
// 1440 wall minutes, which lead back to its date.
TEST(DateTimeTest, DayOfWeekAndWallMinutesAdvanceEachDay) {
  int expected = DateTime{1999, 1, 1, 0, 0, 0, 0}.DayOfWeek();
  std::int64_t midnight = WallMinute({1999, 1, 1, 0, 0, 0, 0});
  for (int year = 1999; year <= 2101; ++year) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= lengths[month - 1]; ++day) {
        const int weekday = DateTime{year, month, day, 0, 0, 0, 0}.DayOfWeek();
        ASSERT_EQ(weekday, expected) << year << "-" << month << "-" << day;
        expected = (expected + 1) % 7;
        const DateTime last_minute{year, month, day, 23, 59, 0, 0};
        ASSERT_EQ(WallMinute(last_minute), midnight + 1439);
        ASSERT_EQ(FromWallMinute(midnight + 1439), last_minute);
        midnight += 1440;
      }
    }
  }
}

}  // namespace
}  // namespace orvaltic
