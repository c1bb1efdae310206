#include "support/child_process.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace orvaltic::testing {

namespace {
constexpr uid_t kNobody = 65534;
}

std::optional<std::string> RunInChild(const std::function<std::string()>& action) {
  int fds[2];
  if (::pipe(fds) != 0) {
    ADD_FAILURE() << "pipe failed";
    return std::nullopt;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    std::string result;
    try {
      result = action();
    } catch (...) {
      ::_exit(2);
    }
    const bool written =
        ::write(fds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(fds[1]);
  std::string result;
  char buffer[256];
  ssize_t n;
  while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) {
    result.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kSkipExit) {
    return std::nullopt;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
  return result;
}

std::optional<std::string> RunUnprivileged(const TempFolder& folder,
                                           const std::function<std::string()>& action) {
  if (::geteuid() != 0) {
    return action();
  }
  if (::lchown(folder.path().c_str(), kNobody, kNobody) != 0) {
    return std::nullopt;
  }
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
    if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) {
      return std::nullopt;
    }
  }
  return RunInChild([&]() -> std::string {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      ::_exit(kSkipExit);
    }
    return action();
  });
}

}  // namespace orvaltic::testing
