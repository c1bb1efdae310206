#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/platform/text_file.h"
#include "core/radio/card_backend.h"

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
// fill CardPort. Used before anything can show a box: the radio takes its port permission with
// it, and the command-line tool must stay silent. A file that cannot be opened counts as
// missing.
CardPortSetting ReadCardPortSetting(const std::string& path);

// Opens a settings file for a read that may run before the privileges are dropped: a file the
// real user (not a set-user-ID owner) may not read counts as one that cannot be opened.
std::optional<TextFileReader> OpenSettingsFile(const std::string& path);

}  // namespace orvaltic
