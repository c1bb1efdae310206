#pragma once

#include <iosfwd>
#include <set>
#include <string>
#include <string_view>

#include "core/platform/text_file.h"

namespace orvaltic {

// Which settings files this run could not read completely: a read that stopped at a bad
// number, cut an over-long line, left content unread, or could not read an existing file at
// all. What memory holds of such a file is less than the file, so the first save over it keeps
// the old bytes as NAME.bak beside it and says so on `report`; later saves replace it normally.
// A path is known by its canonical form, so "Orvaltic.CFG" and "./Orvaltic.CFG" are one file.
class SettingsReads {
 public:
  explicit SettingsReads(std::ostream& report) : report_(&report) {}

  // The outcome of reading `path`: `whole` when everything in it was taken.
  void NoteRead(const std::string& path, bool whole);
  // `path` could not be opened or read; it counts as read in part when it exists.
  void NoteUnreadable(const std::string& path);

  bool ReadInPart(const std::string& path) const;

  // Saves `contents` over `path` atomically; a file read in part is first kept as NAME.bak.
  // Throws InOutError as SaveFileAtomically does, and then nothing is kept or forgotten.
  void Save(const std::string& path, std::string_view contents);

 private:
  static std::string Key(const std::string& path);

  std::ostream* report_;
  std::set<std::string> read_in_part_;
};

// Saves through `reads` when there is one, else as a plain atomic save.
void SaveSettingsFile(SettingsReads* reads, const std::string& path, std::string_view contents);

}  // namespace orvaltic
