#include "gui/platform/qt_clock.h"

#include <QDateTime>
#include <QString>

#include <string>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {
namespace {

// The first run of characters that are neither field letters, digits nor quoted text, or
// `fallback` when there is none or it is only blanks.
std::string FirstSeparator(const QString& format, const char* fallback) {
  QString run;
  bool quoted = false;
  for (const QChar c : format) {
    if (c == QLatin1Char('\'')) {
      quoted = !quoted;
      if (!run.isEmpty()) {
        break;
      }
      continue;
    }
    if (quoted || c.isLetterOrNumber()) {
      if (!run.isEmpty()) {
        break;
      }
      continue;
    }
    run.append(c);
  }
  // A date written with blanks between its fields ("8 Dec 2026" in the C locale) has no
  // separator to offer: "12 08 2026" would not read as a date.
  return run.trimmed().isEmpty() ? std::string(fallback) : ToCoreText(run);
}

}  // namespace

DateTime QtClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return DateTime{date.year(),   date.month(),  date.day(), time.hour(),
                  time.minute(), time.second(), time.msec()};
}

DateLocale DateLocaleFrom(const QLocale& locale) {
  DateLocale result;
  result.date_separator = FirstSeparator(locale.dateFormat(QLocale::ShortFormat), "/");
  result.time_separator = FirstSeparator(locale.timeFormat(QLocale::ShortFormat), ":");
  // DateLocale counts from Sunday; QLocale numbers Monday 1 .. Sunday 7.
  for (int day = 0; day < 7; ++day) {
    const int qt_day = day == 0 ? 7 : day;
    result.long_day_names[static_cast<std::size_t>(day)] =
        ToCoreText(locale.dayName(qt_day, QLocale::LongFormat));
  }
  const QString am = locale.amText();
  const QString pm = locale.pmText();
  result.am = am.isEmpty() ? "AM" : ToCoreText(am);
  result.pm = pm.isEmpty() ? "PM" : ToCoreText(pm);
  return result;
}

DateLocale SystemDateLocale() {
  return DateLocaleFrom(QLocale::system());
}

}  // namespace orvaltic::gui
