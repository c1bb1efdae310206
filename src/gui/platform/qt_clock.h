#pragma once

#include <QLocale>

#include "core/platform/clock.h"

namespace orvaltic::gui {

// DateLocaleFrom the user's system locale.
DateLocale SystemDateLocale();

// The local date and time of the system clock.
class QtClock : public Clock {
 public:
  DateTime Now() const override;
  // The system locale as it was when the clock was made: the timers ask ten times a second.
  DateLocale Locale() const override { return locale_; }

 private:
  DateLocale locale_ = SystemDateLocale();
};

// The separators, day names and AM/PM markers of `locale`, as date texts need them: the date
// separator is the first run of characters between the fields of the short date format ("/"
// if there is none), the time separator likewise from the short time format (":").
DateLocale DateLocaleFrom(const QLocale& locale);

}  // namespace orvaltic::gui
