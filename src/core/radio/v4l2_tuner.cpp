#include "core/radio/v4l2_tuner.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/platform/printable_text.h"

#if __has_include(<linux/videodev2.h>)
#include <linux/videodev2.h>
#define ORVALTIC_HAS_V4L2 1
#endif

namespace orvaltic {

namespace {

constexpr std::int64_t kUnitHz = 62'500;  // a normal unit in Hz; a "low" unit in mHz

}  // namespace

std::uint32_t V4l2Tuner::FrequencyUnits(std::int64_t khz, bool low_units) {
  if (khz <= 0) {
    return 0;
  }
  // kHz * 1000 / 62.5 = kHz * 16 exactly; for 62.5 kHz units divide that by 1000, to the
  // nearest (on the card's 25 kHz grid the remainder is never exactly one half).
  const std::int64_t sixteenths = khz * 16;
  const std::int64_t units = low_units ? sixteenths : (sixteenths + 500) / 1000;
  return static_cast<std::uint32_t>(std::min<std::int64_t>(units, UINT32_MAX));
}

std::string V4l2Tuner::UnitsText(std::uint32_t units, bool low_units) {
  // units * 62 500 is the frequency in mHz for 62.5 Hz units, in Hz for 62.5 kHz units.
  const std::int64_t scaled = static_cast<std::int64_t>(units) * kUnitHz;
  const std::int64_t khz = low_units ? scaled / 1'000'000 : scaled / 1000;
  return CardDecoder::FormatMHz(khz);
}

V4l2Tuner::V4l2Tuner(std::string_view program, V4l2System& system, int fd, std::string device,
                     TunerInfo info, std::ostream& report)
    : program_(program),
      system_(system),
      fd_(fd),
      device_(std::move(device)),
      info_(std::move(info)),
      report_(report) {}

V4l2Tuner::~V4l2Tuner() {
  system_.Close(fd_);
}

void V4l2Tuner::SetAudioListener(TunerAudio* listener) {
  listener_ = listener;
  if (listener_ != nullptr && audio_on_) {
    listener_->SetTunerAudio(*audio_on_);
  }
}

void V4l2Tuner::Report(const std::string& line) {
  report_ << program_ << ": " << PrintableText(device_) << ": " << line << '\n' << std::flush;
}

void V4l2Tuner::ReportOnce(const std::string& key, const std::string& line) {
  if (!reported_[key]) {
    reported_[key] = true;
    Report(line);
  }
}

void V4l2Tuner::WritePort(std::uint16_t port, std::uint8_t value) {
  std::optional<std::string> fault;
  const std::optional<CardFollower::Change> change = card_.Feed(port, value, fault);
  if (fault) {
    Report(*fault);
  }
  if (change) {
    Apply(*change);
  }
}

void V4l2Tuner::Apply(const CardFollower::Change& change) {
  const std::optional<CardState>& before = change.before;
  const CardState& now = change.now;
  // The card latches every transfer, also one of the frequency it has: the tuner is tuned again,
  // in case another program moved it.
  if (now.tuning_word && change.new_transfer) {
    Tune(CardDecoder::ReceiverFrequencyKHz(*now.tuning_word, change.announced));
  }
  if (!before || before->audio_on != now.audio_on) {
    SetAudio(now.audio_on);
  }
  const int steps = now.volume_steps - (before ? before->volume_steps : 0);
  for (int i = 0; i < std::abs(steps); ++i) {
    StepVolume(steps > 0 ? 1 : -1);
  }
}

#if defined(ORVALTIC_HAS_V4L2)

bool V4l2Tuner::SetControl(std::uint32_t id, std::int32_t value, const char* what) {
  v4l2_control control{};
  control.id = id;
  control.value = value;
  if (const int error = system_.Ioctl(fd_, VIDIOC_S_CTRL, &control); error != 0) {
    failed_ = true;
    ReportOnce(what, std::string("cannot set the ") + what + ": " + system_.ErrorText(error));
    return false;
  }
  return true;
}

void V4l2Tuner::Tune(std::int64_t khz) {
  const std::uint32_t units = FrequencyUnits(khz, info_.low_units);
  if (khz <= 0 || units < info_.range_low || units > info_.range_high) {
    failed_ = true;
    // A scan can run past the range for a while: one line until a frequency is in it again.
    if (!out_of_range_) {
      Report(CardDecoder::FormatMHz(khz) + " is outside the tuner's range, " +
             UnitsText(info_.range_low, info_.low_units) + " to " +
             UnitsText(info_.range_high, info_.low_units) + "; it stays where it was");
    }
    out_of_range_ = true;
    return;
  }
  out_of_range_ = false;
  v4l2_frequency frequency{};
  frequency.tuner = 0;
  frequency.type = V4L2_TUNER_RADIO;
  frequency.frequency = units;
  if (const int error = system_.Ioctl(fd_, VIDIOC_S_FREQUENCY, &frequency); error != 0) {
    failed_ = true;
    ReportOnce("tune",
               "cannot tune to " + CardDecoder::FormatMHz(khz) + ": " + system_.ErrorText(error));
  }
}

void V4l2Tuner::SetAudio(bool on) {
  audio_on_ = on;
  if (listener_ != nullptr) {
    listener_->SetTunerAudio(on);
  }
  if (!info_.mute) {
    ReportOnce("no mute", "the tuner has no mute control; mute and unmute are ignored");
    return;
  }
  const std::int32_t value = on ? 0 : 1;
  if (SetControl(V4L2_CID_AUDIO_MUTE, value, "mute control")) {
    info_.mute->value = value;
  }
}

void V4l2Tuner::StepVolume(int direction) {
  if (!info_.volume) {
    ReportOnce("no volume", "the tuner has no volume control; the volume buttons do nothing");
    return;
  }
  TunerControl& volume = *info_.volume;
  // Another mixer may have moved it since: step from where it is now.
  v4l2_control current{};
  current.id = V4L2_CID_AUDIO_VOLUME;
  if (system_.Ioctl(fd_, VIDIOC_G_CTRL, &current) == 0) {
    volume.value = current.value;
  }
  const std::int64_t next = std::clamp<std::int64_t>(
      static_cast<std::int64_t>(volume.value) + std::int64_t{direction} * volume.step,
      volume.minimum, volume.maximum);
  if (next == volume.value) {
    return;  // at the end of its range already
  }
  if (SetControl(V4L2_CID_AUDIO_VOLUME, static_cast<std::int32_t>(next), "volume control")) {
    volume.value = static_cast<std::int32_t>(next);
  }
}

namespace {

OpenedCard Failure(std::string error) {
  return {nullptr, 1, std::move(error), nullptr};
}

// A fixed-size name from the driver, which need not end in a NUL.
std::string DriverText(const std::uint8_t* text, std::size_t size) {
  const auto* chars = reinterpret_cast<const char*>(text);
  return PrintableText(std::string_view(chars, strnlen(chars, size)));
}

std::optional<TunerControl> QueryControl(V4l2System& system, int fd, std::uint32_t id) {
  v4l2_queryctrl query{};
  query.id = id;
  if (system.Ioctl(fd, VIDIOC_QUERYCTRL, &query) != 0 ||
      (query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY)) != 0 ||
      query.minimum > query.maximum) {
    return std::nullopt;
  }
  TunerControl control{query.minimum, query.maximum, query.step > 0 ? query.step : 1,
                       query.default_value};
  v4l2_control current{};
  current.id = id;
  if (system.Ioctl(fd, VIDIOC_G_CTRL, &current) == 0) {
    control.value = current.value;
  }
  return control;
}

std::string OpenFailure(const std::string& name, const std::string& shown, int error,
                        V4l2System& system) {
  const std::string reason = " (" + system.ErrorText(error) + ")";
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return name + ": there is no radio tuner at " + shown + reason +
             ": plug the tuner in, or name its device as in ORVALTIC_CARD=v4l2:/dev/radio0 "
             "(ls /dev/radio*)";
    case EACCES:
    case EPERM:
      return name + ": no permission to open " + shown + reason +
             ": add your user to the video group (sudo adduser $USER video), then log out and "
             "in again";
    case EBUSY:
      return name + ": " + shown + " is in use by another program" + reason +
             ": close that program and start again";
    default:
      return name + ": cannot open " + shown + reason;
  }
}

}  // namespace

