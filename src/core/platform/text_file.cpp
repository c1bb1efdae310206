#include "core/platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "core/platform/numbers.h"

namespace orvaltic {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kMaxFloatLength = 64;
constexpr std::size_t kMaxIntegerLength = 32;
constexpr int kInvalidNumericInput = 106;

// Temporary names are "." + the target's name, shortened so that they stay within the name
// limit, + "." + six letters or digits.
constexpr std::size_t kMaxStem = 200;
constexpr std::size_t kSuffixLength = 6;

// Blanks, tabs, line ends and every other control byte below them.
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// The folder prefix of a path ("" for the working directory, else up to and including the
// last slash) and its last component.
struct PathParts {
  std::string folder_prefix;
  std::string name;
};

PathParts SplitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return {"", path};
  }
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Follows symbolic links to the file they finally name, so that a save replaces that file and
// leaves the link in place. A dangling link yields the missing file it names.
std::string ResolveLinks(std::string path) {
  constexpr int kMaxLinks = 40;
  for (int depth = 0;; ++depth) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return path;
    }
    if (depth == kMaxLinks) {
      throw MakeInOutError(ELOOP);
    }
    std::string target(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 256, '\0');
    for (;;) {
      const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
      if (n < 0) {
        throw MakeInOutError(errno);
      }
      if (static_cast<std::size_t>(n) < target.size()) {
        target.resize(static_cast<std::size_t>(n));
        break;
      }
      target.resize(target.size() * 2);
    }
    path = target.starts_with('/') ? target : SplitPath(path).folder_prefix + target;
  }
}

// Six letters or digits for a temporary file name; uniqueness itself comes from O_EXCL.
std::string RandomSuffix() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 engine = [] {
    std::random_device device;
    const auto now =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return std::mt19937_64((static_cast<std::uint64_t>(device()) << 32) ^ device() ^ now ^
                           static_cast<std::uint64_t>(::getpid()));
  }();
  std::uniform_int_distribution<std::size_t> pick(0, sizeof(kChars) - 2);
  std::string suffix(kSuffixLength, '\0');
  for (char& c : suffix) {
    c = kChars[pick(engine)];
  }
  return suffix;
}

// Makes the rename itself durable. A folder that cannot be synced does not undo a save that
// has already replaced the file, so failures are ignored here.
void SyncFolder(const std::string& folder_prefix, FileSystemCalls& calls) {
  const std::string folder = folder_prefix.empty() ? "." : folder_prefix;
  const int fd = calls.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) {
    return;
  }
  calls.Fsync(fd);
  calls.Close(fd);
}

std::string TemporaryPrefix(const std::string& name) {
  return "." + name.substr(0, kMaxStem) + ".";
}

bool IsAlphanumeric(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Saves killed between creating their temporary file and renaming it leave the file behind, one
// per kill and each as large as the target. Only our own regular files named exactly like our
// temporaries of this target are removed.
void RemoveStaleTemporaries(const PathParts& parts, FileSystemCalls& calls) {
  const std::string prefix = TemporaryPrefix(parts.name);
  const std::string folder = parts.folder_prefix.empty() ? "." : parts.folder_prefix;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + kSuffixLength || !name.starts_with(prefix) ||
        !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     IsAlphanumeric)) {
      continue;
    }
    const std::string path = parts.folder_prefix + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
      calls.Unlink(path.c_str());
    }
  }
}

// Creates a new temporary file for `parts` with O_EXCL; throws InOutError when none can be made.
int CreateTemporary(const PathParts& parts, unsigned mode, FileSystemCalls& calls,
                    std::string& temp) {
  constexpr int kMaxAttempts = 100;
  int fd = -1;
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    temp = parts.folder_prefix + TemporaryPrefix(parts.name) + RandomSuffix();
    fd = calls.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || (errno != EEXIST && errno != EINTR)) {
      break;
    }
  }
  if (fd < 0) {
    throw MakeInOutError(errno);
  }
  return fd;
}

}  // namespace

TextFileReader::TextFileReader(std::string contents, TextReadLimits limits)
    : buffer_(std::move(contents)), limits_(limits) {
  SkipByteOrderMark();
}

