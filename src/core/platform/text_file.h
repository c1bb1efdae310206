#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/errors.h"

namespace orvaltic {

// The longest text field a settings reader keeps by default: far beyond any real name, small
// enough that a damaged or foreign file cannot exhaust memory.
inline constexpr std::size_t kMaxSettingsLineLength = 4096;

struct TextReadLimits {
  // Bytes of a text field kept; the rest of a longer line is skipped and counts as lost.
  std::size_t max_line_length = kMaxSettingsLineLength;
  // Bytes of a file read at most; what lies beyond counts as lost, so a huge or endless file (a
  // sparse one of gigabytes, a device file behind a link) is never read through. A settings
  // format sets it to what its lines can hold (ForLines).
  std::size_t max_file_size = std::size_t{64} << 20;

  static constexpr std::size_t MaxFileSizeOf(std::size_t lines, std::size_t max_line_length) {
    // A byte order mark, and each line with a CR LF end.
    return 3 + lines * (max_line_length + 2);
  }
  // The limits of a settings format of `lines` lines.
  static constexpr TextReadLimits ForLines(std::size_t lines) {
    TextReadLimits limits;
    limits.max_file_size = MaxFileSizeOf(lines, limits.max_line_length);
    return limits;
  }
};

// Reads a settings file by the rules both settings files share:
// - a UTF-8 byte order mark at the very start is skipped;
// - a text field is the rest of the line, without its line end;
// - a line ends at CR, at LF, or at CR LF (one LF directly after a CR belongs to its line end);
// - the byte 0x1A (Ctrl-Z) ends the file; fields after it are not read, and the file then
//   counts as not read whole;
// - a number field skips every byte up to 0x20 (blanks, tabs, line ends), takes the following
//   non-blank bytes (at most 64 for a frequency, 32 for an integer), converts them, and skips
//   the rest of that line. A non-number throws InOutError "Invalid numeric input" (code 106);
// - at the end of the file a number reads as 0 and a text as empty, without an error.
// A file on disk is read as the fields ask for it, in blocks, so the memory used does not grow
// with the file: only the fields the format holds are ever kept.
class TextFileReader {
 public:
  // The contents of a file already in memory.
  explicit TextFileReader(std::string contents, TextReadLimits limits = {});

  // Opens `path` and reads its first block; nullopt when the file cannot be opened or read
  // (missing, a folder, a FIFO, no permission).
  static std::optional<TextFileReader> Open(const std::string& path, TextReadLimits limits = {});

  TextFileReader(TextFileReader&& other) noexcept;
  TextFileReader& operator=(TextFileReader&& other) noexcept;
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;
  ~TextFileReader();

  std::string ReadTextLine();
  double ReadFloatLine();
  std::int32_t ReadIntegerLine();

  bool AtEnd();

  // True when every text field so far was taken whole, no read failed part-way, and nothing
  // but blanks and line ends follows, before or after an end-of-file byte: a save of what was
  // read then loses nothing of the file. Reads on to the end of the file (keeping nothing, and
  // no further than the size limit) to find out.
  bool ReadWhole();

 private:
  TextFileReader(int fd, TextReadLimits limits);

  // The next byte, or -1 at the end of the file (its real end, a Ctrl-Z, or a failed read).
  int Peek();
  // Whether anything but blanks and end-of-file bytes follows an end-of-file byte.
  bool FieldsAfterMark();
  void Next() { ++pos_; }
  // Reads the next block of the file; false at its end.
  bool Fill();
  void CloseFile();
  void SkipByteOrderMark();
  std::string ReadNumberToken(std::size_t max_length);
  void SkipLine();

  std::string buffer_;
  std::size_t pos_ = 0;
  int fd_ = -1;
  bool ended_ = false;
  bool ended_at_mark_ = false;  // at a Ctrl-Z, with the file still open behind it
  bool lost_ = false;
  std::size_t file_bytes_ = 0;  // read from the file so far
  TextReadLimits limits_;
};

// Builds a settings file line by line (each line ended by CR LF) and saves it atomically: the
// text goes to a temporary file in the target's folder, is flushed to disk and renamed over the
// target, so a failed or interrupted save leaves the previous file whole. A failure throws
// InOutError: "File access denied", "Invalid filename", "Disk full" or "I/O error <errno>".
class TextFileWriter {
 public:
  // Writes the line's text up to its first CR, LF or Ctrl-Z: the reader ends a line at CR or
  // LF and the file at Ctrl-Z, so a pasted line break would otherwise push every later field
  // onto the wrong line.
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

// Called with the file a save is about to replace (symbolic links resolved) once the new
// contents are safely on disk; it may throw InOutError to stop the save.
using BeforeReplace = std::function<void(const std::string& target)>;

// Saves `contents` to `path` through a temporary file, using `calls` for the system calls.
// Throws InOutError as TextFileWriter::SaveTo does. An existing target that is a folder, not a
// regular file, or not writable by this process is refused before anything is written; a
// symbolic link is kept and the file it points to is replaced. Temporary files that earlier,
// interrupted saves of the same target left behind are removed first. `before_replace`, when
// given, runs only when the target exists.
void SaveFileAtomically(const std::string& path, std::string_view contents, FileSystemCalls& calls,
                        const BeforeReplace& before_replace = {});

// Keeps the present bytes of the regular file `path` as `backup_path`, replacing any older
// backup atomically. Throws InOutError when no copy could be made.
void KeepBackupCopy(const std::string& path, const std::string& backup_path);

// A write past the process's file-size limit would otherwise kill the program with SIGXFSZ in
// the middle of a save; ignored, the write fails with EFBIG and the save reports "Disk full".
// Leaves a handler that someone else installed alone. Every save calls it; it is cheap.
void IgnoreFileSizeSignal();

// The message of a save that failed with the system error `err`.
InOutError MakeInOutError(int err);

}  // namespace orvaltic
