#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

namespace orvaltic::testing {

// One FM broadcast station of the generator: sine tones in its left and right channel (0 Hz:
// none), the 19 kHz pilot or none, at `offset_hz` from the IQ centre.
struct FmStation {
  double offset_hz = 0;
  double left_hz = 1000;
  double right_hz = 1000;
  double left_level = 0.5;  // share of full deviation
  double right_level = 0.5;
  bool pilot = true;
  double power = 1.0;  // carrier power; 1.0 is full scale for the file formats
  // RDS data bits sent over and over on 57 kHz (differentially and biphase coded, in phase with
  // the pilot's third harmonic); none when empty.
  std::vector<bool> rds_bits;
  double rds_level = 0.05;  // share of full deviation
  // Bits of rds_bits to flip, as indexes into the bits sent since the start.
  std::vector<std::size_t> rds_errors;
};

struct FmBroadcast {
  double rate = 2.4e6;
  double seconds = 1.0;
  std::vector<FmStation> stations;
  double snr_db = 60;  // of the first station against the noise in a 200 kHz channel
  std::uint32_t seed = 1;
};

// The IQ samples of the broadcast: each station's multiplex is 0.9 of programme, (L+R)/2 plus
// (L-R)/2 on 38 kHz in phase with the pilot's harmonic, and 0.1 of pilot, swinging 75 kHz.
std::vector<std::complex<float>> GenerateFmIq(const FmBroadcast& broadcast);

// The samples as an IQ file of `format` ("cu8", "cs16", "cf32", "wav" with 16-bit samples and
// the rate in its header).
std::string IqFileBytes(const std::vector<std::complex<float>>& iq, const std::string& format,
                        double rate);

// The amplitude of the `hz` component of every `stride`-th value from `first` of `samples`
// (interleaved channels), measured over whole cycles with a window.
double ToneAmplitude(const std::vector<float>& samples, std::size_t first, std::size_t stride,
                     double rate, double hz);

}  // namespace orvaltic::testing
