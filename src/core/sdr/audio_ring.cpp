#include "core/sdr/audio_ring.h"

#include <algorithm>

namespace orvaltic {

AudioRing::AudioRing(std::size_t capacity_frames)
    : samples_(2 * capacity_frames), capacity_(capacity_frames) {}

void AudioRing::Write(const float* frames, std::size_t count) {
  const std::lock_guard lock(mutex_);
  if (count > capacity_) {
    frames += 2 * (count - capacity_);
    count = capacity_;
  }
  if (size_ + count > capacity_) {
    const std::size_t drop = size_ + count - capacity_;
    start_ = (start_ + drop) % capacity_;
    size_ -= drop;
    ++overruns_;
  }
  std::size_t end = (start_ + size_) % capacity_;
  for (std::size_t i = 0; i < count; ++i) {
    samples_[2 * end] = frames[2 * i];
    samples_[2 * end + 1] = frames[2 * i + 1];
    end = end + 1 == capacity_ ? 0 : end + 1;
  }
  size_ += count;
}

std::size_t AudioRing::ReadPrimed(float* frames, std::size_t count, std::size_t prime) {
  {
    const std::lock_guard lock(mutex_);
    if (!primed_ && size_ < std::min(prime, capacity_)) {
      std::fill(frames, frames + 2 * count, 0.0F);
      return 0;
    }
    primed_ = true;
  }
  const std::size_t real = Read(frames, count);
  if (real < count) {
    const std::lock_guard lock(mutex_);
    primed_ = false;
  }
  return real;
}

std::size_t AudioRing::Read(float* frames, std::size_t count) {
  const std::lock_guard lock(mutex_);
  const std::size_t real = std::min(count, size_);
  for (std::size_t i = 0; i < real; ++i) {
    frames[2 * i] = samples_[2 * start_];
    frames[2 * i + 1] = samples_[2 * start_ + 1];
    start_ = start_ + 1 == capacity_ ? 0 : start_ + 1;
  }
  size_ -= real;
  std::fill(frames + 2 * real, frames + 2 * count, 0.0F);
  if (real > 0 && real < count) {
    ++underruns_;
  }
  return real;
}

std::size_t AudioRing::Buffered() const {
  const std::lock_guard lock(mutex_);
  return size_;
}

void AudioRing::Clear() {
  const std::lock_guard lock(mutex_);
  start_ = 0;
  size_ = 0;
  primed_ = false;
}

std::size_t AudioRing::Overruns() const {
  const std::lock_guard lock(mutex_);
  return overruns_;
}

std::size_t AudioRing::Underruns() const {
  const std::lock_guard lock(mutex_);
  return underruns_;
}

}  // namespace orvaltic
