#include "core/radio/linux_port_system.h"

#include <cerrno>
#include <cstring>

#if defined(__linux__)
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>
#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define ORVALTIC_HAS_IO_PORTS 1
#endif
#endif

namespace orvaltic {

namespace {

#if defined(__linux__)
int ErrnoOf(long result) {
  return result == 0 ? 0 : errno;
}
#endif

}  // namespace

bool LinuxPortSystem::HasIoPorts() const {
#if defined(ORVALTIC_HAS_IO_PORTS)
  return true;
#else
  return false;
#endif
}

int LinuxPortSystem::GrantPort(std::uint16_t port) {
#if defined(ORVALTIC_HAS_IO_PORTS)
  return ErrnoOf(ioperm(port, 1, 1));
#else
  static_cast<void>(port);
  return ENOSYS;
#endif
}

void LinuxPortSystem::OutByte(std::uint16_t port, std::uint8_t value) {
#if defined(ORVALTIC_HAS_IO_PORTS)
  outb(value, port);
#else
  static_cast<void>(port);
  static_cast<void>(value);
#endif
}

IdTriple LinuxPortSystem::UserIds() const {
  IdTriple ids;
#if defined(__linux__)
  uid_t real = 0;
  uid_t effective = 0;
  uid_t saved = 0;
  getresuid(&real, &effective, &saved);
  ids = {real, effective, saved};
#endif
  return ids;
}

IdTriple LinuxPortSystem::GroupIds() const {
  IdTriple ids;
#if defined(__linux__)
  gid_t real = 0;
  gid_t effective = 0;
  gid_t saved = 0;
  getresgid(&real, &effective, &saved);
  ids = {real, effective, saved};
#endif
  return ids;
}

int LinuxPortSystem::SetUserIds(std::uint32_t id) {
#if defined(__linux__)
  return ErrnoOf(setresuid(id, id, id));
#else
  static_cast<void>(id);
  return 0;
#endif
}

int LinuxPortSystem::SetGroupIds(std::uint32_t id) {
#if defined(__linux__)
  return ErrnoOf(setresgid(id, id, id));
#else
  static_cast<void>(id);
  return 0;
#endif
}

int LinuxPortSystem::ClearCapabilities() {
#if defined(__linux__)
  // Ambient capabilities would survive an exec; kernels before 4.3 do not have them (EINVAL).
  if (prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0) != 0 && errno != EINVAL) {
    return errno;
  }
  __user_cap_header_struct header{};
  header.version = _LINUX_CAPABILITY_VERSION_3;
  header.pid = 0;
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  return ErrnoOf(syscall(SYS_capset, &header, data));
#else
  return 0;
#endif
}

bool LinuxPortSystem::HoldsCapabilities() const {
#if defined(__linux__)
  __user_cap_header_struct header{};
  header.version = _LINUX_CAPABILITY_VERSION_3;
  header.pid = 0;
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  if (syscall(SYS_capget, &header, data) != 0) {
    return true;  // cannot tell: assume the worst
  }
  for (const auto& set : data) {
    if (set.effective != 0 || set.permitted != 0 || set.inheritable != 0) {
      return true;
    }
  }
#endif
  return false;
}

std::string LinuxPortSystem::ErrorText(int error) const {
  return std::strerror(error);
}

std::string LinuxPortSystem::ExecutablePath() const {
#if defined(__linux__)
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof path) {
    return std::string(path, static_cast<std::size_t>(length));
  }
#endif
  return "the program file";
}

}  // namespace orvaltic
