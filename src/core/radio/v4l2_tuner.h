#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/radio/card_backend.h"
#include "core/radio/card_decoder.h"
#include "core/radio/card_follower.h"
#include "core/radio/tuner_audio.h"
#include "core/radio/v4l2_system.h"

namespace orvaltic {

// A V4L2 integer control (volume, mute) as the device described it when it was opened.
struct TunerControl {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t step = 1;
  std::int32_t value = 0;  // the last value known to be set
};

// What the device said about itself when it was opened.
struct TunerInfo {
  std::string card_name;        // v4l2_capability.card
  bool low_units = false;       // V4L2_TUNER_CAP_LOW: 62.5 Hz units instead of 62.5 kHz
  std::uint32_t range_low = 0;  // in the tuner's units
  std::uint32_t range_high = 0;
  std::optional<TunerControl> mute;
  std::optional<TunerControl> volume;
  std::optional<TunerSoundCard> sound_card;
};

// A radio tuner of the Video4Linux radio interface behind the card's port: the writes go
// through the same decoder as the simulated card's, and what the card would now do becomes
// V4L2 calls. A new tuning word tunes the device, the audio line sets its mute control, and
// each volume pulse moves its volume control one step, held to the control's range. A control
// the device lacks is reported once and its action ignored; a call that fails is reported once
// per kind and counts as a failed write.
class V4l2Tuner : public CardBackend {
 public:
  // Takes over the open descriptor `fd` of `device`.
  V4l2Tuner(std::string_view program, V4l2System& system, int fd, std::string device,
            TunerInfo info, std::ostream& report);
  ~V4l2Tuner() override;
  V4l2Tuner(const V4l2Tuner&) = delete;
  V4l2Tuner& operator=(const V4l2Tuner&) = delete;

  void WritePort(std::uint16_t port, std::uint8_t value) override;
  // The tuner plays the frequency the display shows, not the grid point below it.
  void AnnounceTransfer(std::uint16_t port, double mhz) override { card_.Announce(port, mhz); }
  bool WriteFailed() const override { return failed_; }

  // Who hears of the audio going on and off; told the current state at once, when it is known.
  // Null detaches. The listener must outlive the tuner or be detached first.
  void SetAudioListener(TunerAudio* listener);

  const std::string& device() const { return device_; }
  const TunerInfo& info() const { return info_; }

  // A frequency in kHz in the tuner's units, rounded to the nearest unit.
  static std::uint32_t FrequencyUnits(std::int64_t khz, bool low_units);
  // A frequency in the tuner's units as "87.500 MHz" (to the kHz, rounded down).
  static std::string UnitsText(std::uint32_t units, bool low_units);

 private:
  void Apply(const CardFollower::Change& change);
  void Tune(std::int64_t khz);
  void SetAudio(bool on);
  void StepVolume(int direction);
  bool SetControl(std::uint32_t id, std::int32_t value, const char* what);
  void Report(const std::string& line);
  // Reports `line` the first time `key` comes up.
  void ReportOnce(const std::string& key, const std::string& line);

  std::string program_;
  V4l2System& system_;
  int fd_;
  std::string device_;
  TunerInfo info_;
  std::ostream& report_;
  CardFollower card_;
  std::map<std::string, bool> reported_;
  bool out_of_range_ = false;  // the last frequency asked for was outside the range
  std::optional<bool> audio_on_;
  TunerAudio* listener_ = nullptr;
  bool failed_ = false;
};

// Opens `path` (empty: the first /dev/radio* the system lists) as a V4L2 radio tuner. A missing
// device, one that is not a radio tuner, or one the user may not open gives exit code 1 and the
// line that says what to do. Takes no privileges: the caller has given them up already.
OpenedCard OpenV4l2Tuner(std::string_view program, const std::string& path, V4l2System& system,
                         std::ostream& report);

}  // namespace orvaltic
