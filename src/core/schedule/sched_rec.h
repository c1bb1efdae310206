#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace orvaltic {

inline constexpr int kSchedProgramCount = 5;

// One scheduled program, kept as the texts the editor accepted.
struct SchedRec {
  std::string Frequency;  // "97.300" or a station ID
  std::string DateDay;    // "mm/dd/yy" or a day keyword
  std::string TimeBegin;  // "hh:mm AM"
  std::string TimeEnd;

  friend bool operator==(const SchedRec&, const SchedRec&) = default;
};

// The five programs, numbered 1 to 5.
struct SchedPrograms {
  std::array<SchedRec, kSchedProgramCount> records;

  // k = 1..5; anything else throws std::out_of_range.
  SchedRec& Program(int k) { return records.at(Index(k)); }
  const SchedRec& Program(int k) const { return records.at(Index(k)); }

  friend bool operator==(const SchedPrograms&, const SchedPrograms&) = default;

 private:
  static std::size_t Index(int k) {
    if (k < 1 || k > kSchedProgramCount) {
      throw std::out_of_range("schedule program " + std::to_string(k));
    }
    return static_cast<std::size_t>(k - 1);
  }
};

}  // namespace orvaltic