TextFileReader::TextFileReader(int fd, TextReadLimits limits) : fd_(fd), limits_(limits) {}

TextFileReader::TextFileReader(TextFileReader&& other) noexcept
    : buffer_(std::move(other.buffer_)),
      pos_(other.pos_),
      fd_(std::exchange(other.fd_, -1)),
      ended_(other.ended_),
      ended_at_mark_(other.ended_at_mark_),
      lost_(other.lost_),
      file_bytes_(other.file_bytes_),
      limits_(other.limits_) {}

TextFileReader& TextFileReader::operator=(TextFileReader&& other) noexcept {
  if (this != &other) {
    CloseFile();
    buffer_ = std::move(other.buffer_);
    pos_ = other.pos_;
    fd_ = std::exchange(other.fd_, -1);
    ended_ = other.ended_;
    ended_at_mark_ = other.ended_at_mark_;
    lost_ = other.lost_;
    file_bytes_ = other.file_bytes_;
    limits_ = other.limits_;
  }
  return *this;
}

TextFileReader::~TextFileReader() {
  CloseFile();
}

std::optional<TextFileReader> TextFileReader::Open(const std::string& path, TextReadLimits limits) {
  // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; only regular files are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  TextFileReader reader(fd, limits);
  // A file that fails at its first read is one that cannot be read at all.
  if (!reader.Fill() && reader.lost_) {
    return std::nullopt;
  }
  reader.SkipByteOrderMark();
  return reader;
}

void TextFileReader::CloseFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

bool TextFileReader::Fill() {
  constexpr std::size_t kBlockSize = 65536;
  if (fd_ < 0) {
    return false;
  }
  buffer_.erase(0, pos_);
  pos_ = 0;
  const std::size_t kept = buffer_.size();
  const std::size_t allowed =
      limits_.max_file_size > file_bytes_ ? limits_.max_file_size - file_bytes_ : 0;
  // At the limit one more byte is asked for, only to tell a file that ends there from a longer
  // one; it is never used.
  const std::size_t block = std::max<std::size_t>(std::min(kBlockSize, allowed), 1);
  buffer_.resize(kept + block);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + kept, block);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n > 0 && allowed == 0) {
      buffer_.resize(kept);
      lost_ = true;
      CloseFile();
      return false;
    }
    buffer_.resize(kept + (n > 0 ? static_cast<std::size_t>(n) : 0));
    if (n > 0) {
      file_bytes_ += static_cast<std::size_t>(n);
      return true;
    }
    // A read that fails part-way ends the file here; what was not reached is lost to a save.
    lost_ = lost_ || n < 0;
    CloseFile();
    return false;
  }
}

int TextFileReader::Peek() {
  while (!ended_ && pos_ >= buffer_.size()) {
    if (!Fill()) {
      ended_ = true;
    }
  }
  if (ended_) {
    return -1;
  }
  const char c = buffer_[pos_];
  if (c == kEndOfFile) {
    // Nothing after the end-of-file byte is read as a field; whether anything is lost there is
    // looked at only when asked (ReadWhole).
    ended_ = true;
    ended_at_mark_ = true;
    return -1;
  }
  return static_cast<unsigned char>(c);
}

void TextFileReader::SkipByteOrderMark() {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  while (buffer_.size() - pos_ < kByteOrderMark.size() && Fill()) {
  }
  if (std::string_view(buffer_).substr(pos_).starts_with(kByteOrderMark)) {
    pos_ += kByteOrderMark.size();
  }
}

std::string TextFileReader::ReadTextLine() {
  std::string text;
  for (int c = Peek(); c >= 0 && c != '\r' && c != '\n'; c = Peek()) {
    if (text.size() == limits_.max_line_length) {
      lost_ = true;
      break;
    }
    text.push_back(static_cast<char>(c));
    Next();
  }
  SkipLine();
  return text;
}

double TextFileReader::ReadFloatLine() {
  const std::string token = ReadNumberToken(kMaxFloatLength);
  if (token.empty()) {
    return 0.0;
  }
  const std::optional<double> value = TryStrToFloat(token);
  if (!value) {
    throw InOutError("Invalid numeric input", kInvalidNumericInput);
  }
  SkipLine();
  return *value;
}

