#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/errors.h"

namespace orvaltic {

// Reads a settings file by the rules both settings files share:
// - a text field is the rest of the line, without its line end;
// - a line ends at CR, and one LF directly after the CR belongs to the line end; a lone LF does
//   not end a line;
// - the byte 0x1A (Ctrl-Z) ends the file;
// - a number field skips every byte up to 0x20 (blanks, tabs, line ends), takes the following
//   non-blank bytes (at most 64 for a frequency, 32 for an integer), converts them, and skips
//   the rest of that line. A non-number throws InOutError "Invalid numeric input" (code 106);
// - at the end of the file a number reads as 0 and a text as empty, without an error.
class TextFileReader {
 public:
  // The contents of a file already read into memory.
  explicit TextFileReader(std::string contents);

  // Opens and reads `path`; nullopt when the file cannot be opened or read (missing, a folder,
  // no permission).
  static std::optional<TextFileReader> Open(const std::string& path);

  std::string ReadTextLine();
  double ReadFloatLine();
  std::int32_t ReadIntegerLine();

  bool AtEnd() const;

 private:
  std::string ReadNumberToken(std::size_t max_length);
  void SkipLine();

  std::string data_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

// Builds a settings file line by line (each line ended by CR LF) and saves it atomically: the
// text goes to a temporary file in the target's folder, is flushed to disk and renamed over the
// target, so a failed or interrupted save leaves the previous file whole. A failure throws
// InOutError: "File access denied", "Invalid filename", "Disk full" or "I/O error <errno>".
class TextFileWriter {
 public:
  // Writes the line's text up to its first CR or Ctrl-Z: the reader ends a line at CR and the
  // file at Ctrl-Z, so a pasted line break would otherwise push every later field onto the
  // wrong line. A lone LF is kept; it reads back unchanged.
  void WriteLine(std::string_view text);
  const std::string& Contents() const { return contents_; }
  void SaveTo(const std::string& path) const;

 private:
  std::string contents_;
};

// The operating-system calls a save needs, so tests can make them fail. The default forwards
// to the real system calls.
class FileSystemCalls {
 public:
  virtual ~FileSystemCalls() = default;
  virtual int Open(const char* path, int flags, unsigned mode);
  virtual long Write(int fd, const void* data, std::size_t size);
  virtual int Fsync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
};

// Saves `contents` to `path` through a temporary file, using `calls` for the system calls.
// Throws InOutError as TextFileWriter::SaveTo does. An existing target that is a folder, not a
// regular file, or not writable by this process is refused before anything is written; a
// symbolic link is kept and the file it points to is replaced.
void SaveFileAtomically(const std::string& path, std::string_view contents, FileSystemCalls& calls);

// The message of a save that failed with the system error `err`.
InOutError MakeInOutError(int err);

}  // namespace orvaltic
