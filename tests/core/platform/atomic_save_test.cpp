#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/text_file.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

namespace fs = std::filesystem;
using testing::kSkipExit;
using testing::ReadFileBytes;
using testing::RunInChild;
using testing::RunUnprivileged;
using testing::TempFolder;
using testing::WriteFileBytes;

constexpr char kOld[] = "88.000\r\nOld station\r\n";
constexpr char kNew[] = "99.500\r\nNew station\r\n";

// "saved", or the error's message and code.
std::string Save(const std::string& path, std::string_view contents, FileSystemCalls& calls) {
  try {
    SaveFileAtomically(path, contents, calls);
    return "saved";
  } catch (const InOutError& error) {
    return std::string(error.what()) + " " + std::to_string(error.code());
  }
}

std::string Save(const std::string& path, std::string_view contents) {
  FileSystemCalls calls;
  return Save(path, contents, calls);
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class AtomicSaveTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(target_, kOld); }

  void ExpectOldFileWholeAndNoLeftovers() {
    EXPECT_EQ(ReadFileBytes(target_), kOld);
    EXPECT_EQ(Entries(folder_.path()), std::vector<std::string>{"settings.cfg"});
  }

  TempFolder folder_;
  std::string target_ = folder_.File("settings.cfg");
};

TEST_F(AtomicSaveTest, ReplacesFileAndKeepsItsPermissionBits) {
  ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
  EXPECT_EQ(Save(target_, kNew), "saved");
  EXPECT_EQ(ReadFileBytes(target_), kNew);
  EXPECT_EQ(fs::status(target_).permissions(), fs::perms(0640));
  EXPECT_EQ(Entries(folder_.path()), std::vector<std::string>{"settings.cfg"});
}

TEST_F(AtomicSaveTest, NewFileGetsDefaultPermissions) {
  const mode_t mask = ::umask(022);
  ::umask(mask);
  EXPECT_EQ(Save(folder_.File("new.cfg"), kNew), "saved");
  EXPECT_EQ(ReadFileBytes(folder_.File("new.cfg")), kNew);
  EXPECT_EQ(fs::status(folder_.File("new.cfg")).permissions(), fs::perms(0666 & ~mask));
}

TEST_F(AtomicSaveTest, SavesThroughSymbolicLinkAndKeepsIt) {
  ASSERT_EQ(::mkdir(folder_.File("sub").c_str(), 0755), 0);
  ASSERT_EQ(::symlink("../settings.cfg", folder_.File("sub/link.cfg").c_str()), 0);
  ASSERT_EQ(::symlink("missing.cfg", folder_.File("dangling.cfg").c_str()), 0);

  EXPECT_EQ(Save(folder_.File("sub/link.cfg"), kNew), "saved");
  EXPECT_TRUE(fs::is_symlink(folder_.File("sub/link.cfg")));
  EXPECT_EQ(ReadFileBytes(target_), kNew);
  EXPECT_EQ(Entries(folder_.File("sub")), std::vector<std::string>{"link.cfg"});

  EXPECT_EQ(Save(folder_.File("dangling.cfg"), kNew), "saved");
  EXPECT_TRUE(fs::is_symlink(folder_.File("dangling.cfg")));
  EXPECT_EQ(ReadFileBytes(folder_.File("missing.cfg")), kNew);
}

TEST_F(AtomicSaveTest, LongFileNameStillSaves) {
  const std::string name(250, 'n');
  EXPECT_EQ(Save(folder_.File(name), kNew), "saved");
  EXPECT_EQ(ReadFileBytes(folder_.File(name)), kNew);
}

