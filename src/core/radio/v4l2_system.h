#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/radio/tuner_sound_card.h"

namespace orvaltic {

// The system calls behind the radio-tuner backend, so that it can be tested against a fake
// device. Calls that can fail return 0 or the errno value.
class V4l2System {
 public:
  virtual ~V4l2System() = default;

  // open(2) of a device, read-write, close-on-exec and without waiting: the descriptor, or minus
  // the errno value.
  virtual int Open(const std::string& path) = 0;
  virtual void Close(int fd) = 0;
  // ioctl(2) with the request's structure from linux/videodev2.h.
  virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
  // The radio tuner devices (/dev/radio0, /dev/radio1, ...) in number order.
  virtual std::vector<std::string> RadioDevices() const = 0;
  // The sound card on the tuner's own device, if its audio arrives as a capture device.
  virtual std::optional<TunerSoundCard> SoundCardOf(const std::string& path) const = 0;
  virtual std::string ErrorText(int error) const = 0;
};

}  // namespace orvaltic