std::int32_t TextFileReader::ReadIntegerLine() {
  const std::string token = ReadNumberToken(kMaxIntegerLength);
  if (token.empty()) {
    return 0;
  }
  const std::optional<std::int32_t> value = TryStrToInt(token);
  if (!value) {
    throw InOutError("Invalid numeric input", kInvalidNumericInput);
  }
  SkipLine();
  return *value;
}

bool TextFileReader::AtEnd() {
  return Peek() < 0;
}

bool TextFileReader::ReadWhole() {
  for (int c = Peek(); c >= 0; c = Peek()) {
    if (!IsBlank(static_cast<char>(c))) {
      return false;
    }
    Next();
  }
  if (ended_at_mark_ && FieldsAfterMark()) {
    lost_ = true;
  }
  return !lost_;
}

bool TextFileReader::FieldsAfterMark() {
  ended_at_mark_ = false;
  ++pos_;  // the end-of-file byte itself
  for (;;) {
    for (; pos_ < buffer_.size(); ++pos_) {
      const char c = buffer_[pos_];
      if (c != kEndOfFile && !IsBlank(c)) {
        CloseFile();
        return true;
      }
    }
    if (!Fill()) {
      return false;
    }
  }
}

// Empty only at the end of the file: otherwise a non-blank byte follows the skipped blanks.
std::string TextFileReader::ReadNumberToken(std::size_t max_length) {
  int c = Peek();
  while (c >= 0 && IsBlank(static_cast<char>(c))) {
    Next();
    c = Peek();
  }
  std::string token;
  while (c >= 0 && token.size() < max_length && !IsBlank(static_cast<char>(c))) {
    token.push_back(static_cast<char>(c));
    Next();
    c = Peek();
  }
  return token;
}

// Skips the rest of the line and its line end: CR, LF, or CR LF. A long rest is passed over a
// block at a time.
void TextFileReader::SkipLine() {
  constexpr std::string_view kStops("\r\n\x1A", 3);
  while (Peek() >= 0) {
    const std::size_t stop = buffer_.find_first_of(kStops, pos_);
    if (stop != std::string::npos) {
      pos_ = stop;
      break;
    }
    pos_ = buffer_.size();
  }
  const int c = Peek();
  if (c < 0) {
    return;
  }
  Next();
  if (c == '\r' && Peek() == '\n') {
    Next();
  }
}

void TextFileWriter::WriteLine(std::string_view text) {
  contents_.append(text.substr(0, text.find_first_of("\r\n\x1A")));
  contents_.append("\r\n");
}

void TextFileWriter::SaveTo(const std::string& path) const {
  FileSystemCalls calls;
  SaveFileAtomically(path, contents_, calls);
}

int FileSystemCalls::Open(const char* path, int flags, unsigned mode) {
  return ::open(path, flags, static_cast<mode_t>(mode));
}

long FileSystemCalls::Write(int fd, const void* data, std::size_t size) {
  return static_cast<long>(::write(fd, data, size));
}

int FileSystemCalls::Fsync(int fd) {
  return ::fsync(fd);
}

int FileSystemCalls::Close(int fd) {
  return ::close(fd);
}

int FileSystemCalls::Rename(const char* from, const char* to) {
  return ::rename(from, to);
}

int FileSystemCalls::Unlink(const char* path) {
  return ::unlink(path);
}

