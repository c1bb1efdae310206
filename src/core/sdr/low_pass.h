#pragma once

#include <vector>

namespace orvaltic {

// The stop band every filter of the receiver keeps: 60 dB below its pass band.
inline constexpr float kReceiverStopBandDb = 60;

// The taps of a Kaiser-windowed low-pass at `rate` that passes up to `pass_hz` and stops from
// `stop_hz`, long enough for its slope, at least `min_length` taps (a decimator needs twice its
// factor), an odd number, and of unity gain at DC.
std::vector<float> KaiserLowPass(double rate, double pass_hz, double stop_hz,
                                 unsigned int min_length = 1);

}  // namespace orvaltic