TEST_F(AtomicSaveTest, RefusesFolderAndSpecialFiles) {
  ASSERT_EQ(::mkdir(folder_.File("dir.cfg").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(folder_.File("fifo.cfg").c_str(), 0666), 0);
  EXPECT_EQ(Save(folder_.File("dir.cfg"), kNew), "File access denied " + std::to_string(EISDIR));
  EXPECT_EQ(Save(folder_.File("fifo.cfg"), kNew), "File access denied " + std::to_string(EACCES));
  EXPECT_TRUE(fs::is_directory(folder_.File("dir.cfg")));
  EXPECT_TRUE(fs::is_fifo(folder_.File("fifo.cfg")));
  EXPECT_TRUE(fs::is_empty(folder_.File("dir.cfg")));
  EXPECT_EQ(Entries(folder_.path()),
            (std::vector<std::string>{"dir.cfg", "fifo.cfg", "settings.cfg"}));
}

TEST_F(AtomicSaveTest, BadPathsAreInvalidFilenames) {
  EXPECT_EQ(Save(folder_.File("missing/settings.cfg"), kNew),
            "Invalid filename " + std::to_string(ENOENT));
  EXPECT_EQ(Save(target_ + "/inner.cfg", kNew), "Invalid filename " + std::to_string(ENOTDIR));
  EXPECT_EQ(Save("", kNew), "Invalid filename " + std::to_string(ENOENT));
  EXPECT_EQ(Save(folder_.path() + "/", kNew), "File access denied " + std::to_string(EISDIR));
  ExpectOldFileWholeAndNoLeftovers();
}

TEST_F(AtomicSaveTest, ReadOnlyFolderIsAccessDenied) {
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0555), 0);
  const std::optional<std::string> result =
      RunUnprivileged(folder_, [&] { return Save(target_, kNew); });
  if (!result) {
    GTEST_SKIP() << "cannot drop root privileges here";
  }
  EXPECT_EQ(*result, "File access denied " + std::to_string(EACCES));
  ExpectOldFileWholeAndNoLeftovers();
}

TEST_F(AtomicSaveTest, ReadOnlyFileIsAccessDenied) {
  ASSERT_EQ(::chmod(target_.c_str(), 0444), 0);
  const std::optional<std::string> result =
      RunUnprivileged(folder_, [&] { return Save(target_, kNew); });
  if (!result) {
    GTEST_SKIP() << "cannot drop root privileges here";
  }
  EXPECT_EQ(*result, "File access denied " + std::to_string(EACCES));
  ExpectOldFileWholeAndNoLeftovers();
}

TEST_F(AtomicSaveTest, UnreadableFileDoesNotOpen) {
  ASSERT_EQ(::chmod(target_.c_str(), 0), 0);
  const std::optional<std::string> result = RunUnprivileged(folder_, [&]() -> std::string {
    return TextFileReader::Open(target_).has_value() ? "opened" : "not opened";
  });
  if (!result) {
    GTEST_SKIP() << "cannot drop root privileges here";
  }
  EXPECT_EQ(*result, "not opened");
}

// Forwards to the real calls, except that one step fails with a given error the way the
// system would report it. Keeps track of open descriptors.
class FailingCalls : public FileSystemCalls {
 public:
  enum class Step { kOpen, kWrite, kFsync, kClose, kRename };

  FailingCalls(Step step, int err) : step_(step), err_(err) {}

  int Open(const char* path, int flags, unsigned mode) override {
    if (step_ == Step::kOpen && (flags & O_CREAT) != 0) {
      return Fail();
    }
    const int fd = FileSystemCalls::Open(path, flags, mode);
    if (fd >= 0) {
      open_.insert(fd);
    }
    return fd;
  }
  long Write(int fd, const void* data, std::size_t size) override {
    // The first write gets half through, as on a disk that fills up during the save.
    if (step_ == Step::kWrite && writes_++ > 0) {
      return Fail();
    }
    return FileSystemCalls::Write(fd, data, step_ == Step::kWrite ? (size + 1) / 2 : size);
  }
  int Fsync(int fd) override { return step_ == Step::kFsync ? Fail() : FileSystemCalls::Fsync(fd); }
  int Close(int fd) override {
    open_.erase(fd);
    const int result = FileSystemCalls::Close(fd);
    return step_ == Step::kClose ? Fail() : result;
  }
  int Rename(const char* from, const char* to) override {
    return step_ == Step::kRename ? Fail() : FileSystemCalls::Rename(from, to);
  }

  const std::set<int>& open() const { return open_; }

 private:
  int Fail() {
    errno = err_;
    return -1;
  }

