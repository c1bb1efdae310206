#include "core/sdr/drift_control.h"

#include <algorithm>
#include <cmath>

namespace orvaltic {

namespace {

constexpr double kMaxTrim = 1e-3;
// Seconds: the smoothing of the fill, which jumps by a block at every write and read.
constexpr double kSmoothing = 2.0;
// Per second of fill error: the trim that corrects it in about 20 s, and its integral's.
constexpr double kProportional = 0.05;
constexpr double kIntegral = 0.002;

}  // namespace

DriftControl::DriftControl(double target_frames, double audio_rate)
    : target_(target_frames), rate_(audio_rate) {}

void DriftControl::Reset() {
  smoothed_ = -1;
  integral_ = 0;
  ratio_ = 1;
}

double DriftControl::Update(double buffered_frames, double elapsed_seconds) {
  if (smoothed_ < 0) {
    smoothed_ = buffered_frames;
  } else {
    const double k = 1 - std::exp(-std::max(elapsed_seconds, 0.0) / kSmoothing);
    smoothed_ += k * (buffered_frames - smoothed_);
  }
  // Seconds of sound too few in the buffer: the resampler makes more.
  const double error = (target_ - smoothed_) / rate_;
  integral_ = std::clamp(integral_ + error * elapsed_seconds * kIntegral, -kMaxTrim, kMaxTrim);
  ratio_ = 1 + std::clamp(error * kProportional + integral_, -kMaxTrim, kMaxTrim);
  return ratio_;
}

}  // namespace orvaltic
