#pragma once

#include "core/radio/v4l2_system.h"

namespace orvaltic {

// The real calls: /dev for the devices, /sys for their sound cards.
class LinuxV4l2System : public V4l2System {
 public:
  int Open(const std::string& path) override;
  void Close(int fd) override;
  int Ioctl(int fd, unsigned long request, void* argument) override;
  std::vector<std::string> RadioDevices() const override;
  std::optional<TunerSoundCard> SoundCardOf(const std::string& path) const override;
  std::string ErrorText(int error) const override;
};

}  // namespace orvaltic
