#pragma once

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/radio/v4l2_system.h"

namespace orvaltic::testing {

// One radio tuner device, scripted: answers the ioctls the backend makes as a driver would
// and records every call in order ("open /dev/radio0", "S_FREQUENCY 1592", "S_CTRL volume 4").
class FakeV4l2System : public V4l2System {
 public:
  struct Control {
    std::int32_t minimum = 0;
    std::int32_t maximum = 1;
    std::int32_t step = 1;
    std::int32_t value = 0;
  };

  int Open(const std::string& path) override {
    calls.push_back("open " + path);
    if (const auto it = open_errors.find(path); it != open_errors.end()) {
      return -it->second;
    }
    ++open_count;
    return kFd;
  }
  void Close(int fd) override {
    calls.push_back("close");
    if (fd == kFd) {
      --open_count;
    }
  }
  int Ioctl(int fd, unsigned long request, void* argument) override {
    if (fd != kFd) {
      return EBADF;
    }
    const std::string name = Name(request);
    if (const auto it = errors.find(name); it != errors.end()) {
      calls.push_back(name + " failed");
      return it->second;
    }
    if (request == VIDIOC_QUERYCAP) {
      calls.push_back(name);
      if (!video4linux) {
        return ENOTTY;
      }
      auto& cap = *static_cast<v4l2_capability*>(argument);
      std::memcpy(cap.card, card_name.data(), std::min(card_name.size(), sizeof cap.card));
      cap.capabilities = device_caps | V4L2_CAP_DEVICE_CAPS;
      cap.device_caps = device_caps;
      return 0;
    }
    if (request == VIDIOC_G_TUNER) {
      calls.push_back(name);
      auto& tuner = *static_cast<v4l2_tuner*>(argument);
      tuner.capability = low_units ? V4L2_TUNER_CAP_LOW : 0;
      tuner.rangelow = range_low;
      tuner.rangehigh = range_high;
      return 0;
    }
    if (request == VIDIOC_S_FREQUENCY) {
      const auto& frequency = *static_cast<const v4l2_frequency*>(argument);
      calls.push_back(name + " " + std::to_string(frequency.frequency) +
                      (frequency.type == V4L2_TUNER_RADIO ? "" : " not radio"));
      return 0;
    }
    if (request == VIDIOC_QUERYCTRL) {
      auto& query = *static_cast<v4l2_queryctrl*>(argument);
      const auto it = controls.find(query.id);
      if (it == controls.end()) {
        return EINVAL;
      }
      query.minimum = it->second.minimum;
      query.maximum = it->second.maximum;
      query.step = it->second.step;
      query.default_value = it->second.minimum;
      return 0;
    }
    auto& control = *static_cast<v4l2_control*>(argument);
    const auto it = controls.find(control.id);
    if (it == controls.end()) {
      return EINVAL;
    }
    if (request == VIDIOC_G_CTRL) {
      control.value = it->second.value;
      return 0;
    }
    if (request == VIDIOC_S_CTRL) {
      calls.push_back(name + " " + ControlName(control.id) + " " + std::to_string(control.value));
      if (control.value < it->second.minimum || control.value > it->second.maximum) {
        return ERANGE;
      }
      it->second.value = control.value;
      return 0;
    }
    return ENOTTY;
  }
  std::vector<std::string> RadioDevices() const override { return radio_devices; }
  std::optional<TunerSoundCard> SoundCardOf(const std::string& /*path*/) const override {
    return sound_card;
  }
  std::string ErrorText(int error) const override {
    switch (error) {
      case ENOENT:
        return "No such file or directory";
      case EACCES:
        return "Permission denied";
      default:
        return "error " + std::to_string(error);
    }
  }

  // The calls that change the device.
  std::vector<std::string> Sets() const {
    std::vector<std::string> sets;
    for (const std::string& call : calls) {
      if (call.starts_with("S_")) {
        sets.push_back(call);
      }
    }
    return sets;
  }

  static constexpr int kFd = 7;

  std::vector<std::string> radio_devices{"/dev/radio0"};
  std::map<std::string, int> open_errors;  // path -> errno
  std::map<std::string, int> errors;       // "S_FREQUENCY" -> errno
  bool video4linux = true;
  std::string card_name = "FM Radio";
  std::uint32_t device_caps = V4L2_CAP_TUNER | V4L2_CAP_RADIO;
  bool low_units = false;
  std::uint32_t range_low = 1400;   // 87.5 MHz in 62.5 kHz units
  std::uint32_t range_high = 1728;  // 108 MHz
  std::map<std::uint32_t, Control> controls{{V4L2_CID_AUDIO_MUTE, {0, 1, 1, 0}},
                                            {V4L2_CID_AUDIO_VOLUME, {0, 15, 1, 8}}};
  std::optional<TunerSoundCard> sound_card;
  std::vector<std::string> calls;
  int open_count = 0;

 private:
  static std::string Name(unsigned long request) {
    switch (request) {
      case VIDIOC_QUERYCAP:
        return "QUERYCAP";
      case VIDIOC_G_TUNER:
        return "G_TUNER";
      case VIDIOC_S_FREQUENCY:
        return "S_FREQUENCY";
      case VIDIOC_QUERYCTRL:
        return "QUERYCTRL";
      case VIDIOC_G_CTRL:
        return "G_CTRL";
      case VIDIOC_S_CTRL:
        return "S_CTRL";
      default:
        return "ioctl " + std::to_string(request);
    }
  }
  static std::string ControlName(std::uint32_t id) {
    return id == V4L2_CID_AUDIO_MUTE ? "mute" : id == V4L2_CID_AUDIO_VOLUME ? "volume" : "other";
  }
};

}  // namespace orvaltic::testing
