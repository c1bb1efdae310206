#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace orvaltic {

// Stereo sound handed from the receiver's thread to the sound device's: a fixed ring of
// interleaved float frames under a lock held only to copy. A full ring drops its oldest frames
// and an empty one reads as silence; both are counted.
class AudioRing {
 public:
  explicit AudioRing(std::size_t capacity_frames);

  void Write(const float* frames, std::size_t count);
  // Fills `count` frames, silence where nothing is buffered; returns the frames that were real.
  std::size_t Read(float* frames, std::size_t count);
  // As Read, for a sound device that plays on whatever it gets: after the ring was emptied (at
  // the start, after a Clear, or when it ran dry) it gives silence and keeps what comes until
  // `prime` frames have gathered, so that the sound starts with its buffer full instead of
  // breaking up until the drift control has filled it.
  std::size_t ReadPrimed(float* frames, std::size_t count, std::size_t prime);
  std::size_t Buffered() const;
  void Clear();
  std::size_t Overruns() const;
  std::size_t Underruns() const;

 private:
  mutable std::mutex mutex_;
  std::vector<float> samples_;
  std::size_t capacity_;
  std::size_t start_ = 0;  // first buffered frame
  std::size_t size_ = 0;   // frames buffered
  bool primed_ = false;
  std::size_t overruns_ = 0;
  std::size_t underruns_ = 0;
};

}  // namespace orvaltic
