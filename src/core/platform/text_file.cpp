#include "core/platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <utility>

#include "core/platform/numbers.h"

namespace orvaltic {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kMaxFloatLength = 64;
constexpr std::size_t kMaxIntegerLength = 32;
constexpr int kInvalidNumericInput = 106;

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
  std::string suffix(6, '\0');
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

}  // namespace

TextFileReader::TextFileReader(std::string contents) : data_(std::move(contents)) {
  // Nothing after the end-of-file byte is part of the file.
  const std::size_t eof = data_.find(kEndOfFile);
  if (eof != std::string::npos) {
    data_.resize(eof);
  }
  end_ = data_.size();
}

std::optional<TextFileReader> TextFileReader::Open(const std::string& path) {
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
  std::string contents;
  if (st.st_size > 0) {
    contents.reserve(static_cast<std::size_t>(st.st_size));
  }
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) {
      break;
    }
    contents.append(buffer.data(), static_cast<std::size_t>(n));
  }
  ::close(fd);
  return TextFileReader(std::move(contents));
}

std::string TextFileReader::ReadTextLine() {
  const std::size_t start = pos_;
  const std::size_t cr = data_.find('\r', pos_);
  const std::size_t stop = cr == std::string::npos ? end_ : cr;
  std::string text = data_.substr(start, stop - start);
  pos_ = stop;
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

bool TextFileReader::AtEnd() const {
  return pos_ >= end_;
}

// Empty only at the end of the file: otherwise a non-blank byte follows the skipped blanks.
std::string TextFileReader::ReadNumberToken(std::size_t max_length) {
  while (pos_ < end_ && IsBlank(data_[pos_])) {
    ++pos_;
  }
  const std::size_t start = pos_;
  while (pos_ < end_ && pos_ - start < max_length && !IsBlank(data_[pos_])) {
    ++pos_;
  }
  return data_.substr(start, pos_ - start);
}

void TextFileReader::SkipLine() {
  const std::size_t cr = data_.find('\r', pos_);
  if (cr == std::string::npos) {
    pos_ = end_;
    return;
  }
  pos_ = cr + 1;
  if (pos_ < end_ && data_[pos_] == '\n') {
    ++pos_;
  }
}

void TextFileWriter::WriteLine(std::string_view text) {
  contents_.append(text.substr(0, text.find_first_of("\r\x1A")));
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

void SaveFileAtomically(const std::string& path, std::string_view contents,
                        FileSystemCalls& calls) {
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

  // A long name is shortened in the temporary name so that it stays within the name limit.
  constexpr std::size_t kMaxStem = 200;
  constexpr int kMaxAttempts = 100;
  const unsigned create_mode = exists ? 0600u : 0666u;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    temp = parts.folder_prefix + "." + parts.name.substr(0, kMaxStem) + "." + RandomSuffix();
    fd = calls.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, create_mode);
    if (fd >= 0 || (errno != EEXIST && errno != EINTR)) {
      break;
    }
  }
  if (fd < 0) {
    throw MakeInOutError(errno);
  }

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
  if (calls.Rename(temp.c_str(), target.c_str()) != 0) {
    throw abandon(errno);
  }
  SyncFolder(parts.folder_prefix, calls);
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