  Step step_;
  int err_;
  int writes_ = 0;
  std::set<int> open_;
};

struct FailureCase {
  const char* name;
  FailingCalls::Step step;
  int err;
  std::string expected;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class AtomicSaveFailureTest : public AtomicSaveTest,
                              public ::testing::WithParamInterface<FailureCase> {};

TEST_P(AtomicSaveFailureTest, LeavesOldFileWhole) {
  FailingCalls calls(GetParam().step, GetParam().err);
  EXPECT_EQ(Save(target_, std::string(100000, 'x'), calls), GetParam().expected);
  ExpectOldFileWholeAndNoLeftovers();
  EXPECT_TRUE(calls.open().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, AtomicSaveFailureTest,
    ::testing::Values(
        FailureCase{"ReadOnlyFolder", FailingCalls::Step::kOpen, EACCES, "File access denied 13"},
        FailureCase{"ReadOnlyFileSystem", FailingCalls::Step::kOpen, EROFS,
                    "File access denied 30"},
        FailureCase{"DiskFull", FailingCalls::Step::kWrite, ENOSPC, "Disk full 28"},
        FailureCase{"QuotaExceeded", FailingCalls::Step::kWrite, EDQUOT, "Disk full 122"},
        FailureCase{"WriteError", FailingCalls::Step::kWrite, EIO, "I/O error 5 5"},
        FailureCase{"FlushError", FailingCalls::Step::kFsync, EIO, "I/O error 5 5"},
        FailureCase{"CloseError", FailingCalls::Step::kClose, EIO, "I/O error 5 5"},
        FailureCase{"RenameError", FailingCalls::Step::kRename, EBUSY, "I/O error 16 16"}),
    [](const ::testing::TestParamInfo<FailureCase>& param_info) { return param_info.param.name; });

// Writes a few bytes at a time and is interrupted by a signal before every other call.
class ChoppyCalls : public FileSystemCalls {
 public:
  long Write(int fd, const void* data, std::size_t size) override {
    if (Interrupted()) {
      return -1;
    }
    return FileSystemCalls::Write(fd, data, std::min<std::size_t>(size, 7));
  }
  int Fsync(int fd) override {
    if (Interrupted()) {
      return -1;
    }
    return FileSystemCalls::Fsync(fd);
  }

 private:
  bool Interrupted() {
    interrupt_ = !interrupt_;
    if (interrupt_) {
      errno = EINTR;
    }
    return interrupt_;
  }

  bool interrupt_ = false;
};

TEST_F(AtomicSaveTest, ShortWritesAndInterruptionsStillWriteEverything) {
  ChoppyCalls calls;
  std::string contents;
  for (int i = 0; i < 100; ++i) {
    contents += "Station " + std::to_string(i) + "\r\n";
  }
  EXPECT_EQ(Save(target_, contents, calls), "saved");
  EXPECT_EQ(ReadFileBytes(target_), contents);
}

// Kills its own process at one point of the save, as a power cut or a kill -9 would.
class KillingCalls : public FileSystemCalls {
 public:
  enum class Point { kAfterPartialWrite, kBeforeFsync, kAfterRename };

  explicit KillingCalls(Point point) : point_(point) {}

  long Write(int fd, const void* data, std::size_t size) override {
    const long written = FileSystemCalls::Write(fd, data, std::min<std::size_t>(size, 4096));
    if (point_ == Point::kAfterPartialWrite) {
      ::raise(SIGKILL);
    }
    return written;
  }
  int Fsync(int fd) override {
    if (point_ == Point::kBeforeFsync) {
      ::raise(SIGKILL);
    }
    return FileSystemCalls::Fsync(fd);
  }
  int Rename(const char* from, const char* to) override {
    const int result = FileSystemCalls::Rename(from, to);
    if (point_ == Point::kAfterRename) {
      ::raise(SIGKILL);
    }
    return result;
  }

 private:
  Point point_;
};

struct KillCase {
  const char* name;
  KillingCalls::Point point;
  bool replaced;
};

void PrintTo(const KillCase& c, std::ostream* os) {
  *os << c.name;
}

class AtomicSaveKillTest : public AtomicSaveTest, public ::testing::WithParamInterface<KillCase> {};

TEST_P(AtomicSaveKillTest, TargetIsNeverAMix) {
  const std::string big(4 * 1024 * 1024, 'N');
  const pid_t pid = ::fork();
  if (pid == 0) {
    KillingCalls calls(GetParam().point);
    Save(target_, big, calls);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  EXPECT_EQ(ReadFileBytes(target_), GetParam().replaced ? big : kOld);
  for (const std::string& name : Entries(folder_.path())) {
    if (name != "settings.cfg") {
      EXPECT_TRUE(name.starts_with(".settings.cfg.")) << name;
    }
  }
  // A later save is not hindered by what the killed one left.
  EXPECT_EQ(Save(target_, kNew), "saved");
  EXPECT_EQ(ReadFileBytes(target_), kNew);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AtomicSaveKillTest,
    ::testing::Values(KillCase{"AfterPartialWrite", KillingCalls::Point::kAfterPartialWrite, false},
                      KillCase{"BeforeFsync", KillingCalls::Point::kBeforeFsync, false},
                      KillCase{"AfterRename", KillingCalls::Point::kAfterRename, true}),
    [](const ::testing::TestParamInfo<KillCase>& param_info) { return param_info.param.name; });

// A real full disk: a small tmpfs mounted in a private mount namespace of a child process, so
// nothing outside the child ever sees it. Skipped where mounting is not allowed.
TEST(AtomicSaveDiskTest, FullFileSystemIsDiskFull) {
  TempFolder folder;
  const std::optional<std::string> result = RunInChild([&]() -> std::string {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
      ::_exit(kSkipExit);
    }
    const std::string target = folder.File("settings.cfg");
    WriteFileBytes(target, kOld);
    const std::string saved = Save(target, std::string(1024 * 1024, 'x'));
    const bool whole = ReadFileBytes(target) == kOld &&
                       Entries(folder.path()) == std::vector<std::string>{"settings.cfg"};
    return saved + (whole ? ", old file whole" : ", old file damaged or leftovers");
  });
  if (!result) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  EXPECT_EQ(*result, "Disk full " + std::to_string(ENOSPC) + ", old file whole");
}

// A file-size limit below the new file's size: without SIGXFSZ ignored the kernel would kill
// the program in the middle of the save.
TEST(AtomicSaveDiskTest, FileSizeLimitIsDiskFull) {
  TempFolder folder;
  const std::optional<std::string> result = RunInChild([&]() -> std::string {
    const std::string target = folder.File("settings.cfg");
    WriteFileBytes(target, kOld);
    std::signal(SIGXFSZ, SIG_DFL);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      ::_exit(kSkipExit);
    }
    const std::string saved = Save(target, std::string(100000, 'x'));
    const bool whole = ReadFileBytes(target) == kOld &&
                       Entries(folder.path()) == std::vector<std::string>{"settings.cfg"};
    return saved + (whole ? ", old file whole" : ", old file damaged or leftovers");
  });
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(*result, "Disk full " + std::to_string(EFBIG) + ", old file whole");
}

// Saves killed before their rename leave temporaries; the next save of that file removes them,
// and only them.
TEST_F(AtomicSaveTest, StaleTemporariesOfTheTargetAreRemovedBeforeTheNextSave) {
  const std::vector<std::string> others = {".other.cfg.AbC123",     ".settings.cfg.AbC12",
                                           ".settings.cfg.AbC1234", ".settings.cfg.AbC-23",
                                           "settings.cfg.AbC123",   "settings.cfg.bak"};
  for (const std::string& name : others) {
    WriteFileBytes(folder_.File(name), "keep");
  }
  WriteFileBytes(folder_.File(".settings.cfg.AbC123"), "stale");
  WriteFileBytes(folder_.File(".settings.cfg.zz9ZZ0"), "stale");

  EXPECT_EQ(Save(target_, kNew), "saved");

  std::vector<std::string> expected = others;
  expected.push_back("settings.cfg");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(folder_.path()), expected);
}

}  // namespace
}  // namespace orvaltic
