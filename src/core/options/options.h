#pragma once

#include <cstdint>
#include <string>

#include "core/radio/radio_limits.h"

namespace orvaltic {

// The options file in the working directory.
inline constexpr char kOptionsFileName[] = "Orvaltic.opt";

// The nine option variables, holding the values the program starts with before the options
// file is read (and keeps when it is missing). Other subsystems only read them; the options
// dialog's OK changes them.
struct Options {
  std::int32_t CardPort = kDefaultCardPort;
  std::string StartupStyle = "Style 1";
  double TuneRate = 0.1;
  double FineTuneRate = 0.01;
  std::int32_t ScanRate = 400;  // ms
  std::string ScanMethod = "Tune Rate";
  bool RaisedForm = true;
  std::string WaveFileName;
  bool AlarmTypeRadio = false;  // true: the alarm switches the audio on; false: plays the file

  friend bool operator==(const Options&, const Options&) = default;
};

}  // namespace orvaltic
