#pragma once

#include <cstdint>
#include <string>

#include "core/radio/radio_limits.h"

namespace orvaltic {

// The card port the options file names, as the radio will use it.
struct CardPortSetting {
  enum class Source {
    kDefault,  // no readable options file: 0x30C
    kFile,     // CardPort of the file
    kRejected  // the reader stopped at a bad number; `port` is what CardPort held by then
  };
  Source source = Source::kDefault;
  std::uint16_t port = kDefaultCardPort;  // the low 16 bits of CardPort
  std::string error;                      // for kRejected: "Invalid numeric input"
};

// Reads the options file at `path` without any box or beep, as the radio's start-up read would
// fill CardPort. Used before anything can show a box: a real root's radio takes its port
// permission with it, and the command-line tool must stay silent. A file that cannot be opened
// counts as missing. The read uses the process's own rights: call it only once set-user-ID and
// capability privileges are gone, or in a real root's process.
CardPortSetting ReadCardPortSetting(const std::string& path);

}  // namespace orvaltic