OpenedCard OpenV4l2Tuner(std::string_view program, const std::string& path, V4l2System& system,
                         std::ostream& report) {
  const std::string name(program);
  std::string device = path;
  if (device.empty()) {
    const std::vector<std::string> devices = system.RadioDevices();
    if (devices.empty()) {
      return Failure(name +
                     ": no radio tuner found: there is no /dev/radio* device; plug the tuner "
                     "in and check that its driver is loaded (ls /dev/radio*), or name the "
                     "device as in ORVALTIC_CARD=v4l2:/dev/radio0");
    }
    device = devices.front();
  }
  const std::string shown = PrintableText(device);

  const int fd = system.Open(device);
  if (fd < 0) {
    return Failure(OpenFailure(name, shown, -fd, system));
  }
  const auto fail = [&](std::string error) {
    system.Close(fd);
    return Failure(std::move(error));
  };
  const std::string advice =
      "; name the tuner's device as in ORVALTIC_CARD=v4l2:/dev/radio0 "
      "(ls /dev/radio*)";

  v4l2_capability capability{};
  if (system.Ioctl(fd, VIDIOC_QUERYCAP, &capability) != 0) {
    return fail(name + ": " + shown + " is not a radio tuner: it is no Video4Linux device" +
                advice);
  }
  const std::uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) != 0
                                 ? capability.device_caps
                                 : capability.capabilities;
  TunerInfo info;
  info.card_name = DriverText(capability.card, sizeof capability.card);
  if ((caps & V4L2_CAP_TUNER) == 0 || (caps & V4L2_CAP_RADIO) == 0) {
    return fail(name + ": " + shown + " is not a radio tuner (\"" + info.card_name +
                "\" has no radio tuner)" + advice);
  }

  v4l2_tuner tuner{};
  tuner.index = 0;
  if (const int error = system.Ioctl(fd, VIDIOC_G_TUNER, &tuner); error != 0) {
    return fail(name + ": cannot read the tuner of " + shown + ": " + system.ErrorText(error));
  }
  info.low_units = (tuner.capability & V4L2_TUNER_CAP_LOW) != 0;
  info.range_low = tuner.rangelow;
  info.range_high = tuner.rangehigh;
  info.mute = QueryControl(system, fd, V4L2_CID_AUDIO_MUTE);
  info.volume = QueryControl(system, fd, V4L2_CID_AUDIO_VOLUME);
  info.sound_card = system.SoundCardOf(device);

  auto tuner_card =
      std::make_unique<V4l2Tuner>(program, system, fd, device, std::move(info), report);
  V4l2Tuner* handle = tuner_card.get();
  return {std::move(tuner_card), 0, {}, handle};
}

#else  // no Video4Linux headers: the backend is not there

bool V4l2Tuner::SetControl(std::uint32_t, std::int32_t, const char*) {
  return false;
}
void V4l2Tuner::Tune(std::int64_t) {}
void V4l2Tuner::SetAudio(bool) {}
void V4l2Tuner::StepVolume(int) {}

OpenedCard OpenV4l2Tuner(std::string_view program, const std::string&, V4l2System&, std::ostream&) {
  return {nullptr, 1, std::string(program) + ": ORVALTIC_CARD=v4l2 is not available on this system",
          nullptr};
}

#endif

}  // namespace orvaltic
