#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/presets/preset_store.h"

namespace orvaltic {

// The four fields of a program, in the editor's column order.
enum class SchedField { kFrequency, kDateDay, kTimeBegin, kTimeEnd };

inline constexpr char kFrequencyRangeMessage[] = "Valid frequency range is 88-108.";
inline constexpr char kUnknownStationMessage[] = "Station ID was not found.";
inline constexpr char kDateDayFormatMessage[] = "Format of date/day is incorrect.";
inline constexpr char kTimeFormatMessage[] = "Format of time is incorrect.";

// The field check of the schedule editor, without its box. An empty text is accepted. A
// frequency in the band is rewritten with three decimals; a station ID must be found in some
// preset's name and is kept as typed; a date is "mm/dd/yy" or one of the day keywords in any
// case; a time is "hh:mm AM" or "hh:mm PM", written back in capitals even when refused.
// Returns the message of a refusal, nullopt when accepted.
//
// Dates and times must be exactly what the schedule compares with the clock: a field with a
// blank or a sign for a digit, or with characters after "AM"/"PM", would be accepted and then
// never run, so it is refused.
std::optional<std::string> CheckScheduleField(std::string& text, SchedField kind,
                                              const PresetStore& presets);

// True when `text` is one of the ten day keywords, letters in any case.
bool IsDayKeyword(std::string_view text);

}  // namespace orvaltic
