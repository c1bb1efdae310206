#include "core/schedule/sched_list.h"

#include <string_view>

namespace orvaltic {

namespace {

// Whether `byte` starts a character in valid UTF-8 (anything but a continuation byte).
bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// UTF-8 when the text is valid UTF-8, else one byte per character (Windows-1252), as the
// windows decode it.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = lead <= 0xEF ? std::size_t{3} : std::size_t{0};
    } else if (lead >= 0xC2) {
      length = 2;
    } else if (lead >= 0x80) {
      length = 0;
    }
    if (length == 0 || i + length > text.size()) {
      return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if (StartsCharacter(text[i + k])) {
        return false;
      }
    }
    i += length;
  }
  return true;
}

std::size_t CharCount(std::string_view text, bool utf8) {
  if (!utf8) {
    return text.size();
  }
  std::size_t count = 0;
  for (const char byte : text) {
    count += StartsCharacter(byte) ? 1U : 0U;
  }
  return count;
}

// The first `n` characters of `text`.
std::string_view FirstChars(std::string_view text, std::size_t n, bool utf8) {
  if (!utf8) {
    return text.substr(0, n);
  }
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i]) && seen++ == n) {
      return text.substr(0, i);
    }
  }
  return text;
}

void AppendPadded(std::string& line, std::string_view text, std::size_t width, bool left) {
  const std::size_t chars = CharCount(text, IsUtf8(text));
  const std::string pad(chars < width ? width - chars : 0, ' ');
  line += left ? std::string(text) + pad : pad + std::string(text);
}

}  // namespace

std::string ProgramListLine(int k, const SchedRec& program) {
  std::string line;
  AppendPadded(line, std::to_string(k), 3, false);
  AppendPadded(line, FirstChars(program.Frequency, 7, IsUtf8(program.Frequency)), 9, false);
  line += "   ";
  AppendPadded(line, program.DateDay, 11, true);
  AppendPadded(line, program.TimeBegin, 11, true);
  line += program.TimeEnd;
  return line;
}

SchedList::SchedList(const SchedPrograms& programs, const Clock& clock, Timer& timer7)
    : programs_(programs), clock_(clock), timer7_(timer7) {}

void SchedList::FormActivate() {
  closed_ = false;
  timer7_.SetInterval(100);
  timer7_.SetEnabled(true);
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    controls_.ProgListLabel.at(static_cast<std::size_t>(k - 1)) =
        ProgramListLine(k, programs_.Program(k));
  }
  // Not the time of the last opening for the first tenth of a second.
  Timer7Timer();
}

void SchedList::Timer7Timer() {
  controls_.CurrentDateTimeLabel =
      kCurrentDateTimePrefix + FormatDateTime(kStatusClockPattern, clock_.Now(), clock_.Locale());
}

void SchedList::FormClose() {
  timer7_.SetEnabled(false);
}

void SchedList::MarkScannedProgram(int k) {
  if (k < 1 || k > kSchedProgramCount) {
    return;
  }
  for (int n = 1; n <= kSchedProgramCount; ++n) {
    controls_.PrgLightLabel.at(static_cast<std::size_t>(n - 1)) =
        n == k ? kScannedLight : kIdleLight;
  }
}

void SchedList::ShowScannedProgram(int k) {
  controls_.ScanProgLabel = kScanProgPrefix + std::to_string(k);
  MarkScannedProgram(k);
}

}  // namespace orvaltic
