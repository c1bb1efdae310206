#include "core/schedule/sched_field.h"

#include <array>

#include "core/platform/numbers.h"
#include "core/presets/station_lookup.h"

namespace orvaltic {

namespace {

constexpr std::array<std::string_view, 10> kDayKeywords = {
    "SUNDAY", "MONDAY",   "TUESDAY", "WEDNESDAY", "THURSDAY",
    "FRIDAY", "SATURDAY", "WEEK",    "WEEKEND",   "WEEKDAY"};

// The two digits at `pos` as a number within [low, high]; nullopt for anything else.
std::optional<int> TwoDigits(std::string_view text, std::size_t pos, int low, int high) {
  if (text.size() < pos + 2) {
    return std::nullopt;
  }
  const char tens = text[pos];
  const char ones = text[pos + 1];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
    return std::nullopt;
  }
  const int value = (tens - '0') * 10 + (ones - '0');
  if (value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> CheckFrequency(std::string& text, const PresetStore& presets) {
  if (const std::optional<double> value = TryStrToFloat(text)) {
    if (*value < 88.0 || *value > 108.0) {
      return kFrequencyRangeMessage;
    }
    text = FormatFixed3(*value);
    return std::nullopt;
  }
  // A station ID: looked up again whenever the program runs.
  if (FindStationFrequency(presets, text).empty()) {
    return kUnknownStationMessage;
  }
  return std::nullopt;
}

std::optional<std::string> CheckDateDay(std::string_view text) {
  if (text.find('/') != std::string_view::npos) {
    // Month lengths are not checked: 02/31/99 is accepted.
    const bool date = text.size() == 8 && text[2] == '/' && text[5] == '/' &&
                      TwoDigits(text, 0, 1, 12) && TwoDigits(text, 3, 1, 31) &&
                      TwoDigits(text, 6, 0, 99);
    return date ? std::nullopt : std::optional<std::string>(kDateDayFormatMessage);
  }
  return IsDayKeyword(text) ? std::nullopt : std::optional<std::string>(kDateDayFormatMessage);
}

std::optional<std::string> CheckTime(std::string& text) {
  const bool numbers = TwoDigits(text, 0, 1, 12) && TwoDigits(text, 3, 0, 59);
  text = UpperText(text);
  const bool time = numbers && text.size() == 8 && text[2] == ':' && text[5] == ' ' &&
                    (text.compare(6, 2, "AM") == 0 || text.compare(6, 2, "PM") == 0);
  return time ? std::nullopt : std::optional<std::string>(kTimeFormatMessage);
}

}  // namespace

bool IsDayKeyword(std::string_view text) {
  const std::string key = UpperText(text);
  for (const std::string_view keyword : kDayKeywords) {
    if (key == keyword) {
      return true;
    }
  }
  return false;
}

std::optional<std::string> CheckScheduleField(std::string& text, SchedField kind,
                                              const PresetStore& presets) {
  if (text.empty()) {
    return std::nullopt;
  }
  switch (kind) {
    case SchedField::kFrequency:
      return CheckFrequency(text, presets);
    case SchedField::kDateDay:
      return CheckDateDay(text);
    case SchedField::kTimeBegin:
    case SchedField::kTimeEnd:
      return CheckTime(text);
  }
  return std::nullopt;
}

}  // namespace orvaltic
