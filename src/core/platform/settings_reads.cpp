#include "core/platform/settings_reads.h"

#include <sys/stat.h>

#include <filesystem>
#include <ostream>
#include <system_error>

namespace orvaltic {

std::string SettingsReads::Key(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
  if (!ec) {
    return canonical.string();
  }
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

void SettingsReads::NoteRead(const std::string& path, bool whole) {
  if (whole) {
    read_in_part_.erase(Key(path));
  } else {
    read_in_part_.insert(Key(path));
  }
}

void SettingsReads::NoteUnreadable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    read_in_part_.insert(Key(path));
  }
}

bool SettingsReads::ReadInPart(const std::string& path) const {
  return read_in_part_.contains(Key(path));
}

void SettingsReads::Save(const std::string& path, std::string_view contents) {
  const std::string key = Key(path);
  FileSystemCalls calls;
  if (!read_in_part_.contains(key)) {
    SaveFileAtomically(path, contents, calls);
    return;
  }
  std::string kept;
  SaveFileAtomically(path, contents, calls, [&kept](const std::string& target) {
    kept = target + ".bak";
    KeepBackupCopy(target, kept);
  });
  read_in_part_.erase(key);
  if (!kept.empty()) {
    *report_ << path << " could not be read completely; its previous contents are kept in " << kept
             << '\n'
             << std::flush;
  }
}

void SaveSettingsFile(SettingsReads* reads, const std::string& path, std::string_view contents) {
  if (reads != nullptr) {
    reads->Save(path, contents);
    return;
  }
  FileSystemCalls calls;
  SaveFileAtomically(path, contents, calls);
}

}  // namespace orvaltic
