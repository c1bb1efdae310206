#include "core/radio/linux_v4l2_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#if defined(__linux__)
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace orvaltic {

int LinuxV4l2System::Open(const std::string& path) {
#if defined(__linux__)
  int fd = -1;
  // The user names the device: a terminal must not become ours, and a device that waits in its
  // open (a modem line) must not hang the program.
  do {
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return fd >= 0 ? fd : -errno;
#else
  static_cast<void>(path);
  return -ENOSYS;
#endif
}

void LinuxV4l2System::Close(int fd) {
#if defined(__linux__)
  ::close(fd);
#else
  static_cast<void>(fd);
#endif
}

int LinuxV4l2System::Ioctl(int fd, unsigned long request, void* argument) {
#if defined(__linux__)
  int result = 0;
  do {
    result = ::ioctl(fd, request, argument);
  } while (result < 0 && errno == EINTR);
  return result < 0 ? errno : 0;
#else
  static_cast<void>(fd);
  static_cast<void>(request);
  static_cast<void>(argument);
  return ENOSYS;
#endif
}

std::vector<std::string> LinuxV4l2System::RadioDevices() const {
  std::vector<std::pair<int, std::string>> found;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator("/dev", ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const auto number = DeviceNumber(it->path().filename().string(), "radio");
    if (number && it->is_character_file(ec)) {
      found.emplace_back(*number, it->path().string());
    }
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> devices;
  for (auto& [number, path] : found) {
    devices.push_back(std::move(path));
  }
  return devices;
}

std::optional<TunerSoundCard> LinuxV4l2System::SoundCardOf(const std::string& path) const {
  // A udev link (/dev/radio, /dev/v4l/by-id/...) leads to the kernel's own name.
  std::error_code ec;
  const std::filesystem::path device = std::filesystem::canonical(path, ec);
  if (ec) {
    return std::nullopt;
  }
  return FindTunerSoundCard("/sys", device.filename().string());
}

std::string LinuxV4l2System::ErrorText(int error) const {
  return std::strerror(error);
}

}  // namespace orvaltic
