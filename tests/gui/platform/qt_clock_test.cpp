#include "gui/platform/qt_clock.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace orvaltic::gui {
namespace {

TEST(DateLocaleFromTest, UnitedStates) {
  const DateLocale locale = DateLocaleFrom(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(locale.date_separator, "/");
  EXPECT_EQ(locale.time_separator, ":");
  EXPECT_EQ(locale.long_day_names, DateLocale::English().long_day_names);
  EXPECT_EQ(locale.am, "AM");
  EXPECT_EQ(locale.pm, "PM");
}

TEST(DateLocaleFromTest, ALocaleThatWritesDatesWithBlanksGetsASlash) {
  EXPECT_EQ(DateLocaleFrom(QLocale::c()).date_separator, "/");
}

TEST(DateLocaleFromTest, Germany) {
  const DateLocale locale = DateLocaleFrom(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(locale.date_separator, ".");
  EXPECT_EQ(locale.time_separator, ":");
  EXPECT_EQ(locale.long_day_names,
            (std::array<std::string, 7>{"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag",
                                        "Freitag", "Samstag"}));
  EXPECT_FALSE(locale.am.empty());
  EXPECT_FALSE(locale.pm.empty());
  EXPECT_NE(locale.am, locale.pm);
}

TEST(DateLocaleFromTest, NonAsciiNamesArriveAsUtf8) {
  const DateLocale locale = DateLocaleFrom(QLocale(QLocale::French, QLocale::France));
  EXPECT_EQ(locale.date_separator, "/");
  EXPECT_EQ(locale.long_day_names[0], "dimanche");
  const DateLocale russian = DateLocaleFrom(QLocale(QLocale::Russian, QLocale::Russia));
  EXPECT_EQ(russian.long_day_names[1],
            "\xD0\xBF\xD0\xBE\xD0\xBD\xD0\xB5\xD0\xB4\xD0\xB5\xD0\xBB"
            "\xD1\x8C\xD0\xBD\xD0\xB8\xD0\xBA");  // Monday
}

TEST(QtClockTest, NowIsTheLocalTime) {
  const QDateTime before = QDateTime::currentDateTime();
  const DateTime now = QtClock().Now();
  const QDateTime after = QDateTime::currentDateTime();
  const QDateTime got(QDate(now.year, now.month, now.day),
                      QTime(now.hour, now.minute, now.second, now.millisecond));
  EXPECT_LE(before, got);
  EXPECT_LE(got, after);
}

}  // namespace
}  // namespace orvaltic::gui
