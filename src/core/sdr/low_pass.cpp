#include "core/sdr/low_pass.h"

#include <complex>
// liquid-dsp takes std::complex for its complex type once <complex> is seen.
#include <liquid/liquid.h>

#include <algorithm>

namespace orvaltic {

std::vector<float> KaiserLowPass(double rate, double pass_hz, double stop_hz,
                                 unsigned int min_length) {
  const auto transition = static_cast<float>((stop_hz - pass_hz) / rate);
  const unsigned int length =
      std::max(estimate_req_filter_len(transition, kReceiverStopBandDb), min_length) | 1U;
  std::vector<float> taps(length);
  liquid_firdes_kaiser(length, static_cast<float>((pass_hz + stop_hz) / 2 / rate),
                       kReceiverStopBandDb, 0.0F, taps.data());
  float sum = 0;
  for (const float tap : taps) {
    sum += tap;
  }
  for (float& tap : taps) {
    tap /= sum;
  }
  return taps;
}

}  // namespace orvaltic
