#pragma once

namespace orvaltic {

// Keeps a sound buffer between two clocks at its target fill: the IQ source's clock makes the
// frames, the sound card's takes them, and the two differ by up to a few hundred ppm. Fed the
// buffer's fill after each block, it gives the ratio by which the resampler is to trim its
// rate: a proportional-integral loop on the smoothed fill, held within +-1000 ppm, so that
// neither an over- nor an under-run builds up over a night.
class DriftControl {
 public:
  // `target_frames`: the fill to hold; `audio_rate`: frames a second.
  DriftControl(double target_frames, double audio_rate);

  // The fill seen `elapsed_seconds` after the last one; returns the new ratio.
  double Update(double buffered_frames, double elapsed_seconds);
  double Ratio() const { return ratio_; }
  // Starts again from ratio 1 (after the sound restarted).
  void Reset();

 private:
  double target_;
  double rate_;
  double smoothed_ = -1;
  double integral_ = 0;
  double ratio_ = 1;
};

}  // namespace orvaltic