void SaveFileAtomically(const std::string& path, std::string_view contents, FileSystemCalls& calls,
                        const BeforeReplace& before_replace) {
  IgnoreFileSizeSignal();
  if (path.empty()) {
    throw MakeInOutError(ENOENT);
  }
  const std::string target = ResolveLinks(path);
  const PathParts parts = SplitPath(target);
  if (parts.name.empty() || parts.name == "." || parts.name == "..") {
    throw MakeInOutError(EISDIR);
  }

  // The rename would replace a file we may not write, so check first what open() would refuse.
  struct stat st {};
  bool exists = false;
  if (::stat(target.c_str(), &st) == 0) {
    exists = true;
    if (S_ISDIR(st.st_mode)) {
      throw MakeInOutError(EISDIR);
    }
    if (!S_ISREG(st.st_mode)) {
      // Never rename over a device, a FIFO or a socket.
      throw MakeInOutError(EACCES);
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      throw MakeInOutError(errno);
    }
  } else if (errno != ENOENT) {
    throw MakeInOutError(errno);
  }

  RemoveStaleTemporaries(parts, calls);
  std::string temp;
  int fd = CreateTemporary(parts, exists ? 0600u : 0666u, calls, temp);

  // Removes the temporary file; `err` is taken before the cleanup calls can change errno.
  auto abandon = [&](int err) {
    if (fd >= 0) {
      calls.Close(fd);
      fd = -1;
    }
    calls.Unlink(temp.c_str());
    return MakeInOutError(err);
  };

  if (exists) {
    // Best effort: the replacement keeps the owner and permission bits of the old file.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Only a privileged process may give a file away; it then stays ours.
    }
    ::fchmod(fd, st.st_mode & 07777);
  }

  const char* data = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    const long n = calls.Write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw abandon(errno);
    }
    if (n == 0 || static_cast<std::size_t>(n) > left) {
      throw abandon(EIO);
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  while (calls.Fsync(fd) != 0) {
    if (errno != EINTR) {
      throw abandon(errno);
    }
  }
  // After close() the descriptor is gone even when it reports an error; EINTR loses nothing
  // that fsync() has not already written.
  const int closed = calls.Close(fd);
  const int close_error = errno;
  fd = -1;
  if (closed != 0 && close_error != EINTR) {
    throw abandon(close_error);
  }
  if (exists && before_replace) {
    try {
      before_replace(target);
    } catch (const InOutError&) {
      calls.Unlink(temp.c_str());
      throw;
    }
  }
  if (calls.Rename(temp.c_str(), target.c_str()) != 0) {
    throw abandon(errno);
  }
  SyncFolder(parts.folder_prefix, calls);
}

void KeepBackupCopy(const std::string& path, const std::string& backup_path) {
  FileSystemCalls calls;
  const PathParts parts = SplitPath(backup_path);
  RemoveStaleTemporaries(parts, calls);
  std::string temp;
  // A second name for the old file costs nothing and needs no read permission; where the
  // file system has no hard links the bytes are copied.
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = parts.folder_prefix + TemporaryPrefix(parts.name) + RandomSuffix();
    if (::link(path.c_str(), temp.c_str()) == 0) {
      if (::rename(temp.c_str(), backup_path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw MakeInOutError(err);
      }
      SyncFolder(parts.folder_prefix, calls);
      return;
    }
    if (errno != EEXIST) {
      break;
    }
  }

  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) {
    throw MakeInOutError(errno);
  }
  // Block by block, so that even a huge file is copied in little memory.
  int out = -1;
  try {
    out = CreateTemporary(parts, 0600u, calls, temp);
  } catch (const InOutError&) {
    ::close(in);
    throw;
  }
  std::string block(65536, '\0');
  int err = 0;
  while (err == 0) {
    const ssize_t n = ::read(in, block.data(), block.size());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      err = n < 0 ? errno : 0;
      break;
    }
    for (std::size_t done = 0; done < static_cast<std::size_t>(n);) {
      const long written =
          calls.Write(out, block.data() + done, static_cast<std::size_t>(n) - done);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        err = written < 0 ? errno : EIO;
        break;
      }
      done += static_cast<std::size_t>(written);
    }
  }
  ::close(in);
  if (err == 0 && calls.Fsync(out) != 0) {
    err = errno;
  }
  if (calls.Close(out) != 0 && err == 0 && errno != EINTR) {
    err = errno;
  }
  if (err == 0 && calls.Rename(temp.c_str(), backup_path.c_str()) != 0) {
    err = errno;
  }
  if (err != 0) {
    calls.Unlink(temp.c_str());
    throw MakeInOutError(err);
  }
  SyncFolder(parts.folder_prefix, calls);
}

void IgnoreFileSizeSignal() {
  struct sigaction current {};
  if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
  }
}

InOutError MakeInOutError(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return InOutError("File access denied", err);
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
      return InOutError("Invalid filename", err);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return InOutError("Disk full", err);
    default:
      return InOutError("I/O error " + FormatInt(err), err);
  }
}

}  // namespace orvaltic
