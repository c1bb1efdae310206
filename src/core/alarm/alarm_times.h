#pragma once

#include <string>

namespace orvaltic {

// The stored wake-up times: "hh:nn:00 AM" (11 characters) or "mm/dd/yyyy hh:nn:00 AM" (22).
struct AlarmTimes {
  std::string AlarmTime;
  std::string SnoozeTime;
  bool AlarmIncludesDate = false;
  bool SnoozeIncludesDate = false;

  friend bool operator==(const AlarmTimes&, const AlarmTimes&) = default;
};

}  // namespace orvaltic
