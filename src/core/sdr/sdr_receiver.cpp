#include "core/sdr/sdr_receiver.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "core/platform/printable_text.h"
#include "core/sdr/drift_control.h"
#include "core/sdr/fm_receiver.h"
#include "core/sdr/rds_demodulator.h"
#include "core/sdr/rtlsdr_source.h"
#include "core/sdr/soapy_source.h"

namespace orvaltic {

namespace {

// A block of 10 ms: short enough for the sound to follow a button at once.
constexpr double kBlockSeconds = 0.01;
// A second of sound: the ring drops the oldest beyond that.
constexpr std::size_t kRingFrames = 48'000;
// The gain moves to its new value over about 10 ms, so that mute and steps do not click.
constexpr float kGainGlide = 0.005F;

float GainOf(double db) {
  return static_cast<float>(std::pow(10.0, db / 20));
}

}  // namespace

SdrReceiver::SdrReceiver(std::string_view program, std::unique_ptr<IqSource> source,
                         const SdrSetting& setting, std::ostream& report, bool play)
    : program_(program),
      source_(std::move(source)),
      setting_(setting),
      report_(report),
      sound_(kRingFrames) {
  if (play) {
    thread_ = std::thread([this] { Run(); });
  }
}

SdrReceiver::~SdrReceiver() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void SdrReceiver::SetAudioListener(TunerAudio* listener) {
  audio_listener_ = listener;
  if (audio_listener_ != nullptr && card_.AudioOn()) {
    audio_listener_->SetTunerAudio(*card_.AudioOn());
  }
}

void SdrReceiver::SetFaultListener(std::function<void(const std::string&)> listener) {
  const std::lock_guard lock(mutex_);
  fault_listener_ = std::move(listener);
}

void SdrReceiver::AnnounceTransfer(std::uint16_t port, double mhz) {
  card_.Announce(port, mhz);
}

void SdrReceiver::WritePort(std::uint16_t port, std::uint8_t value) {
  std::optional<std::string> fault;
  const std::optional<CardFollower::Change> change = card_.Feed(port, value, fault);
  if (fault) {
    report_ << program_ << ": " << *fault << '\n' << std::flush;
  }
  if (change) {
    Apply(*change);
  }
}

void SdrReceiver::Apply(const CardFollower::Change& change) {
  const std::optional<CardState>& before = change.before;
  const CardState& now = change.now;
  bool audio_changed = false;
  {
    const std::lock_guard lock(mutex_);
    if (now.tuning_word && change.new_transfer) {
      tuned_khz_ = CardDecoder::ReceiverFrequencyKHz(*now.tuning_word, change.announced);
    }
    if (!before || before->audio_on != now.audio_on) {
      audio_changed = true;
      audio_on_ = now.audio_on;
      if (!audio_on_) {
        // Switched off and on again: a receiver that failed tries once more.
        faulted_ = false;
      }
    }
    const int steps = now.volume_steps - (before ? before->volume_steps : 0);
    gain_db_ = std::clamp(gain_db_ + kSdrGainStepDb * steps, kSdrGainMinDb, kSdrGainMaxDb);
  }
  wake_.notify_all();
  if (audio_changed && audio_listener_ != nullptr) {
    audio_listener_->SetTunerAudio(now.audio_on);
  }
}

double SdrReceiver::GainDb() const {
  const std::lock_guard lock(mutex_);
  return gain_db_;
}

std::optional<std::int64_t> SdrReceiver::TunedKHz() const {
  const std::lock_guard lock(mutex_);
  return tuned_khz_;
}

bool SdrReceiver::AudioOn() const {
  const std::lock_guard lock(mutex_);
  return audio_on_;
}

bool SdrReceiver::Stereo() const {
  const std::lock_guard lock(mutex_);
  return stereo_;
}

RdsStation SdrReceiver::Rds() const {
  const std::lock_guard lock(mutex_);
  return rds_;
}

void SdrReceiver::Run() {
  const double rate = source_->Rate();
  FmReceiver receiver({rate, kAudioRate, setting_.deemphasis_us});
  RdsDemodulator rds(receiver.MultiplexRate());
  DriftControl drift(kTargetSeconds * kAudioRate, kAudioRate);
  std::vector<IqSample> block(static_cast<std::size_t>(rate * kBlockSeconds));
  std::vector<float> audio;
  std::mt19937 noise_engine(1);
  std::normal_distribution<float> noise(0.0F, 0.05F);
  bool streaming = false;
  std::optional<std::int64_t> tuned;
  double centre = source_->CentreHz();
  float gain = 0;

  for (;;) {
    std::unique_lock lock(mutex_);
    if (!stop_ && !Playable()) {
      lock.unlock();
      if (streaming) {
        source_->Stop();
        streaming = false;
      }
      sound_.Clear();
      lock.lock();
      wake_.wait(lock, [this] { return stop_ || Playable(); });
    }
    if (stop_) {
      break;
    }
    const std::int64_t khz = *tuned_khz_;
    const float target_gain = GainOf(gain_db_);
    lock.unlock();

    if (!streaming) {
      if (const std::optional<std::string> error = source_->Start()) {
        lock.lock();
        faulted_ = true;
        const auto listener = fault_listener_;
        lock.unlock();
        if (listener) {
          listener(*error);
        }
        continue;
      }
      streaming = true;
      drift.Reset();
      receiver.Reset();
      gain = 0;  // fades in
      tuned.reset();
    }
    if (tuned != khz) {
      const double hz = static_cast<double>(khz) * 1000;
      centre = source_->Tune(hz);
      receiver.SetOffset(hz - centre);
      receiver.Reset();
      rds.Reset();
      tuned = khz;
      lock.lock();
      rds_ = {};
      lock.unlock();
    }

    std::string error;
    const std::size_t count = source_->Read(block.data(), block.size(), error);
    if (count == 0) {
      lock.lock();
      faulted_ = true;
      const auto listener = fault_listener_;
      lock.unlock();
      if (listener) {
        listener(error);
      }
      continue;
    }
    // Outside the band the source covers there is nothing but noise, as on the air.
    if (std::abs(static_cast<double>(khz) * 1000 - centre) > source_->ReachHz()) {
      for (std::size_t i = 0; i < count; ++i) {
        block[i] = {noise(noise_engine), noise(noise_engine)};
      }
    }
    audio.clear();
    receiver.Process(block.data(), count, audio);
    rds.Process(receiver.LastMultiplex().data(), receiver.LastMultiplex().size());
    for (std::size_t i = 0; i + 1 < audio.size(); i += 2) {
      gain += kGainGlide * (target_gain - gain);
      audio[i] = std::clamp(audio[i] * gain, -1.0F, 1.0F);
      audio[i + 1] = std::clamp(audio[i + 1] * gain, -1.0F, 1.0F);
    }
    sound_.Write(audio.data(), audio.size() / 2);
    receiver.SetRateCorrection(
        drift.Update(static_cast<double>(sound_.Buffered()), static_cast<double>(count) / rate));
    lock.lock();
    stereo_ = receiver.Stereo();
    rds_ = rds.decoder().Station();
  }
  if (streaming) {
    source_->Stop();
  }
}

OpenedCard OpenSdrReceiver(std::string_view program, std::string_view value, std::ostream& report,
                           bool play) {
  const std::string name(program);
  std::variant<SdrSetting, std::string> parsed = ParseSdrSetting(value);
  if (std::holds_alternative<std::string>(parsed)) {
    return {nullptr, 2, name + ": " + std::get<std::string>(parsed), nullptr};
  }
  const SdrSetting& setting = std::get<SdrSetting>(parsed);
  std::variant<std::unique_ptr<IqSource>, std::string> source =
      setting.kind == SdrSetting::Kind::kIqFile  ? OpenIqFile(setting)
      : setting.kind == SdrSetting::Kind::kSoapy ? OpenSoapy(setting)
                                                 : OpenRtlSdr(setting, MakeLibRtlSdrCalls());
  if (std::holds_alternative<std::string>(source)) {
    return {nullptr, 1, name + ": " + std::get<std::string>(source), nullptr};
  }
  if (!play) {
    report << name << ": a software receiver plays only inside the running radio: start orvaltic "
           << "with ORVALTIC_CARD=" << PrintableText(value) << " to hear it\n"
           << std::flush;
  }
  auto receiver = std::make_unique<SdrReceiver>(
      program, std::move(std::get<std::unique_ptr<IqSource>>(source)), setting, report, play);
  OpenedCard opened{nullptr, 0, {}, nullptr};
  opened.receiver = receiver.get();
  opened.card = std::move(receiver);
  return opened;
}

}  // namespace orvaltic
