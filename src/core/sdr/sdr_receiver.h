#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

#include "core/radio/card_backend.h"
#include "core/radio/card_follower.h"
#include "core/radio/tuner_audio.h"
#include "core/sdr/audio_ring.h"
#include "core/sdr/iq_source.h"
#include "core/sdr/rds_decoder.h"

namespace orvaltic {

// The software gain the volume pulses step: 2 dB a pulse from -40 to 0 dB, starting at -12.
inline constexpr double kSdrGainStepDb = 2;
inline constexpr double kSdrGainMinDb = -40;
inline constexpr double kSdrGainMaxDb = 0;
inline constexpr double kSdrGainStartDb = -12;

// A software FM receiver behind the card's port: the writes go through the card's decoder, and
// what the card would do becomes the receiver's commands. A transfer tunes the frequency the
// display shows, audio off and on mute and unmute at once, and each volume pulse is one step of
// the software gain. The receiver runs on a thread of its own, which streams from the source
// only while the audio is on; the caller's thread never waits for it: commands are a few
// values under a lock, the sound leaves through the ring, and a fault (a stick unplugged, a
// recording that ended) is told once to the fault listener, on the receiver's thread.
class SdrReceiver : public CardBackend {
 public:
  static constexpr double kAudioRate = 48'000;
  // The sound buffered between the receiver and the sound device: what drift control holds.
  static constexpr double kTargetSeconds = 0.1;

  // `play` false: the writes are decoded and followed, but nothing is received (orvaltic-card,
  // which ends before a sound could be heard).
  SdrReceiver(std::string_view program, std::unique_ptr<IqSource> source, const SdrSetting& setting,
              std::ostream& report, bool play = true);
  ~SdrReceiver() override;
  SdrReceiver(const SdrReceiver&) = delete;
  SdrReceiver& operator=(const SdrReceiver&) = delete;

  void WritePort(std::uint16_t port, std::uint8_t value) override;
  void AnnounceTransfer(std::uint16_t port, double mhz) override;
  bool WriteFailed() const override { return false; }

  // Told on the caller's thread when the audio goes on or off, and at once of the present state.
  void SetAudioListener(TunerAudio* listener);
  // Called on the receiver's thread with a one-line message when the source fails or ends.
  void SetFaultListener(std::function<void(const std::string&)> listener);

  AudioRing& sound() { return sound_; }
  double GainDb() const;
  std::optional<std::int64_t> TunedKHz() const;
  bool AudioOn() const;
  // The receiver's news, for the panel and tests: whether it hears stereo now, and what the
  // station tuned has said of itself by RDS since it was tuned.
  bool Stereo() const;
  RdsStation Rds() const;

 private:
  void Apply(const CardFollower::Change& change);
  void Run();
  bool Playable() const { return audio_on_ && tuned_khz_ && !faulted_; }

  std::string program_;
  std::unique_ptr<IqSource> source_;
  SdrSetting setting_;
  std::ostream& report_;
  CardFollower card_;
  TunerAudio* audio_listener_ = nullptr;
  AudioRing sound_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool audio_on_ = false;
  bool faulted_ = false;
  bool stereo_ = false;
  RdsStation rds_;
  std::optional<std::int64_t> tuned_khz_;
  double gain_db_ = kSdrGainStartDb;
  std::function<void(const std::string&)> fault_listener_;
  std::thread thread_;
};

// Opens the receiver ORVALTIC_CARD names (`value`, for which IsSdrSetting holds): exit code 2
// for a setting not understood, 1 with the line that says what to do when the source cannot be
// opened.
OpenedCard OpenSdrReceiver(std::string_view program, std::string_view value, std::ostream& report,
                           bool play);

}  // namespace orvaltic
