#pragma once

#include <complex>
#include <cstddef>
#include <memory>
#include <vector>

namespace orvaltic {

using IqSample = std::complex<float>;

// The full deviation of an FM broadcast: a multiplex of 1.0 swings the carrier this far.
inline constexpr double kBroadcastDeviationHz = 75'000;

struct FmReceiverSettings {
  double input_rate = 2.4e6;   // IQ samples a second
  double audio_rate = 48'000;  // frames a second put out
  double deemphasis_us = 50;   // 50 in most of the world, 75 in the Americas
};

// One FM broadcast channel out of an IQ stream: the channel is mixed down from its offset,
// filtered and decimated to the multiplex rate (about 300 kHz), demodulated, and its stereo
// decoded from the 19 kHz pilot (L-R on 38 kHz); without a pilot, or with one too weak to hold,
// the sound fades to mono rather than cutting in and out. After de-emphasis the sound is
// resampled to the audio rate, whose ratio the caller trims to follow the drift between the
// IQ source's clock and the sound card's. Not thread-safe: one owner calls it.
class FmReceiver {
 public:
  explicit FmReceiver(const FmReceiverSettings& settings);
  ~FmReceiver();
  FmReceiver(const FmReceiver&) = delete;
  FmReceiver& operator=(const FmReceiver&) = delete;

  // The channel's distance from the IQ centre frequency, in Hz.
  void SetOffset(double hz);
  // Trims the resampling ratio: more than 1 puts out more frames for the same input.
  void SetRateCorrection(double ratio);
  // Demodulates `count` samples and appends their sound to `audio` as interleaved left/right
  // frames, full scale at full deviation.
  void Process(const IqSample* iq, std::size_t count, std::vector<float>& audio);
  // Forgets the signal: after a retune, nothing of the old station is heard.
  void Reset();

  // How far the sound is stereo: 0 mono, 1 full stereo, in between while fading.
  float StereoBlend() const;
  bool Stereo() const { return StereoBlend() > 0.5F; }
  // The multiplex: the demodulated baseband before the stereo decoder, for other decoders.
  double MultiplexRate() const;
  const std::vector<float>& LastMultiplex() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace orvaltic
